#include "zirk.h"

#include <cstdio>

static const char *const WRITE_FAILED = "Error: write to stdout failed\n";

void write_output(const void *bytes, std::size_t size)
{
	if (size > 0 && std::fwrite(bytes, 1, size, stdout) != size)
		fail(WRITE_FAILED);
}

// Buffered bytes can still fail on their way out (a full disk, a closed
// descriptor); success is only reported once they have left the process.
void finish_output()
{
	if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)
		fail(WRITE_FAILED);
}
