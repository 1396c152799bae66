// The parts of zirk2png with logic of their own, in-process: the captions,
// the layout's bounds, the compiled-in caption font, libpng's faults.
#include "caption.h"
#include "caption_font.h"
#include "messages.h"
#include "png_output.h"
#include "sheet.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <set>
#include <string>

namespace {

// The record the shared reader makes of a test font.
font_record record_of(const test_font &f)
{
	const std::string bytes = container_of({f});
	std::vector<char> copy(bytes.begin(), bytes.end());
	std::FILE *file = fmemopen(copy.data(), copy.size(), "rb");
	container_reader reader = open_container_stream(file, "test");
	font_record font;
	EXPECT_TRUE(read_font(reader, font));
	close_container(reader);
	(void)std::fclose(file);
	return font;
}

std::vector<std::string> texts(const std::vector<caption_line> &lines, bool notes)
{
	std::vector<std::string> out;
	for (const caption_line &l : lines)
		if (l.note == notes)
			out.push_back(l.text);
	return out;
}

}  // namespace

TEST(caption, names_the_font_and_its_geometry)
{
	test_font prop{
		.name = "Slim", .spacing = 'P', .height = 10, .first_char = 'a', .last_char = 'c', .widths = {3, 6, 4}};
	test_font even = prop;
	even.widths = {5, 5, 5};
	test_font empty{.name = "", .first_char = 'B', .last_char = 'A'};
	test_font empty_prop = empty;
	empty_prop.spacing = 'P';
	test_font one{.name = std::string("ctl\x01\x7f\xe9", 6), .first_char = 0, .last_char = 0};
	test_font full{.name = "sixteen chars ok", .fixed_width = 12, .first_char = 0x20, .last_char = 0xff};
	test_font stops{.name = std::string("abc\0def", 7)};
	const struct {
		test_font font;
		unsigned number;
		std::vector<std::string> lines;
	} cases[] = {
		{{.name = "Block 8x8"},
	         1,
	         {"Font 1 \"Block 8x8\"", "fixed, 8 wide, 8 high", "0x41 to 0x43, 3 characters"}},
		{prop, 2, {"Font 2 \"Slim\"", "proportional, 3 to 6 wide, 10 high", "0x61 to 0x63, 3 characters"}},
		{even, 3, {"Font 3 \"Slim\"", "proportional, 5 wide, 10 high", "0x61 to 0x63, 3 characters"}},
		{empty, 4, {"Font 4 \"\"", "fixed, 8 wide, 8 high", "no characters (first 0x42, last 0x41)"}},
		{empty_prop, 5, {"Font 5 \"\"", "proportional, 8 high", "no characters (first 0x42, last 0x41)"}},
		{one, 6, {"Font 6 \"ctl???\"", "fixed, 8 wide, 8 high", "0x00, 1 character"}},
		{full,
	         255,
	         {"Font 255 \"sixteen chars ok\"", "fixed, 12 wide, 8 high", "0x20 to 0xff, 224 characters"}},
		{stops, 7, {"Font 7 \"abc\"", "fixed, 8 wide, 8 high", "0x41 to 0x43, 3 characters"}},
	};
	for (const auto &c : cases) {
		const std::vector<caption_line> lines = caption_lines(record_of(c.font), c.number);
		EXPECT_EQ(texts(lines, false), c.lines);
		EXPECT_EQ(texts(lines, true), std::vector<std::string>{});
	}
}

TEST(caption, notes_what_korvane_refuses_and_what_the_block_lacks_or_adds)
{
	test_font tall{.fixed_width = 1, .height = 200, .first_char = 'A', .last_char = 'A'};
	test_font large{.height = 100, .first_char = 0, .last_char = 246};
	test_font short_block{.bitmap = std::string(20, 'x')};
	test_font one_short{.bitmap = std::string(23, 'x')};
	test_font surplus{.bitmap = std::string(25, 'x')};
	test_font much{.bitmap = std::string(30, 'x')};
	test_font everything{.height = 200, .first_char = 0, .last_char = 255, .bitmap = ""};
	const struct {
		test_font font;
		std::vector<std::string> notes;
	} cases[] = {
		{tall, {"korvane refuses it: height above 127"}},
		{large, {"korvane refuses it: the glyphs need 24700 bytes, over 24600"}},
		{short_block, {"the file holds 20 of the 24 bytes the glyphs need"}},
		{one_short, {"the file holds 23 of the 24 bytes the glyphs need"}},
		{surplus, {"1 byte after the glyphs, not drawn"}},
		{much, {"6 bytes after the glyphs, not drawn"}},
		{everything,
	         {"korvane refuses it: height above 127", "korvane refuses it: the glyphs need 51200 bytes, over 24600",
	          "the file holds 0 of the 51200 bytes the glyphs need"}},
	};
	for (const auto &c : cases)
		EXPECT_EQ(texts(caption_lines(record_of(c.font), 1), true), c.notes);
}

