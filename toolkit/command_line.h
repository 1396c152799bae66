// The command line every toolkit program shares: GNU options through
// getopt_long, in any order among the operands, -h/--help and --version, and
// one word for every mistake, naming what was typed.
#pragma once

#include "../format/zirk_format.h"

#include <bitset>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What an option's value is, so that the shell can complete it: a file's
// name, a charset's name as iconv knows it, one of a few fixed words, or
// anything else (a number, a list, a name), which it leaves to the user.
enum class option_value : unsigned char {
	any,
	file,
	charset,
	words
};

struct option_syntax {
	const char *name;  // the long name, without "--"
	int key;           // the short letter, or from 256 up for a long name alone
	bool takes_value;
	option_value value = option_value::any;
	const char *words = nullptr;  // for option_value::words: the values, apart by blanks
};

struct command_syntax {
	const char *program;
	std::string_view help;                   // -h/--help prints it; one screen at most
	std::span<const option_syntax> options;  // -h, --help and --version come on top
	std::size_t max_operands;
};

// Each toolkit program's syntax, defined once in the source given to
// korvane_program as its SYNTAX: the program parses its command line by it,
// and the build makes the program's shell completion from it.
extern const command_syntax program_syntax;

// Names the program for every message, then hands each option to take (its
// key and value, nullptr for none) in the order given, and returns the
// operands ("-" among them) in order. Anything amiss is a usage error:
// "PROGRAM: unrecognized option '--frob'", "option '--list=1' takes no
// value", "option '--size' needs a value", "option '--f' is ambiguous",
// "extra operand 'x'".
std::vector<std::string> parse_command_line(int argc, char **argv, const command_syntax &syntax,
                                            const std::function<void(int key, const char *value)> &take);

// Decimal digits, or hex digits after 0x; nullopt for anything else,
// a sign or a blank included, and for a value above max.
std::optional<unsigned> parse_number(std::string_view text, unsigned max);
// An option's value as a number from low to high, else a usage error:
// "--scale '0' is not a number from 1 to 32".
unsigned number_value(std::string_view option, std::string_view text, unsigned low, unsigned high);

// Numbers and ranges as in "1,3-5"; nullopt when the text is anything else
// or goes outside the allowed range. Pieces stand as given: a range has its first
// at most its last, but pieces may come in any order.
struct number_range {
	unsigned first;
	unsigned last;
};
std::optional<std::vector<number_range>> parse_ranges(std::string_view text, number_range allowed);

// --font LIST: font numbers from 1 and ranges, repeated options adding up.
// With none given, every font is chosen.
struct font_choice {
	std::bitset<MAX_FONTS + 1> chosen;
	unsigned highest = 0;
};
// Adds the list, else a usage error naming it.
void add_fonts(font_choice &choice, std::string_view list);
// A usage error when a chosen font is past the last of a container of count
// fonts: "--font 7: fonts.zirk holds 3 fonts".
void check_fonts(const font_choice &choice, unsigned count, std::string_view path);
bool font_chosen(const font_choice &choice, unsigned number);
