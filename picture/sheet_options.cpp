#include "sheet_options.h"

#include "../container/zirk.h"
#include "options.h"

#include <getopt.h>

#include <string>

static const char *const PROGRAM = "zirk2png";

static const char *const HELP = "Usage: zirk2png [OPTIONS] [FILE]\n"
				"Draw every font of a zirk container as a PNG image on standard output.\n"
				"With no FILE, or when FILE is -, read standard input.\n"
				"\n"
				"  -s, --scale N  draw each pixel as N by N pixels (1 to 32, default 3);\n"
				"                 a picture too large for viewers is drawn smaller\n"
				"  -f, --font N   draw only font N of the container, counting from 1\n"
				"  -h, --help     show this help and exit\n"
				"      --version  show the version and exit\n";

enum {
	VERSION_OPTION = 256
};

struct number_range {
	unsigned low;
	unsigned high;
};

// Digits only, within the range: strtoul would let a sign or spaces pass.
static bool parse_number(const char *text, number_range range, unsigned &value)
{
	unsigned n = 0;
	if (*text == '\0')
		return false;
	for (const char *p = text; *p != '\0'; p++) {
		if (*p < '0' || *p > '9')
			return false;
		n = n * 10 + static_cast<unsigned>(*p - '0');
		if (n > range.high)
			return false;
	}
	value = n;
	return n >= range.low;
}

static unsigned number_option(const char *text, number_range range, const char *what)
{
	unsigned value = 0;
	if (!parse_number(text, range, value))
		usage_error(PROGRAM, std::string("invalid ") + what + " '" + text + "' (" + std::to_string(range.low) +
		                             " to " + std::to_string(range.high) + ")");
	return value;
}

// getopt_long's own messages would name the program by however it was
// started; these always say zirk2png.
[[noreturn]] static void option_error(char **argv, int code)
{
	const std::string given = argv[optind - 1];
	if (code == ':')
		usage_error(PROGRAM, "option '" + given + "' needs a value");
	const bool is_long = given.rfind("--", 0) == 0;
	if (optopt != 0 && !is_long)
		usage_error(PROGRAM, std::string("invalid option -- '") + static_cast<char>(optopt) + "'");
	if (optopt != 0)
		usage_error(PROGRAM, "option '" + given.substr(0, given.find('=')) + "' takes no value");
	usage_error(PROGRAM, "unrecognized option '" + given + "'");
}

sheet_options parse_options(int argc, char **argv)
{
	static const option longs[] = {
		{"scale", required_argument, nullptr, 's'},
		{"font", required_argument, nullptr, 'f'},
		{"help", no_argument, nullptr, 'h'},
		{"version", no_argument, nullptr, VERSION_OPTION},
		{nullptr, 0, nullptr, 0},
	};
	sheet_options options;
	opterr = 0;
	for (int c; (c = getopt_long(argc, argv, ":s:f:h", longs, nullptr)) != -1;) {
		switch (c) {
		case 's': options.scale = number_option(optarg, {1, MAX_SCALE}, "scale"); break;
		case 'f': options.font = number_option(optarg, {1, MAX_FONTS}, "font number"); break;
		case 'h': show_help(HELP);
		case VERSION_OPTION: show_version(PROGRAM);
		default: option_error(argv, c);
		}
	}
	if (argc - optind > 1)
		usage_error(PROGRAM, std::string("extra operand '") + argv[optind + 1] + "'");
	if (optind < argc)
		options.path = argv[optind];
	return options;
}