// Every caption and label is drawn in the compiled-in font: printable
// ASCII, each glyph different from every other, in the cell the layout
// counts on.
TEST(caption_font, covers_printable_ascii_legibly)
{
	const font_record font = caption_font();
	const font_header &h = font.header;
	EXPECT_FALSE(has_width_table(h));
	EXPECT_LT(h.fixed_width, TEXT_ADVANCE);
	EXPECT_EQ(h.height, TEXT_HEIGHT);
	EXPECT_EQ(h.first_char, 0x20);
	EXPECT_EQ(h.last_char, 0x7e);
	EXPECT_EQ(font.bitmap.size(), geometry_length(font));
	EXPECT_TRUE(korvane_takes(font));
	// Kept as strings: GCC 12 at -O3 misjudges the bounds of comparing
	// vectors of bytes in a set.
	std::set<std::string> seen;
	for (unsigned c = h.first_char; c <= h.last_char; c++) {
		const auto start = font.bitmap.begin() + glyph_offset(font, c);
		const std::string glyph(start, start + glyph_bytes(font, c));
		EXPECT_TRUE(seen.insert(glyph).second) << "glyph " << c << " looks like another";
		for (const char row : glyph)
			EXPECT_EQ(static_cast<unsigned char>(row) & (0xffU >> h.fixed_width), 0U)
				<< "padding set in glyph " << c;
	}
}

namespace {

std::optional<sheet> lay_out_fonts(const std::deque<font_record> &fonts, unsigned scale)
{
	std::vector<font_block> blocks;
	blocks.reserve(fonts.size());
	for (const font_record &f : fonts)
		blocks.push_back(block_for(f, static_cast<unsigned>(blocks.size() + 1)));
	return lay_out(blocks, scale);
}

bool within_bounds(const sheet &s)
{
	const std::uint64_t w = std::uint64_t{s.width} * s.scale;
	const std::uint64_t h = std::uint64_t{s.height} * s.scale;
	return w <= 16384 && h <= 16384 && w * h <= 100'000'000;
}

}  // namespace

// 255 fonts of 24600 bytes or nearly, the most korvane joins, of the
// shapes the manual page names: those of narrow glyphs fit at scale 1, in
// columns, each block whole within one; those of glyphs 128 wide do not.
TEST(layout, keeps_the_largest_containers_korvane_takes_within_bounds)
{
	const struct {
		std::uint8_t width, height, last_char;
		bool fits;
	} shapes[] = {
		{8, 100, 245, true}, {16, 48, 255, true},  {32, 24, 255, true},
		{64, 12, 255, true}, {128, 6, 255, false},
	};
	for (const auto &shape : shapes) {
		const test_font f{.fixed_width = shape.width,
		                  .height = shape.height,
		                  .first_char = 0,
		                  .last_char = shape.last_char};
		const std::deque<font_record> fonts(255, record_of(f));
		const std::optional<sheet> s = lay_out_fonts(fonts, 32);
		ASSERT_EQ(s.has_value(), shape.fits) << +shape.width << " by " << +shape.height;
		if (!s)
			continue;
		EXPECT_TRUE(within_bounds(*s));
		EXPECT_EQ(s->scale, 1U);
		for (const font_block &b : s->blocks) {
			EXPECT_LE(b.x + b.width, s->width);
			EXPECT_LE(b.y + b.height, s->height);
		}
	}
}

TEST(layout, draws_smaller_only_what_would_not_fit)
{
	const std::deque<font_record> small{record_of({})};
	for (const unsigned scale : {1U, 3U, 32U}) {
		const std::optional<sheet> s = lay_out_fonts(small, scale);
		ASSERT_TRUE(s.has_value());
		EXPECT_EQ(s->scale, scale);
	}

	// One font of 256 glyphs of 255 by 255 pixels.
	const test_font widest{.spacing = 'P',
	                       .height = 255,
	                       .first_char = 0,
	                       .last_char = 255,
	                       .widths = std::vector<std::uint8_t>(256, 255),
	                       .bitmap = ""};
	const std::deque<font_record> huge{record_of(widest)};
	const std::optional<sheet> s = lay_out_fonts(huge, 32);
	ASSERT_TRUE(s.has_value());
	EXPECT_TRUE(within_bounds(*s));
	EXPECT_EQ(s->scale, 2U);

	// A picture the bounds cannot hold even at scale 1 is none.
	const std::deque<font_record> many(255, huge.front());
	EXPECT_FALSE(lay_out_fonts(many, 1).has_value());
}

TEST(png_output, turns_a_libpng_fault_into_a_message)
{
	set_program_name("zirk2png");
	EXPECT_EXIT(write_png(0, 1, [](std::uint32_t, std::vector<unsigned char> &) {}), testing::ExitedWithCode(1),
	            "^zirk2png: cannot write the PNG image: Image width is zero in IHDR\n$");
}
