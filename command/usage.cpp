#include "command.h"

#include <cstdio>
#include <cstdlib>

// As with fail, a refused write to standard error has nowhere left to go.
void show_usage()
{
	(void)std::fputs("Syntax: korvane <fontfile> <fontfile> [<fontfile>. ..]\n"
	                 "        Will output a combined zirk font file to stdout\n",
	                 stderr);
	std::exit(EXIT_FAILURE);
}
