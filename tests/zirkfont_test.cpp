// The device library against the toolkit's own reader: thousands of random
// containers opened by both, every font drawn by the library into both
// layouts and through the callback and compared with a plain rendering of
// the toolkit's font_record; measuring, wrapping and UTF-8 against plain
// rules; and damaged containers refused as the toolkit's reader and
// korvane refuse them, at the same record.
#include "random_container.h"

#include "charmap.h"
#include "zirkfont.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace {

using bytes = std::vector<unsigned char>;

unsigned below(std::mt19937 &rng, unsigned n)
{
	return std::uniform_int_distribution<unsigned>(0, n - 1)(rng);
}

int between(std::mt19937 &rng, int low, int high)
{
	return std::uniform_int_distribution<int>(low, high)(rng);
}

void fill_random(std::mt19937 &rng, std::vector<unsigned char> &v, std::size_t n)
{
	v.resize(n);
	for (unsigned char &b : v)
		b = static_cast<unsigned char>(below(rng, 256));
}

// A font the library must take: a random one with its height brought into
// range and its block made at least as long as its glyphs need; now and then
// one whose block is near the largest the format allows.
font_record drawable_font(std::mt19937 &rng)
{
	font_record font = random_font(rng);
	font_header &h = font.header;
	if (below(rng, 10) == 0) {
		h.spacing = 0;
		h.fixed_width = static_cast<unsigned char>(1 + below(rng, 40));
		h.height = static_cast<unsigned char>(1 + below(rng, MAX_HEIGHT));
		const unsigned glyph = row_bytes_for_width(h.fixed_width) * h.height;
		const unsigned count = std::min<unsigned>(CHAR_CODES, BITMAP_STORE_SIZE / glyph);
		h.first_char = static_cast<unsigned char>(below(rng, CHAR_CODES - count + 1));
		h.last_char = static_cast<unsigned char>(h.first_char + count - 1);
		font.widths.clear();
	}
	if (h.height > MAX_HEIGHT)
		h.height = static_cast<unsigned char>(MAX_HEIGHT - below(rng, 3));
	// Big glyphs of many codes would blow the geometry: fewer codes then.
	while (geometry_length(font) > BITMAP_STORE_SIZE) {
		h.last_char = static_cast<unsigned char>(h.first_char + char_count(h) / 2 - 1);
		font.widths.resize(has_width_table(h) ? char_count(h) : 0);
	}
	const std::uint32_t need = geometry_length(font);
	if (font.bitmap.size() < need || below(rng, 4) == 0) {
		fill_random(rng, font.bitmap, need + (below(rng, 2) != 0 ? below(rng, 20) : 0));
		h.bitmap_size = static_cast<std::uint16_t>(font.bitmap.size());
	}
	return font;
}

// Drawn into by both sides; one byte per pixel, so that both canvases and
// the callback compare alike.
struct picture {
	int width = 0, height = 0;
	std::vector<unsigned char> pixels;  // 0, 1; 2 where the callback was never called
	std::set<std::pair<int, int>> touched;
};

struct clip_box {
	int x0, y0, x1, y1;  // x0 <= x < x1, y0 <= y < y1
};

struct scene {
	int width, height;
	clip_box clip;  // as given to zf_canvas_clip, before the canvas bounds it
	bool clipped;
	int x, y;
	zf_style style;
	bool null_style;
	std::vector<std::uint8_t> codes;
};

// A pixel's place in a picture one byte to a pixel; x and y are on it.
std::size_t pixel_index(int x, int y, int width)
{
	return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
}

// A scene's style as the library reads it: none draws plainly.
struct plain_style {
	int scale;
	int spacing;
	bool opaque;
	bool inverse;
};

plain_style style_in(const scene &s)
{
	if (s.null_style)
		return {1, 0, false, false};
	return {s.style.scale == 0 ? 1 : static_cast<int>(s.style.scale), s.style.spacing, s.style.opaque,
	        s.style.inverse};
}

// The part of the canvas drawing may reach: the clip within the canvas.
clip_box visible_part(const scene &s)
{
	if (!s.clipped)
		return {0, 0, s.width, s.height};
	return {std::max(0, s.clip.x0), std::max(0, s.clip.y0), std::min(s.width, s.clip.x1),
	        std::min(s.height, s.clip.y1)};
}

