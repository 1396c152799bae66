#include "zirk.h"

#include <array>
#include <cstdio>

static const char *const WRITE_FAILED = "Error: write to stdout failed\n";

// The default buffer is one file system block, so a record of up to 24626
// bytes leaves in several writes, and a write to a file costs the kernel far
// more than the bytes it carries. Records leave several at a time from here.
static std::array<char, std::size_t{64} * 1024> output_buffer;

void buffer_output()
{
	// Refused, the default buffer stays: slower, never wrong.
	(void)std::setvbuf(stdout, output_buffer.data(), _IOFBF, output_buffer.size());
}

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
