#include "command_line.h"

#include "../toolkit/command_line.h"
#include "../toolkit/messages.h"
#include "../toolkit/text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace {

constexpr std::string_view HELP = R"(Usage: font2zirk [OPTIONS] FONTFILE... > FONT.zirk
Write FONTFILE (BDF, PCF, OTB, FNT/FON, TrueType, OpenType, PSF; gzip'd or
plain; - for standard input) as a zirk container of one font; each code's
glyph comes from the first FONTFILE that has it. A summary goes to stderr.

  -s, --size PX          pixel size: needed for a scalable font, and picks
                         one of several bitmap sizes
  -c, --charset NAME     what the codes mean, any one-byte charset iconv
                         knows (default ISO-8859-1)
  -m, --map FILE         a code map: per code, its characters (see the
                         manual); codes it leaves out follow --charset
  -r, --range LIST       codes to cover, such as 32-126,160-255, adding up
                         (default: what the fonts have, less control codes)
      --align WHERE      baseline (default), or cell: cell tops meet
  -n, --name NAME        record name, at most 16 bytes (default: family,
                         style and size, cut to 16 bytes)
      --fixed            one width for all
      --proportional     a width table, each glyph its own width
                         (default: fixed when all widths agree)
      --clip             keep the (first) font's advances, ascent and
                         descent, and count the pixels cut off
      --report           say per code which file gave its glyph
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
	REPORT,
	ALIGN,
	MAP = 'm',
};

constexpr std::array<option_syntax, 10> OPTIONS{{
	{"size", SIZE, true},
	{"charset", CHARSET, true, option_value::charset},
	{"map", MAP, true, option_value::file},
	{"range", RANGE, true},
	{"name", NAME, true},
	{"fixed", FIXED, false},
	{"proportional", PROPORTIONAL_KEY, false},
	{"clip", CLIP, false},
	{"report", REPORT, false},
	{"align", ALIGN, true, option_value::words, "baseline cell"},
}};

// Pieces in increasing order, apart, after those given before: the font
// covers the first to the last code, and the codes between pieces are left
// out.
void add_range_pieces(std::vector<number_range> &pieces, std::string_view text)
{
	auto ranges = parse_ranges(text, {0, CODES - 1});
	for (std::size_t i = 1; ranges && i < ranges->size(); i++)
		if ((*ranges)[i].first <= (*ranges)[i - 1].last)
			ranges.reset();
	std::string message = "--range '";
	message.append(shown_text(text));
	if (!ranges)
		usage_error(message.append("' is not pieces FIRST-LAST of codes 0 to 255 (decimal or 0x hex), "
		                           "increasing and not overlapping, such as 32-126,160-255"));
	if (!pieces.empty() && ranges->front().first <= pieces.back().last)
		usage_error(message.append("' does not follow the codes of the --range before it, "
		                           "expected pieces increasing and not overlapping"));
	pieces.insert(pieces.end(), ranges->begin(), ranges->end());
}

alignment alignment_of(std::string_view value)
{
	if (value == "baseline")
		return alignment::baseline;
	if (value == "cell")
		return alignment::cell;
	std::string message = "--align '";
	usage_error(message.append(shown_text(value)).append("' is neither baseline nor cell"));
}

}  // namespace

const command_syntax program_syntax{"font2zirk", HELP, OPTIONS, SIZE_MAX};

import_options parse_options(int argc, char **argv)
{
	import_options o;
	bool fixed = false;
	bool proportional = false;
	const auto operands = parse_command_line(argc, argv, program_syntax, [&](int k, const char *value) {
		switch (k) {
		case SIZE: o.size = number_value("--size", value, 1, 255); break;
		case CHARSET: o.charset = value; break;
		case MAP: o.map = value; break;
		case RANGE: add_range_pieces(o.pieces, value); break;
		case ALIGN: o.align = alignment_of(value); break;
		case NAME: o.placement.name = value; break;
		case FIXED: fixed = true; break;
		case PROPORTIONAL_KEY: proportional = true; break;
		case REPORT: o.report = true; break;
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
	// Standard input is read once, whole.
	const auto stdin_uses = std::count(operands.begin(), operands.end(), "-") + (o.map == "-" ? 1 : 0);
	if (stdin_uses > 1)
		usage_error("standard input ('-') is named twice, and can be read once");
	if (!o.pieces.empty()) {
		o.placement.first = o.pieces.front().first;
		o.placement.last = o.pieces.back().last;
	}
	o.paths = operands;
	o.placement.spacing = fixed ? spacing_choice::fixed
	                            : (proportional ? spacing_choice::proportional : spacing_choice::automatic);
	return o;
}
