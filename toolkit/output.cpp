#include "output.h"

#include "../command/platform.h"
#include "fatal.h"

#include <cstdio>
#include <string>

static const char *const WRITE_FAILED = "Error: write to stdout failed";

void claim_binary_output(std::string_view what)
{
	if (output_is_terminal())
		fatal("Error: will not write " + std::string(what) + " to a terminal");
	set_binary_output();
}

void write_stdout(const void *bytes, std::size_t size)
{
	if (size > 0 && std::fwrite(bytes, 1, size, stdout) != size)
		fatal(WRITE_FAILED);
}

void write_stdout(std::string_view text)
{
	write_stdout(text.data(), text.size());
}

void write_stdout(const std::vector<unsigned char> &bytes)
{
	write_stdout(bytes.data(), bytes.size());
}

// Buffered bytes can still fail on their way out: a full disk, a closed
// descriptor.
void finish_stdout()
{
	if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)
		fatal(WRITE_FAILED);
}
