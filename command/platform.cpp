// The only parts of the tool that must ask the platform rather than the
// standard library: raw bytes on standard output, and whether a person is
// looking at it.
#include "command.h"

#include <cstdio>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>

void set_binary_output()
{
	_setmode(_fileno(stdout), _O_BINARY);
}

void set_binary_input()
{
	_setmode(_fileno(stdin), _O_BINARY);
}

bool output_is_terminal()
{
	return _isatty(_fileno(stdout)) != 0;
}
#else
#include <unistd.h>

void set_binary_output() {}

void set_binary_input() {}

bool output_is_terminal()
{
	return isatty(STDOUT_FILENO) != 0;
}
#endif