// One glyph's cell, its left edge at pen, pixel by pixel from the toolkit's
// record of the font.
void expected_glyph(const font_record &font, std::uint8_t code, int pen, const scene &s, picture &p)
{
	const plain_style style = style_in(s);
	const clip_box visible = visible_part(s);
	const int w = static_cast<int>(glyph_width(font, code));
	const std::uint32_t start = glyph_offset(font, code);
	const unsigned row_bytes = row_bytes_for_width(static_cast<unsigned>(w));
	for (int py = std::max(visible.y0, s.y); py < std::min(visible.y1, s.y + font.header.height * style.scale);
	     py++)
		for (int px = std::max(visible.x0, pen); px < std::min(visible.x1, pen + w * style.scale); px++) {
			const int gx = (px - pen) / style.scale;
			const int gy = (py - s.y) / style.scale;
			const unsigned char *row = &font.bitmap[start + static_cast<unsigned>(gy) * row_bytes];
			const bool ink = row_bit(row, static_cast<unsigned>(gx));
			if (!ink && !style.opaque)
				continue;
			p.pixels[pixel_index(px, py, p.width)] = ink != style.inverse ? 1 : 0;
			p.touched.emplace(px, py);
		}
}

// The plain rendering: each drawn glyph's cell in turn; returns where the
// pen ends.
int expected_drawing(const font_record &font, const scene &s, picture &p)
{
	const font_header &h = font.header;
	const plain_style style = style_in(s);
	int pen = s.x;
	bool first = true;
	for (const std::uint8_t code : s.codes) {
		if (code < h.first_char || code > h.last_char || glyph_width(font, code) == 0)
			continue;
		if (!first)
			pen += style.spacing * style.scale;
		first = false;
		expected_glyph(font, code, pen, s, p);
		pen += static_cast<int>(glyph_width(font, code)) * style.scale;
	}
	return pen;
}

const zf_style *style_of(const scene &s)
{
	return s.null_style ? nullptr : &s.style;
}

void clip(zf_canvas &cv, const scene &s)
{
	if (s.clipped)
		zf_canvas_clip(&cv, s.clip.x0, s.clip.y0, s.clip.x1 - s.clip.x0, s.clip.y1 - s.clip.y0);
}

// A canvas of either layout, its bytes (padding included) random at first.
struct bit_canvas {
	zf_layout layout;
	std::size_t stride;
	bytes bits;

	void set(int x, int y, bool on)
	{
		const auto ux = static_cast<std::size_t>(x);
		const auto uy = static_cast<std::size_t>(y);
		unsigned char &b = layout == ZF_ROWS ? bits[uy * stride + ux / 8] : bits[uy / 8 * stride + ux];
		const unsigned mask = layout == ZF_ROWS ? 0x80U >> (ux % 8) : 1U << (uy % 8);
		b = static_cast<unsigned char>(on ? b | mask : b & ~mask);
	}
};

bit_canvas random_canvas(std::mt19937 &rng, zf_layout layout, int width, int height)
{
	bit_canvas c{layout, 0, {}};
	const auto w = static_cast<std::size_t>(width);
	const auto h = static_cast<std::size_t>(height);
	c.stride = (layout == ZF_ROWS ? (w + 7) / 8 : w) + below(rng, 3);
	fill_random(rng, c.bits, c.stride * (layout == ZF_ROWS ? h : (h + 7) / 8));
	return c;
}

void record_pixel(void *ctx, int x, int y, bool set)
{
	auto *p = static_cast<picture *>(ctx);
	p->touched.emplace(x, y);
	if (x >= 0 && y >= 0 && x < p->width && y < p->height)
		p->pixels[pixel_index(x, y, p->width)] = set ? 1 : 0;
}

