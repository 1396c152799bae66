#include "text_picture.h"

#include "draw.h"
#include "png_output.h"
#include "sheet.h"

#include "../devicefont/device.h"
#include "../toolkit/messages.h"
#include "../toolkit/output.h"

namespace {

struct text_line {
	std::size_t start, length;
};

struct text_block {
	zf_font font;
	std::vector<text_line> lines;
};

// The lines of codes: parted at newlines, or as zf_wrap parts them. A
// newline at the end ends the last line and starts none.
std::vector<text_line> lines_of(const zf_font &f, const std::vector<std::uint8_t> &codes, std::optional<unsigned> wrap)
{
	std::vector<text_line> lines;
	for (std::size_t start = 0; start < codes.size();) {
		const std::uint8_t *rest = codes.data() + start;
		const std::size_t left = codes.size() - start;
		std::size_t length = 0;
		std::size_t next = left;
		if (wrap) {
			length = zf_wrap(&f, rest, left, static_cast<int>(*wrap), nullptr, &next);
		} else {
			while (length < left && rest[length] != '\n')
				length++;
			next = std::min(left, length + 1);
		}
		lines.push_back({start, length});
		start += std::max<std::size_t>(next, 1);
	}
	return lines;
}

// The code of '?', where the map gives it one, for characters it lacks.
std::uint8_t replacement_code(const zf_charmap &map)
{
	std::uint8_t code = '?';
	zf_encode(&map, "?", 1, &code, 1, '?');
	return code;
}

struct extent {
	std::uint64_t width = 0;
	std::uint64_t height = 0;
};

// The largest scale up to most within the picture's bounds; 0 for none.
unsigned fitting_scale(extent e, unsigned most)
{
	for (unsigned scale = most; scale >= 1; scale--)
		if (std::max(e.width, e.height) * scale <= MAX_SIDE && e.width * e.height * scale * scale <= MAX_PIXELS)
			return scale;
	return 0;
}

}  // namespace

void write_text_picture(const sheet_options &options)
{
	const device_map codes_of = device_code_map(chosen_code_map(options.charset, options.map));
	const zf_charmap map = codes_of.map();
	const device_container container = open_device_container(options.path);
	check_fonts(options.fonts, container.fonts.count, options.path);

	const std::string &text = *options.text;
	std::vector<std::uint8_t> codes(text.size());
	codes.resize(zf_encode(&map, text.data(), text.size(), codes.data(), codes.size(), replacement_code(map)));

	std::vector<text_block> blocks;
	extent size;
	zf_font f;
	for (unsigned i = 0; zf_font_at(&container.fonts, i, &f); i++) {
		if (!font_chosen(options.fonts, i + 1))
			continue;
		blocks.push_back({f, lines_of(f, codes, options.wrap)});
		for (const text_line &line : blocks.back().lines) {
			const int drawn = zf_width(&f, &codes[line.start], line.length, nullptr);
			size.width = std::max(size.width, static_cast<std::uint64_t>(drawn));
		}
		size.height += std::uint64_t{f.height} * blocks.back().lines.size();
	}
	if (size.width == 0 || size.height == 0)
		fatal("the text takes no room in the fonts chosen: nothing to draw");
	const unsigned scale = fitting_scale(size, options.scale);
	if (scale == 0)
		fatal("the picture would be too large even at scale 1; draw fewer fonts at a time with --font, or "
		      "wrap the text with --wrap");

	const std::uint64_t width = size.width;
	const std::uint64_t height = size.height;
	const std::size_t stride = (width + 7) / 8;
	std::vector<std::uint8_t> bits(stride * height);
	zf_canvas canvas;
	zf_canvas_init(&canvas, bits.data(), static_cast<int>(width), static_cast<int>(height), stride, ZF_ROWS);
	int y = 0;
	for (const text_block &b : blocks)
		for (const text_line &line : b.lines) {
			zf_draw(&canvas, &b.font, 0, y, &codes[line.start], line.length, nullptr);
			y += b.font.height;
		}

	note_scale(options, scale);
	claim_binary_output("image data");
	write_png(static_cast<std::uint32_t>(width * scale), static_cast<std::uint32_t>(height * scale),
	          [&](std::uint32_t row_y, std::vector<unsigned char> &row) {
			  if (row_y % scale != 0)
				  return;
			  const std::uint8_t *bit_row = &bits[row_y / scale * stride];
			  for (std::size_t x = 0; x < width; x++) {
				  const bool set = ((bit_row[x / 8] >> (7 - x % 8)) & 1U) != 0;
				  std::fill_n(row.begin() + static_cast<std::ptrdiff_t>(x * scale), scale,
			                      set ? INK : PAPER);
			  }
		  });
	finish_stdout();
}
