#include "messages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static const char *name_of_program = "korvane";

void set_program_name(const char *name)
{
	name_of_program = name;
}

const char *program_name()
{
	return name_of_program;
}

// One write per message, so that lines of two programs sharing standard
// error do not interleave.
static void say(std::string_view text)
{
	(void)std::fwrite(text.data(), 1, text.size(), stderr);
}

// Standard output is not flushed on the way out: what a program held back
// stays unwritten.
[[noreturn]] static void end_run()
{
	std::_Exit(EXIT_FAILURE);
}

static std::string line(std::string_view what)
{
	std::string text(name_of_program);
	text.append(": ").append(what).append("\n");
	return text;
}

void fatal(std::string_view what)
{
	say(line(what));
	end_run();
}

// Every message it makes is compared whole in the tests, where a swap of
// its words shows at once.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
void file_fatal(std::string_view path, std::string_view what)
{
	std::string text(path);
	fatal(text.append(": ").append(what));
}

void system_fatal(std::string_view path, int error)
{
	file_fatal(path, std::strerror(error));
}

void text_fatal(std::string_view path, unsigned line_number, std::string_view what)
{
	std::string text(path);
	text.append(":").append(std::to_string(line_number)).append(": error: ").append(what).append("\n");
	say(text);
	end_run();
}

void usage_error(std::string_view what)
{
	std::string text = line(what);
	text.append("Try '").append(name_of_program).append(" --help' for more information.\n");
	say(text);
	end_run();
}

void note(std::string_view what)
{
	say(line(what));
}