scene random_scene(std::mt19937 &rng, const font_record &font)
{
	scene s{};
	s.width = between(rng, 0, 70);
	s.height = between(rng, 0, 40);
	s.clipped = below(rng, 2) != 0;
	s.clip.x0 = between(rng, -10, 60);
	s.clip.y0 = between(rng, -10, 40);
	s.clip.x1 = s.clip.x0 + between(rng, -3, 50);
	s.clip.y1 = s.clip.y0 + between(rng, -3, 40);
	s.x = between(rng, -80, 80);
	s.y = between(rng, -60, 50);
	if (below(rng, 20) == 0) {  // far off the canvas
		s.x = between(rng, -3000, 3000);
		s.y = between(rng, -3000, 3000);
	}
	s.null_style = below(rng, 8) == 0;
	s.style.scale = below(rng, 5);
	s.style.spacing = between(rng, -6, 6);
	s.style.opaque = below(rng, 2) != 0;
	s.style.inverse = below(rng, 3) == 0;
	const unsigned lowest = font.header.first_char;
	for (unsigned i = 0, n = below(rng, 9); i < n; i++)
		s.codes.push_back(
			static_cast<std::uint8_t>(below(rng, 4) == 0 ? below(rng, 256) : lowest + below(rng, 12)));
	return s;
}

// Draws one scene each way and compares each with the plain rendering.
void check_scene(std::mt19937 &rng, const font_record &font, const zf_font &zf, const scene &s)
{
	const auto area = static_cast<std::size_t>(s.width) * static_cast<std::size_t>(s.height);
	picture want{s.width, s.height, std::vector<unsigned char>(area, 2), {}};
	const int want_end = expected_drawing(font, s, want);
	const std::size_t n = s.codes.size();

	EXPECT_EQ(zf_width(&zf, s.codes.data(), n, style_of(s)), want_end - s.x);

	for (const zf_layout layout : {ZF_ROWS, ZF_PAGES}) {
		bit_canvas got = random_canvas(rng, layout, s.width, s.height);
		bit_canvas expected = got;
		for (const auto &[x, y] : want.touched)
			expected.set(x, y, want.pixels[pixel_index(x, y, s.width)] != 0);
		zf_canvas cv;
		zf_canvas_init(&cv, got.bits.data(), s.width, s.height, got.stride, layout);
		clip(cv, s);
		EXPECT_EQ(zf_draw(&cv, &zf, s.x, s.y, s.codes.data(), n, style_of(s)), want_end);
		EXPECT_EQ(got.bits, expected.bits) << (layout == ZF_ROWS ? "rows" : "pages");
	}

	picture got{s.width, s.height, std::vector<unsigned char>(area, 2), {}};
	zf_canvas cv;
	zf_canvas_callback(&cv, s.width, s.height, record_pixel, &got);
	clip(cv, s);
	EXPECT_EQ(zf_draw(&cv, &zf, s.x, s.y, s.codes.data(), n, style_of(s)), want_end);
	EXPECT_EQ(got.touched, want.touched) << "the callback was called for other pixels";
	for (const auto &[x, y] : want.touched) {
		const std::size_t at = pixel_index(x, y, s.width);
		EXPECT_EQ(got.pixels[at], want.pixels[at]) << "at (" << x << ", " << y << ")";
	}
}

// The font's numbers, its widths and the style, for a failure's message.
std::string describe(const zf_font &zf, const zf_style *style)
{
	std::string text = std::to_string(zf.fixed_width) + "x" + std::to_string(zf.height) + " font, codes " +
	                   std::to_string(zf.first_char) + "-" + std::to_string(zf.last_char);
	for (unsigned c = zf.first_char; zf.proportional && c <= zf.last_char; c++)
		text += (c == zf.first_char ? ", widths " : " ") + std::to_string(zf.widths[c - zf.first_char]);
	if (style != nullptr)
		text += "; scale " + std::to_string(style->scale) + " spacing " + std::to_string(style->spacing) +
		        (style->opaque ? " opaque" : "") + (style->inverse ? " inverse" : "");
	return text;
}

std::size_t record_size(const font_record &font)
{
	return FONT_HEADER_SIZE + font.widths.size() + font.bitmap.size();
}

// What zf_open must say of a container: the first record at fault, in the
// order of the library's checks, after the toolkit reader's word on where the
// file is damaged.
struct verdict {
	zf_error error;
	std::size_t at;
};

