#include "output.h"

#include "../platform/platform.h"
#include "messages.h"

#include <cerrno>
#include <cstdio>
#include <string>

[[noreturn]] static void write_failed()
{
	system_fatal("standard output", errno);
}

void claim_binary_output(std::string_view what)
{
	if (output_is_terminal()) {
		std::string message = "will not write ";
		fatal(message.append(what).append(" to a terminal"));
	}
	set_binary_output();
}

void refuse_output_into(std::string_view path)
{
	const std::string name(path);
	if (name == "-" ? output_is_standard_input() : output_is_file(name.c_str()))
		file_fatal(path, "is standard output too; will not write into an input");
}

void write_stdout(const void *bytes, std::size_t size)
{
	if (size > 0 && std::fwrite(bytes, 1, size, stdout) != size)
		write_failed();
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
	errno = 0;
	if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)
		write_failed();
}
