// The only parts of the tool that must ask the platform rather than the
// standard library: raw bytes on standard output, whether a person is
// looking at it, and whether it is one of the files being read.
#include "platform.h"

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

// The C runtime's stat gives no file identity on Windows (st_ino is always
// 0), so no file is taken for the output there.
bool output_is_file(const char * /*path*/)
{
	return false;
}

bool output_is_standard_input()
{
	return false;
}
#else
#include <sys/stat.h>
#include <unistd.h>

void set_binary_output() {}

void set_binary_input() {}

bool output_is_terminal()
{
	return isatty(STDOUT_FILENO) != 0;
}

// Only a regular file can be damaged by being written while it is read; a
// device such as /dev/null may be named on both sides.
static bool is_output(const struct stat &in)
{
	struct stat out {};
	return fstat(STDOUT_FILENO, &out) == 0 && S_ISREG(out.st_mode) && in.st_dev == out.st_dev &&
	       in.st_ino == out.st_ino;
}

// A path that cannot be looked up is left for the probe to report.
bool output_is_file(const char *path)
{
	struct stat in {};
	return stat(path, &in) == 0 && is_output(in);
}

bool output_is_standard_input()
{
	struct stat in {};
	return fstat(STDIN_FILENO, &in) == 0 && is_output(in);
}
#endif