// The toolkit's reader ends a run on damage; it reads each container in a
// process of its own, and its message tells what and where.
std::string toolkit_complaint(const bytes &file)
{
	int pipe_ends[2];
	if (pipe(pipe_ends) != 0)
		throw std::runtime_error("pipe failed");
	const pid_t child = fork();
	if (child == 0) {
		(void)dup2(pipe_ends[1], STDERR_FILENO);
		bytes copy = file;
		copy.push_back(0);  // fmemopen of an empty buffer
		std::FILE *in = fmemopen(copy.data(), file.size(), "rb");
		if (in == nullptr || file.empty()) {
			// The child ends here, whether the word got through or not.
			[[maybe_unused]] const ssize_t sent =
				write(STDERR_FILENO, "x: test: this is no zirk font file\n", 35);
			_exit(1);
		}
		container_reader reader = open_container_stream(in, "test");
		font_record font;
		while (read_font(reader, font)) {
		}
		_exit(0);
	}
	(void)close(pipe_ends[1]);
	std::string said;
	char chunk[256];
	for (ssize_t got; (got = read(pipe_ends[0], chunk, sizeof chunk)) > 0;)
		said.append(chunk, static_cast<std::size_t>(got));
	(void)close(pipe_ends[0]);
	int status = 0;
	(void)waitpid(child, &status, 0);
	return said;
}

// The first records of a file, read by the toolkit, which is known to take
// them.
std::vector<font_record> first_records(const bytes &file, unsigned count)
{
	bytes copy = file;
	std::FILE *in = fmemopen(copy.data(), copy.size(), "rb");
	container_reader reader = open_container_stream(in, "test");
	std::vector<font_record> fonts(count);
	for (font_record &font : fonts)
		read_font(reader, font);
	return fonts;
}

std::optional<zf_error> korvane_refusal(const font_record &font)
{
	if (font.header.height > MAX_HEIGHT)
		return ZF_TOO_TALL;
	if (geometry_length(font) > BITMAP_STORE_SIZE)
		return ZF_TOO_LARGE;
	if (font.header.bitmap_size < geometry_length(font))
		return ZF_SHORT_BLOCK;
	return std::nullopt;
}

// The font the toolkit's reader names in its complaint, as in
// "x: test: font 3: ...".
unsigned named_font(const std::string &said)
{
	static const std::string marker = ": test: font ";
	const std::size_t colon = said.find(':');
	if (colon != 0 && colon != std::string::npos && said.compare(colon, marker.size(), marker) == 0) {
		unsigned n = 0;
		const char *digits = said.data() + colon + marker.size();
		if (std::from_chars(digits, said.data() + said.size(), n).ec == std::errc())
			return n;
	}
	throw std::runtime_error("unexpected word from the toolkit's reader: " + said);
}

// A container as random_container writes it is whole, and the toolkit reads
// it in this process; only a damaged copy needs a process of its own.
verdict expected_verdict(const bytes &file, bool whole)
{
	const std::string said = whole ? std::string() : toolkit_complaint(file);
	if (said.find("no zirk font file") != std::string::npos)
		return {ZF_NOT_ZIRK, 0};
	const unsigned damaged = said.empty() ? 0 : named_font(said);  // from 1; 0 for none
	const unsigned readable = damaged > 0 ? damaged - 1 : file[MAGIC_SIZE];
	std::size_t at = CONTAINER_HEADER_SIZE;
	for (const font_record &font : first_records(file, readable)) {
		if (const auto refusal = korvane_refusal(font))
			return {*refusal, at};
		at += record_size(font);
	}
	if (damaged == 0)
		return {ZF_OK, 0};
	if (said.find("invalid character range") != std::string::npos)
		return {ZF_BAD_RANGE, at};
	// Truncated: in the header or width table, or only in the block, where
	// the checks of the header's numbers come first.
	font_record font;
	if (file.size() - at < FONT_HEADER_SIZE)
		return {ZF_TRUNCATED, at};
	std::memcpy(&font.header, &file[at], FONT_HEADER_SIZE);
	if (host_is_big_endian())
		swap_u16(font.header.bitmap_size);
	const std::size_t table = has_width_table(font.header) ? char_count(font.header) : 0;
	if (file.size() - at - FONT_HEADER_SIZE < table)
		return {ZF_TRUNCATED, at};
	font.widths.assign(file.begin() + static_cast<std::ptrdiff_t>(at + FONT_HEADER_SIZE),
	                   file.begin() + static_cast<std::ptrdiff_t>(at + FONT_HEADER_SIZE + table));
	return {korvane_refusal(font).value_or(ZF_TRUNCATED), at};
}

