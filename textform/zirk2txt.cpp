// zirk2txt [OPTIONS] [FILE]: a zirk container as text, one font at a time.
#include "textform.h"

#include "../charmap/charmap.h"
#include "../toolkit/command_line.h"
#include "../toolkit/messages.h"
#include "../toolkit/output.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

// Text goes out whenever a font's text takes it past this size, so that at
// most one font's text is held, whatever the container holds.
constexpr std::size_t FLUSH_AT = std::size_t{1} << 16;

struct run {
	std::string path = "-";
	bool list = false;
	font_choice fonts;
	bool some_fonts = false;  // --font given: fonts are numbered anew
	std::string charset = "ISO-8859-1";
	std::optional<std::string> map;
};

// Each code shows the first character of its list that is no control
// character, as the exporters label it; the text stays one line a heading.
heading_characters headings(const run &r)
{
	code_map codes = charset_codes(r.charset);
	if (r.map)
		codes = read_code_map(*r.map, std::move(codes));
	heading_characters shown;
	for (unsigned code = 0; code < CODES; code++) {
		const auto wanted =
			std::find_if(codes[code].begin(), codes[code].end(), [](char32_t c) { return !is_control(c); });
		if (wanted != codes[code].end())
			append_utf8(shown[code], *wanted);
	}
	return shown;
}

void flush(std::string &out)
{
	write_stdout(out);
	out.clear();
}

// The bytes after the last record, in pieces.
void convert_trailing(const container_reader &reader, std::string &out)
{
	std::array<unsigned char, FLUSH_AT> chunk{};
	bool first = true;
	for (std::size_t got; (got = read_more(reader, chunk.data(), chunk.size())) > 0; first = false) {
		if (first)
			append_trailing(out, chunk.data(), got);
		else
			append_hex_lines(out, chunk.data(), got);
		flush(out);
	}
}

void convert(const run &r)
{
	const heading_characters shown = headings(r);
	container_reader reader = open_container(r.path);
	check_fonts(r.fonts, reader.count, r.path);
	std::string out;
	if (!r.list)
		append_form_line(out);
	unsigned written = 0;
	font_record font;
	while (read_font(reader, font)) {
		if (!font_chosen(r.fonts, reader.read))
			continue;
		written++;
		if (r.list) {
			// Each line as soon as its font is read: a fault further on
			// leaves the fonts before it listed.
			append_listing(out, font, reader.read);
			flush(out);
			finish_stdout();
		} else {
			append_font(out, font, written, r.some_fonts ? reader.read : 0, shown);
			if (out.size() >= FLUSH_AT)
				flush(out);
		}
	}
	// Bytes after the last record belong to the whole container alone.
	if (!r.list && written == reader.count)
		convert_trailing(reader, out);
	close_container(reader);
	flush(out);
}

}  // namespace

int main(int argc, char **argv)
{
	run r;
	const std::vector<std::string> operands =
		parse_command_line(argc, argv, program_syntax, [&](int key, const char *value) {
			switch (key) {
			case 'l': r.list = true; break;
			case 'c': r.charset = value; break;
			case 'm': r.map = value; break;
			default:
				add_fonts(r.fonts, value);
				r.some_fonts = true;
				break;
			}
		});
	if (!operands.empty())
		r.path = operands.front();
	if (r.map == "-" && r.path == "-")
		usage_error("standard input ('-') is named twice, and can be read once");
	convert(r);
	finish_stdout();
	return 0;
}
