#include "command_line.h"

#include "fatal.h"
#include "options.h"

#include <getopt.h>

#include <array>
#include <cstdlib>
#include <string_view>

namespace {

constexpr const char *PROGRAM = "font2zirk";

constexpr std::string_view HELP = R"(Usage: font2zirk [OPTIONS] FONTFILE > FONT.zirk
Write FONTFILE (BDF, PCF, OTB, FNT/FON, TrueType, OpenType, PSF; gzip'd or
plain) as a zirk container of one font; a summary goes to standard error.

  -s, --size PX          pixel size: needed for a scalable font, and picks
                         one of several bitmap sizes
  -c, --charset NAME     what the codes mean, any name iconv knows
                         (default ISO-8859-1)
  -r, --range FIRST-LAST codes to cover, decimal or 0x hex (default: those
                         the font has, control codes excepted at the ends)
  -n, --name NAME        record name, at most 16 bytes (default: family,
                         style and size, cut to 16 bytes)
      --fixed            one width for all: the widest advance
      --proportional     a width table, each glyph its advance
                         (default: fixed when all advances agree)
      --clip             keep the font's own ascent and descent, and count
                         the pixels cut off
  -h, --help             show this help and exit
      --version          show the version and exit
)";

enum long_only : int {
	OPT_FIXED = 256,
	OPT_PROPORTIONAL,
	OPT_CLIP,
	OPT_VERSION
};

[[noreturn]] void usage(std::string_view message)
{
	usage_error(PROGRAM, message);
}

// A whole number, decimal or 0x hex, at most max; none otherwise.
std::optional<unsigned> number(std::string_view text, unsigned max)
{
	int base = 10;
	if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
		base = 16;
		text.remove_prefix(2);
	}
	if (text.empty() || text.size() > 8)
		return std::nullopt;
	unsigned value = 0;
	for (const char ch : text) {
		const std::string_view digits = "0123456789abcdef";
		const char lower = ch >= 'A' && ch <= 'F' ? static_cast<char>(ch - 'A' + 'a') : ch;
		const std::size_t digit = digits.find(lower);
		if (digit == std::string_view::npos || digit >= static_cast<std::size_t>(base))
			return std::nullopt;
		value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
	}
	if (value > max)
		return std::nullopt;
	return value;
}

// The values are judged once the file is known, so that their messages
// name it like every other fault of this conversion.
struct raw_options {
	std::optional<std::string> size;
	std::optional<std::string> range;
};

void take_size(import_options &o, const std::string &text)
{
	const std::optional<unsigned> size = number(text, 255);
	if (!size || *size == 0)
		file_fault(o.path, "--size takes a pixel size from 1 to 255, not '" + text + "'");
	o.size = *size;
}

void take_range(import_options &o, const std::string &text)
{
	const std::size_t dash = text.find('-');
	const std::string expected = "--range takes FIRST-LAST, two codes from 0 to 255 (decimal or 0x hex), not '";
	if (dash == std::string::npos)
		file_fault(o.path, expected + text + "'");
	const std::string_view all(text);
	const std::optional<unsigned> first = number(all.substr(0, dash), 0xffffffU);
	const std::optional<unsigned> last = number(all.substr(dash + 1), 0xffffffU);
	if (!first || !last)
		file_fault(o.path, expected + text + "'");
	if (*first > 255 || *last > 255)
		file_fault(o.path, "--range " + text + " goes beyond 255, the highest code");
	if (*first > *last)
		file_fault(o.path, "--range " + text + " is reversed: FIRST must not be above LAST");
	o.placement.first = *first;
	o.placement.last = *last;
	o.range_given = true;
}

}  // namespace

// Built piece by piece: GCC 12 at -O3 takes "'" + std::string for an
// overlapping copy.
static std::string unknown_option(int letter, const char *word)
{
	std::string message = "unknown option '";
	if (letter != 0)
		message.append(1, '-').append(1, static_cast<char>(letter));
	else
		message.append(word);
	return message.append(1, '\'');
}

import_options parse_options(int argc, char **argv)
{
	static const std::array<option, 10> longopts{{
		{"size", required_argument, nullptr, 's'},
		{"charset", required_argument, nullptr, 'c'},
		{"range", required_argument, nullptr, 'r'},
		{"name", required_argument, nullptr, 'n'},
		{"fixed", no_argument, nullptr, OPT_FIXED},
		{"proportional", no_argument, nullptr, OPT_PROPORTIONAL},
		{"clip", no_argument, nullptr, OPT_CLIP},
		{"help", no_argument, nullptr, 'h'},
		{"version", no_argument, nullptr, OPT_VERSION},
		{nullptr, 0, nullptr, 0},
	}};
	import_options o;
	raw_options raw;
	bool fixed = false;
	bool proportional = false;
	// getopt prints its own complaint about an unknown option; ours says
	// the rest.
	opterr = 0;
	int ch = 0;
	while ((ch = getopt_long(argc, argv, ":s:c:r:n:h", longopts.data(), nullptr)) != -1) {
		switch (ch) {
		case 's': raw.size = optarg; break;
		case 'c': o.charset = optarg; break;
		case 'r': raw.range = optarg; break;
		case 'n': o.placement.name = optarg; break;
		case OPT_FIXED: fixed = true; break;
		case OPT_PROPORTIONAL: proportional = true; break;
		case OPT_CLIP: o.placement.clip = true; break;
		case 'h': show_help(HELP);
		case OPT_VERSION: show_version(PROGRAM);
		case ':': usage("option '" + std::string(argv[optind - 1]) + "' needs a value");
		default: usage(unknown_option(optopt, argv[optind - 1]));
		}
	}
	if (fixed && proportional)
		usage("--fixed and --proportional exclude each other");
	if (optind == argc)
		usage("no FONTFILE given");
	if (argc - optind > 1)
		usage("one FONTFILE at a time; '" + std::string(argv[optind + 1]) + "' is one too many");
	o.path = argv[optind];
	o.placement.spacing = fixed ? spacing_choice::fixed
	                            : (proportional ? spacing_choice::proportional : spacing_choice::automatic);
	if (raw.size)
		take_size(o, *raw.size);
	if (raw.range)
		take_range(o, *raw.range);
	if (o.placement.name && o.placement.name->size() > NAME_SIZE)
		file_fault(o.path, "--name '" + *o.placement.name + "' is longer than the 16 bytes a name can hold");
	return o;
}