bytes damaged_copy(std::mt19937 &rng, bytes file)
{
	switch (below(rng, 3)) {
	case 0: file.resize(below(rng, static_cast<unsigned>(file.size()) + 1)); break;
	case 1:  // in the headers, mostly
		for (unsigned i = 0, n = 1 + below(rng, 3); i < n && !file.empty(); i++)
			file[below(rng, std::min<unsigned>(static_cast<unsigned>(file.size()), 64))] =
				static_cast<unsigned char>(below(rng, 256));
		break;
	default:
		for (unsigned i = 0, n = 1 + below(rng, 3); i < n && !file.empty(); i++)
			file[below(rng, static_cast<unsigned>(file.size()))] ^=
				static_cast<unsigned char>(1U << below(rng, 8));
		if (below(rng, 2) != 0)
			file.resize(below(rng, static_cast<unsigned>(file.size()) + 1));
	}
	return file;
}

// The rules of wrapping, plainly: words with the spaces before them, one by
// one, while the line from its start to the word's end fits.
std::pair<std::size_t, std::size_t> expected_wrap(const zf_font &zf, const std::vector<std::uint8_t> &codes, int max,
                                                  const zf_style *style)
{
	const std::size_t n = codes.size();
	const auto fits = [&](std::size_t end) { return zf_width(&zf, codes.data(), end, style) <= max; };
	std::size_t line = 0;  // end of the last word taken
	bool words = false;
	for (std::size_t at = 0;;) {
		std::size_t word = at;
		while (word < n && codes[word] == ' ')
			word++;
		if (word == n)
			return {line, n};
		if (codes[word] == '\n')
			return {line, word + 1};
		std::size_t end = word;
		while (end < n && codes[end] != ' ' && codes[end] != '\n')
			end++;
		if (fits(end)) {
			line = end;
			words = true;
			at = end;
			continue;
		}
		// Only a word wider than a line on its own is cut; one that fails
		// for the spaces before it starts the next line.
		if (words || zf_width(&zf, &codes[word], end - word, style) <= max)
			return {line, word};
		std::size_t cut = word + 1;
		while (cut < end && fits(cut + 1))
			cut++;
		return {cut, cut};
	}
}

// What a lead byte asks of the bytes after it: how many in all (0 for a
// byte no character starts with), and the range of the second, narrower
// where an overlong form, a surrogate or a code past U+10FFFF would begin.
struct utf8_lead {
	unsigned length;
	unsigned low;
	unsigned high;
};

utf8_lead lead_of(unsigned char b0)
{
	if (b0 < 0x80)
		return {1, 0x80, 0xbf};
	if (b0 >= 0xc2 && b0 <= 0xdf)
		return {2, 0x80, 0xbf};
	if (b0 >= 0xe0 && b0 <= 0xef)
		return {3, b0 == 0xe0 ? 0xa0U : 0x80U, b0 == 0xed ? 0x9fU : 0xbfU};
	if (b0 >= 0xf0 && b0 <= 0xf4)
		return {4, b0 == 0xf0 ? 0x90U : 0x80U, b0 == 0xf4 ? 0x8fU : 0xbfU};
	return {0, 0x80, 0xbf};
}

// How many bytes from text[i], the lead included, its pattern takes.
std::size_t fitting_bytes(const std::string &text, std::size_t i, const utf8_lead &lead)
{
	std::size_t k = 1;
	while (k < lead.length && i + k < text.size()) {
		const auto b = static_cast<unsigned char>(text[i + k]);
		if (b < (k == 1 ? lead.low : 0x80) || b > (k == 1 ? lead.high : 0xbf))
			break;
		k++;
	}
	return k;
}

