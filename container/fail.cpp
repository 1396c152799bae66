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

void write_output(const void *bytes, std::size_t size)
{
	if (size > 0 && std::fwrite(bytes, 1, size, stdout) != size)
		fail("Error: write to stdout failed\n");
}

// Buffered bytes can still fail on their way out (a full disk, a closed
// descriptor); success is only reported once they have left the process.
void finish_output()
{
	if (std::fflush(stdout) != 0 || std::ferror(stdout))
		fail("Error: write to stdout failed\n");
}
