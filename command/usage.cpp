#include "command.h"

#include <cstdio>
#include <cstdlib>

void show_usage()
{
	std::fputs("Syntax: korvane <fontfile> <fontfile> [<fontfile>. ..]\n", stderr);
	std::fputs("        Will output a combined zirk font file to stdout\n", stderr);
	std::exit(EXIT_FAILURE);
}
