#include "export.h"

#include "command_line.h"
#include "messages.h"
#include "output.h"
#include "text.h"

#include <algorithm>
#include <array>

namespace {

enum option_key : int {
	FONT_KEY = 'f',
	CHARSET_KEY = 'c',
	MAP_KEY = 'm',
	DESCENT_KEY = 256,
};

// The bits of a row's last byte that lie within a glyph this wide.
unsigned char last_byte_mask(unsigned width)
{
	if (width % 8 == 0)
		return 0xff;
	return static_cast<unsigned char>(0xff00U >> (width % 8));
}

}  // namespace

const std::array<option_syntax, 4> EXPORT_OPTIONS{{
	{"font", FONT_KEY, true},
	{"charset", CHARSET_KEY, true, option_value::charset},
	{"map", MAP_KEY, true, option_value::file},
	{"descent", DESCENT_KEY, true},
}};

export_options parse_export_options(int argc, char **argv)
{
	export_options o;
	const std::vector<std::string> operands =
		parse_command_line(argc, argv, program_syntax, [&](int key, const char *value) {
			switch (key) {
			case FONT_KEY: o.font = number_value("--font", value, 1, MAX_FONTS); break;
			case CHARSET_KEY: o.charset = value; break;
			case MAP_KEY: o.map = value; break;
			case DESCENT_KEY: o.descent = number_value("--descent", value, 0, 255); break;
			default: break;
			}
		});
	if (!operands.empty())
		o.path = operands.front();
	// Standard input is read once, whole.
	if (o.map == "-" && o.path == "-")
		usage_error("standard input ('-') is named twice, and can be read once");
	return o;
}

code_map export_labels(const export_options &options)
{
	code_map labels = charset_codes(options.charset);
	if (options.map)
		labels = read_code_map(*options.map, std::move(labels));
	return owned_characters(labels);
}

chosen_font read_chosen_font(const export_options &options)
{
	container_reader reader = open_container(options.path);
	chosen_font chosen;
	chosen.path = reader.input->path();
	chosen.number = options.font;
	if (chosen.number == 0) {
		if (reader.count == 0)
			file_fatal(chosen.path, "holds no fonts");
		if (reader.count > 1)
			usage_error(chosen.path + " holds " + plural(reader.count, "font", "fonts") +
			            "; choose one with --font");
		chosen.number = 1;
	}
	font_choice choice;
	choice.chosen.set(chosen.number);
	choice.highest = chosen.number;
	check_fonts(choice, reader.count, chosen.path);
	while (reader.read < chosen.number)
		read_font(reader, chosen.record);
	// Only the last font is followed by bytes the format does not hold.
	if (reader.read == reader.count) {
		std::array<unsigned char, 4096> chunk{};
		for (std::size_t got; (got = read_more(reader, chunk.data(), chunk.size())) > 0;)
			chosen.losses.trailing += got;
	}
	close_container(reader);
	count_losses(chosen.record, chosen.losses);
	return chosen;
}

std::vector<unsigned char> glyph_rows(const font_record &font, unsigned code)
{
	const unsigned width = glyph_width(font, code);
	const unsigned row_bytes = row_bytes_for_width(width);
	std::vector<unsigned char> rows(glyph_bytes(font, code));
	const std::size_t at = glyph_offset(font, code);
	if (at < font.bitmap.size())
		std::copy_n(font.bitmap.begin() + static_cast<std::ptrdiff_t>(at),
		            std::min(rows.size(), font.bitmap.size() - at), rows.begin());
	for (std::size_t end = row_bytes; end <= rows.size() && row_bytes > 0; end += row_bytes)
		rows[end - 1] &= last_byte_mask(width);
	return rows;
}

void count_losses(const font_record &font, export_losses &losses)
{
	const std::uint32_t need = geometry_length(font);
	const std::size_t stored = font.bitmap.size();
	losses.surplus = stored > need ? static_cast<std::uint32_t>(stored - need) : 0;
	losses.missing = stored < need ? need - static_cast<std::uint32_t>(stored) : 0;
	std::size_t at = 0;
	for (unsigned code = font.header.first_char; code <= font.header.last_char; code++) {
		const unsigned width = glyph_width(font, code);
		const unsigned row_bytes = row_bytes_for_width(width);
		bool padded = false;
		for (unsigned y = 0; y < font.header.height && row_bytes > 0; y++, at += row_bytes) {
			const std::size_t last = at + row_bytes - 1;
			padded = padded || (last < stored && (font.bitmap[last] & ~last_byte_mask(width)) != 0);
		}
		losses.padded_glyphs += padded ? 1 : 0;
	}
}

std::vector<unsigned char> centred_rows(std::span<const unsigned char> rows, glyph_box box, unsigned cell_width)
{
	const auto [width, height] = box;
	const unsigned row_bytes = row_bytes_for_width(width);
	const unsigned cell_bytes = row_bytes_for_width(cell_width);
	const unsigned shift = (cell_width - width) / 2;
	std::vector<unsigned char> cell(std::size_t{cell_bytes} * height);
	for (unsigned y = 0; y < height; y++)
		for (unsigned x = 0; x < width; x++)
			if (row_bit(rows.data() + std::size_t{y} * row_bytes, x))
				set_row_bit(cell.data() + std::size_t{y} * cell_bytes, x + shift);
	return cell;
}

unsigned widest_glyph(const font_record &font)
{
	unsigned widest = 0;
	for (unsigned code = font.header.first_char; code <= font.header.last_char; code++)
		widest = std::max(widest, glyph_width(font, code));
	return widest;
}

void write_font(const std::string &bytes, const std::string &summary)
{
	write_stdout(bytes);
	finish_stdout();
	note(summary);
}

std::string font_title(const chosen_font &chosen)
{
	return "font " + std::to_string(chosen.number) + " \"" + shown_name(chosen.record.header) + "\"";
}

std::string losses_text(const export_losses &losses)
{
	std::string text;
	if (losses.missing > 0)
		text += "; the block lacks " + plural(losses.missing, "byte", "bytes") +
		        " of its glyphs, written blank";
	std::vector<std::string> lost;
	if (losses.padded_glyphs > 0)
		lost.push_back("padding bits set in " + plural(losses.padded_glyphs, "glyph", "glyphs"));
	if (losses.surplus > 0)
		lost.push_back(plural(losses.surplus, "surplus byte", "surplus bytes"));
	if (losses.trailing > 0)
		lost.push_back(plural(losses.trailing, "byte", "bytes") + " after the last font");
	for (std::size_t i = 0; i < lost.size(); i++)
		text += (i == 0 ? "; not carried: " : ", ") + lost[i];
	if (!lost.empty())
		text += " (zirk2txt keeps them)";
	return text;
}
