// The one way a toolkit program reports a fault: the message on standard
// error, then status 1.
#pragma once

#include <string_view>

// Writes message and a newline to standard error and ends the process with
// status 1. Standard output is not flushed: whatever a program held back
// stays unwritten.
[[noreturn]] void fatal(std::string_view message);
