#include "command_line.h"

#include "../toolkit/command_line.h"
#include "../toolkit/messages.h"
#include "../toolkit/text.h"

#include <array>
#include <string_view>

namespace {

constexpr std::string_view HELP = R"(Usage: font2zirk [OPTIONS] FONTFILE > FONT.zirk
Write FONTFILE (BDF, PCF, OTB, FNT/FON, TrueType, OpenType, PSF; gzip'd or
plain; - for standard input) as a zirk container of one font; a summary goes
to standard error.

  -s, --size PX          pixel size: needed for a scalable font, and picks
                         one of several bitmap sizes
  -c, --charset NAME     what the codes mean, any one-byte charset iconv
                         knows (default ISO-8859-1)
  -r, --range FIRST-LAST codes to cover, decimal or 0x hex (default: those
                         the font has, control codes excepted at the ends)
  -n, --name NAME        record name, at most 16 bytes (default: family,
                         style and size, cut to 16 bytes)
      --fixed            one width for all
      --proportional     a width table, each glyph its own width
                         (default: fixed when all widths agree)
      --clip             keep the font's own advances, ascent and descent,
                         and count the pixels cut off
  -h, --help             show this help and exit
      --version          show the version and exit
)";

enum key : int {
	SIZE = 's',
	CHARSET = 'c',
	RANGE = 'r',
	NAME = 'n',
	FIXED = 256,
	PROPORTIONAL_KEY,
	CLIP,
};

constexpr std::array<option_spec, 7> OPTIONS{{
	{"size", SIZE, true},
	{"charset", CHARSET, true},
	{"range", RANGE, true},
	{"name", NAME, true},
	{"fixed", FIXED, false},
	{"proportional", PROPORTIONAL_KEY, false},
	{"clip", CLIP, false},
}};

void take_range(placement_options &placement, std::string_view text)
{
	const auto ranges = parse_ranges(text, 0, CODES - 1);
	if (!ranges || ranges->size() != 1) {
		std::string message = "--range '";
		usage_error(
			message.append(shown_text(text))
				.append("' is not FIRST-LAST, two codes from 0 to 255 (decimal or 0x hex) in order"));
	}
	placement.first = ranges->front().first;
	placement.last = ranges->front().last;
}

}  // namespace

import_options parse_options(int argc, char **argv)
{
	import_options o;
	bool fixed = false;
	bool proportional = false;
	const command_spec spec{"font2zirk", HELP, OPTIONS, 1};
	const std::vector<std::string> operands = parse_command_line(argc, argv, spec, [&](int k, const char *value) {
		switch (k) {
		case SIZE: o.size = number_value("--size", value, 1, 255); break;
		case CHARSET: o.charset = value; break;
		case RANGE:
			take_range(o.placement, value);
			o.range_given = true;
			break;
		case NAME: o.placement.name = value; break;
		case FIXED: fixed = true; break;
		case PROPORTIONAL_KEY: proportional = true; break;
		default: o.placement.clip = true; break;
		}
	});
	if (fixed && proportional)
		usage_error("--fixed and --proportional exclude each other");
	if (operands.empty())
		usage_error("no FONTFILE given");
	if (o.placement.name && o.placement.name->size() > NAME_SIZE) {
		std::string message = "--name '";
		usage_error(message.append(shown_text(*o.placement.name))
		                    .append("' is longer than the 16 bytes a name can hold"));
	}
	o.path = operands.front();
	o.placement.spacing = fixed ? spacing_choice::fixed
	                            : (proportional ? spacing_choice::proportional : spacing_choice::automatic);
	return o;
}
