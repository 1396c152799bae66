#include "fatal.h"

#include <cstdio>
#include <cstdlib>

[[noreturn]] void fatal(std::string_view message)
{
	// A refused write to standard error has nowhere left to go.
	(void)std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
	std::_Exit(EXIT_FAILURE);
}
