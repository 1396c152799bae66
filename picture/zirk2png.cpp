// zirk2png [OPTIONS] [FILE]
//
// Every font is read, and the picture laid out, before the first byte is
// written: a damaged container or a bad font number leaves standard output
// empty. With --text, the text is drawn instead of the sheet.
#include "caption_font.h"
#include "draw.h"
#include "sheet_options.h"
#include "png_output.h"
#include "sheet.h"
#include "text_picture.h"

#include "../toolkit/messages.h"
#include "../toolkit/output.h"

#include <algorithm>
#include <deque>

namespace {

// Only the fonts to be drawn are kept; the rest are walked all the same,
// so that a damaged container is refused whichever font is asked for.
std::vector<font_block> read_blocks(const sheet_options &options, std::deque<font_record> &fonts)
{
	container_reader reader = open_container(options.path);
	check_fonts(options.fonts, reader.count, options.path);
	std::vector<font_block> blocks;
	font_record font;
	while (read_font(reader, font)) {
		if (font_chosen(options.fonts, reader.read)) {
			fonts.push_back(std::move(font));
			blocks.push_back(block_for(fonts.back(), reader.read));
		}
	}
	if (reader.count == 0)
		blocks.push_back(empty_container_block());
	close_container(reader);
	return blocks;
}

}  // namespace

static void write_sheet(const sheet_options &options)
{
	std::deque<font_record> fonts;
	const std::optional<sheet> laid = lay_out(read_blocks(options, fonts), options.scale);
	if (!laid)
		fatal("the picture would be too large even at scale 1; draw fewer fonts at a time with --font");
	const sheet &s = *laid;
	note_scale(options, s.scale);
	const font_record text_font = caption_font();

	claim_binary_output("image data");
	std::vector<unsigned char> plain(s.width);
	write_png(s.width * s.scale, s.height * s.scale, [&](std::uint32_t y, std::vector<unsigned char> &row) {
		// Each sheet row is drawn once and sent scale times, each pixel
		// scale times over.
		if (y % s.scale != 0)
			return;
		draw_row(s, text_font, y / s.scale, plain);
		for (std::size_t x = 0; x < plain.size(); x++)
			std::fill_n(row.begin() + static_cast<std::ptrdiff_t>(x * s.scale), s.scale, plain[x]);
	});
	finish_stdout();
}

int main(int argc, char **argv)
{
	const sheet_options options = parse_options(argc, argv);
	if (options.text)
		write_text_picture(options);
	else
		write_sheet(options);
	return 0;
}