// Maximal ill-formed subsequences, as Unicode counts them for replacement:
// the bytes of a character's start up to the first that cannot follow.
std::vector<std::optional<char32_t>> expected_characters(const std::string &text)
{
	std::vector<std::optional<char32_t>> out;
	for (std::size_t i = 0; i < text.size();) {
		const utf8_lead lead = lead_of(static_cast<unsigned char>(text[i]));
		const unsigned length = lead.length;
		const std::size_t k = fitting_bytes(text, i, lead);
		if (length == 0 || k < length) {
			out.emplace_back(std::nullopt);
			i += std::max<std::size_t>(k, 1);
			continue;
		}
		// The lead's own bits, then six from each byte after it.
		char32_t c = static_cast<unsigned char>(text[i]) & (length == 1 ? 0x7fU : 0x7fU >> length);
		for (std::size_t j = 1; j < length; j++)
			c = c << 6 | (static_cast<unsigned char>(text[i + j]) & 0x3fU);
		out.emplace_back(c);
		i += length;
	}
	return out;
}

// The code zf_encode must give a character: through the map, or itself
// without one; 0x7f for a fault or a character with no code.
std::uint8_t expected_code(const std::optional<char32_t> &c, const zf_charmap *map)
{
	if (!c)
		return 0x7f;
	if (*c == '\n' || map == nullptr)
		return *c <= 0xff ? static_cast<std::uint8_t>(*c) : 0x7f;
	const std::uint32_t *end = map->chars + map->count;
	const std::uint32_t *found = std::find(map->chars, end, *c);
	return found == end ? 0x7f : map->codes[found - map->chars];
}

std::string random_text(std::mt19937 &rng)
{
	static const std::vector<std::string> pieces = {"a",
	                                                "Z",
	                                                " ",
	                                                "\n",
	                                                "\xc3\xa9",
	                                                "\xe2\x82\xac",
	                                                "\xf0\x9f\x98\x80",
	                                                "\xc2\x80",
	                                                "\xef\xbf\xbf",
	                                                "\xed\x9f\xbf",
	                                                "\xf4\x8f\xbf\xbf",
	                                                "\x80",
	                                                "\xbf",
	                                                "\xc0\xaf",
	                                                "\xc1",
	                                                "\xe0\x80",
	                                                "\xe0\xa0",
	                                                "\xed\xa0\x80",
	                                                "\xf0\x80\x80",
	                                                "\xf0\x90\x80",
	                                                "\xf4\x90\x80\x80",
	                                                "\xf5",
	                                                "\xff",
	                                                "\xe1\x80",
	                                                "\xf1\x80\x80",
	                                                "\xc3",
	                                                "\xe2\x82"};
	std::string text;
	for (unsigned i = 0, n = below(rng, 12); i < n; i++)
		text += pieces[below(rng, static_cast<unsigned>(pieces.size()))];
	return text;
}

}  // namespace

TEST(zirkfont, draws_what_the_toolkits_reader_reads)
{
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same fonts every run
	std::mt19937 rng(20261209);
	for (int i = 0; i < 3000; i++) {
		zirk_container container;
		for (unsigned k = 0, n = 1 + below(rng, 3); k < n; k++)
			container.fonts.push_back(drawable_font(rng));
		const bytes file = container_bytes(container);
		zf_container zc;
		std::size_t at = 1;
		ASSERT_EQ(zf_open(&zc, file.data(), file.size(), &at), ZF_OK) << "at " << at;
		ASSERT_EQ(zc.count, container.fonts.size());
		for (unsigned k = 0; k < container.fonts.size(); k++) {
			const font_record &font = container.fonts[k];
			zf_font zf;
			ASSERT_TRUE(zf_font_at(&zc, k, &zf));
			EXPECT_EQ(zf.proportional, has_width_table(font.header));
			EXPECT_EQ(zf.height, font.header.height);
			EXPECT_EQ(zf.first_char, font.header.first_char);
			EXPECT_EQ(zf.last_char, font.header.last_char);
			const std::string name(font.header.name.begin(),
			                       std::find(font.header.name.begin(), font.header.name.end(), 0));
			EXPECT_EQ(std::string(zf.name), name);
			for (int t = 0; t < 3; t++) {
				const scene s = random_scene(rng, font);
				SCOPED_TRACE(describe(zf, style_of(s)) + "; canvas " + std::to_string(s.width) + "x" +
				             std::to_string(s.height) + " at " + std::to_string(s.x) + "," +
				             std::to_string(s.y) + "; codes " + testing::PrintToString(s.codes));
				check_scene(rng, font, zf, s);
				if (HasFailure())
					return;
			}
		}
		zf_font past;
		EXPECT_FALSE(zf_font_at(&zc, static_cast<unsigned>(container.fonts.size()), &past));
	}
}

