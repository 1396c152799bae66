#include "zirk.h"

#include <cstdio>
#include <cstdlib>

// Every error ends the run: whatever already reached standard output stays
// there, and the status tells the caller not to trust it. A message that
// standard error refuses is lost: there is nowhere left to report it, and
// the status still says the run failed.
void fail(const char *message)
{
	(void)std::fputs(message, stderr);
	std::exit(EXIT_FAILURE);
}
