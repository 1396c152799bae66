#include "zirk.h"

#include <cstdio>
#include <cstdlib>

// Every error ends the run: whatever already reached standard output stays
// there, and the status tells the caller not to trust it.
void fail(const char *message)
{
	std::fputs(message, stderr);
	std::exit(EXIT_FAILURE);
}