TEST(zirkfont, refuses_what_the_toolkit_or_korvane_refuses_at_the_same_record)
{
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same containers every run
	std::mt19937 rng(20261210);
	std::array<int, ZF_SHORT_BLOCK + 1> seen{};
	// Each damaged container costs a process, which the address sanitizer
	// makes slow: fewer there.
#if defined(__SANITIZE_ADDRESS__)
	const int damaged_every = 16;
#elif defined(__has_feature)
	const int damaged_every = __has_feature(address_sanitizer) ? 16 : 4;
#else
	const int damaged_every = 4;
#endif
	for (int i = 0; i < 4000; i++) {
		bytes file = container_bytes(random_container(rng));
		const bool whole = i % damaged_every != 0;
		if (!whole)
			file = damaged_copy(rng, file);
		const verdict want = expected_verdict(file, whole);
		zf_container zc;
		std::size_t at = 12345;
		const zf_error got = zf_open(&zc, file.data(), file.size(), &at);
		ASSERT_EQ(got, want.error) << "container " << i << ": " << zf_error_text(got) << " instead of "
					   << zf_error_text(want.error) << " (" << file.size() << " bytes)";
		ASSERT_EQ(at, got == ZF_OK ? 12345 : want.at) << "container " << i << ": " << zf_error_text(got);
		ASSERT_EQ(zf_open(&zc, file.data(), file.size(), nullptr), got);
		seen[got]++;
	}
	for (std::size_t e = 0; e < seen.size(); e++)
		EXPECT_GT(seen[e], 0) << "no containers met " << zf_error_text(static_cast<zf_error>(e));
}

TEST(zirkfont, wraps_greedily_by_words)
{
	// A fixed font 6 pixels wide, a line of 30.
	std::vector<unsigned char> table = {'Z', 'I', 'R', 'K', 'F', 'N', 'T', 1};
	font_record font;
	font.header.fixed_width = 6;
	font.header.height = 1;
	font.header.first_char = 0x0a;
	font.header.last_char = 0x7e;
	font.header.bitmap_size = static_cast<std::uint16_t>(char_count(font.header));
	font.bitmap.assign(font.header.bitmap_size, 0xfc);
	append_record(table, font);
	zf_container zc;
	zf_font zf;
	ASSERT_EQ(zf_open(&zc, table.data(), table.size(), nullptr), ZF_OK);
	ASSERT_TRUE(zf_font_at(&zc, 0, &zf));
	const struct {
		const char *text;
		std::size_t length, next;
	} cases[] = {
		{"hello world", 5, 6}, {"hi  there", 2, 4}, {"abcdefgh", 5, 5}, {"a\nb", 1, 2},
		{"ab   ", 2, 5},       {"", 0, 0},          {"\n\nx", 0, 1},    {"  ab cd", 4, 5},
		{"ab cd", 5, 5},       {"ab\n  cd", 2, 3},
	};
	for (const auto &c : cases) {
		std::size_t next = 99;
		const auto *codes = reinterpret_cast<const std::uint8_t *>(c.text);
		EXPECT_EQ(zf_wrap(&zf, codes, std::strlen(c.text), 30, nullptr, &next), c.length) << c.text;
		EXPECT_EQ(next, c.next) << c.text;
	}
}

TEST(zirkfont, wraps_and_measures_random_lines_by_the_rules)
{
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same lines every run
	std::mt19937 rng(20261211);
	for (int i = 0; i < 300; i++) {
		zirk_container container{{drawable_font(rng)}, {}};
		const bytes file = container_bytes(container);
		zf_container zc;
		zf_font zf;
		ASSERT_EQ(zf_open(&zc, file.data(), file.size(), nullptr), ZF_OK);
		ASSERT_TRUE(zf_font_at(&zc, 0, &zf));
		for (int t = 0; t < 10; t++) {
			std::vector<std::uint8_t> codes;
			for (unsigned k = 0, n = below(rng, 16); k < n; k++) {
				const unsigned pick = below(rng, 6);
				codes.push_back(static_cast<std::uint8_t>(pick == 0   ? ' '
				                                          : pick == 1 ? '\n'
				                                                      : zf.first_char + below(rng, 6)));
			}
			zf_style style{1 + below(rng, 3), between(rng, -1, 3), false, false};
			const int max = between(rng, -2, 60);
			const auto [length, next] = expected_wrap(zf, codes, max, &style);
			std::size_t got_next = 9999;
			EXPECT_EQ(zf_wrap(&zf, codes.data(), codes.size(), max, &style, &got_next), length)
				<< "max " << max << ", codes " << testing::PrintToString(codes) << ", "
				<< describe(zf, &style);
			EXPECT_EQ(got_next, next);
			if (HasFailure())
				return;
		}
	}
}

TEST(zirkfont, encodes_utf8_as_the_toolkit_decodes_it)
{
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same texts every run
	std::mt19937 rng(20261212);
	const std::uint32_t chars[] = {0x0a, 'a', 0xe9, 0x20ac, 0xfffd, 0x1f600};
	const std::uint8_t codes[] = {0x55, 0x61, 0x82, 0x80, 0x3f, 0x01};
	const zf_charmap map{chars, codes, std::size(chars)};
	font_record font = drawable_font(rng);
	font.header.first_char = 0;
	font.header.last_char = 0xff;
	font.header.spacing = PROPORTIONAL;
	fill_random(rng, font.widths, CHAR_CODES);
	for (unsigned char &w : font.widths)
		w %= 7;
	font.header.height = 3;
	fill_random(rng, font.bitmap, geometry_length(font));
	font.header.bitmap_size = static_cast<std::uint16_t>(font.bitmap.size());
	const bytes file = container_bytes({{font}, {}});
	zf_container zc;
	zf_font zf;
	ASSERT_EQ(zf_open(&zc, file.data(), file.size(), nullptr), ZF_OK);
	ASSERT_TRUE(zf_font_at(&zc, 0, &zf));
	const zf_style style{2, -1, true, false};
	for (int i = 0; i < 3000; i++) {
		const std::string text = random_text(rng);
		const bool mapped = below(rng, 2) != 0;
		const zf_charmap *m = mapped ? &map : nullptr;
		std::vector<std::uint8_t> want;
		for (const auto &c : expected_characters(text))
			want.push_back(expected_code(c, m));
		// Drawn and measured on the fly as the codes are.
		EXPECT_EQ(zf_width_utf8(&zf, m, text.data(), text.size(), 0x7f, &style),
		          zf_width(&zf, want.data(), want.size(), &style));
		picture by_codes{64, 8, std::vector<unsigned char>(std::size_t{64} * 8, 2), {}};
		picture by_text = by_codes;
		zf_canvas cv;
		zf_canvas_callback(&cv, 64, 8, record_pixel, &by_codes);
		const int end = zf_draw(&cv, &zf, -3, 1, want.data(), want.size(), &style);
		zf_canvas_callback(&cv, 64, 8, record_pixel, &by_text);
		EXPECT_EQ(zf_draw_utf8(&cv, &zf, m, -3, 1, text.data(), text.size(), 0x7f, &style), end);
		EXPECT_EQ(by_text.pixels, by_codes.pixels);

		const std::size_t capacity = below(rng, 4) == 0 ? below(rng, 6) : 64;
		std::vector<std::uint8_t> got(capacity + 1, 0xee);
		const std::size_t count = zf_encode(m, text.data(), text.size(), got.data(), capacity, 0x7f);
		want.resize(std::min(want.size(), capacity));
		ASSERT_EQ(got[capacity], 0xee) << "written past the capacity";
		got.resize(count);
		ASSERT_EQ(got, want) << (mapped ? "mapped " : "") << testing::PrintToString(text);
	}
}
