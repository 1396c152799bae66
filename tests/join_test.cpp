// Successful runs: what a user gets on standard output and standard error.
#include "run_program.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

static std::string records_of(const std::vector<test_font> &fonts)
{
	std::string out;
	for (const test_font &s : fonts)
		out += record(s);
	return out;
}

TEST(join, one_font_file_then_two_font_file)
{
	const scratch_dir dir;
	const test_font a{.name = "Alpha", .first_char = '0', .last_char = '9', .seed = 1};
	const test_font b{.name = "Beta",
	                  .spacing = 'P',
	                  .height = 12,
	                  .first_char = 'a',
	                  .last_char = 'd',
	                  .widths = {3, 8, 9, 16},
	                  .seed = 2};
	const test_font c{.name = "Gamma", .fixed_width = 5, .height = 7, .seed = 3};
	const std::string first = dir.file("one.zirk", container_of({a}));
	const std::string second = dir.file("two.zirk", container_of({b, c}));

	const run_result r = run_program("korvane", {first, second});
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.err, progress("Alpha") + progress("Beta") + progress("Gamma"));
	EXPECT_EQ(r.out, container_with_count(3, record(a) + record(b) + record(c)));
}

TEST(join, fonts_leave_in_argument_then_record_order)
{
	const scratch_dir dir;
	std::vector<test_font> three;
	// Each name is built from its two characters: GCC 12 at -O3 takes
	// "f" + std::to_string(i) for an overlapping copy (-Wrestrict).
	for (std::uint8_t i = 1; i <= 3; i++)
		three.push_back({.name = {'f', static_cast<char>('0' + i)},
		                 .fixed_width = static_cast<std::uint8_t>(i * 4),
		                 .seed = i});
	const test_font last{.name = "last", .seed = 9};
	const std::string many = dir.file("three.zirk", container_of(three));
	const std::string one = dir.file("one.zirk", container_of({last}));
	const std::string none = dir.file("none.zirk", container({}));

	const run_result r = run_program("korvane", {many, none, one, many});
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.out, container_with_count(7, records_of(three) + record(last) + records_of(three)));
	EXPECT_EQ(r.err, progress("f1") + progress("f2") + progress("f3") + progress("last") + progress("f1") +
	                         progress("f2") + progress("f3"));
}

TEST(join, single_file_of_two_fonts_is_enough)
{
	const scratch_dir dir;
	const test_font a{.name = "a"};
	const test_font b{.name = "b", .seed = 2};
	// A path that looks like an option is still a path.
	const std::string path = dir.file("-v", container_of({a, b}));
	const run_result r = run_program("korvane", {path});
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.out, container_of({a, b}));
}

// Every header byte other than bitmap_size, and every glyph byte, passes
// through untouched; only a width table that the spacing byte calls for is
// carried.
TEST(join, consistent_records_come_out_byte_for_byte)
{
	const scratch_dir dir;
	std::vector<std::uint8_t> all_widths(256);
	for (unsigned c = 0; c < 256; c++)
		all_widths[c] = static_cast<std::uint8_t>(c % 24);
	const std::vector<test_font> fonts = {
		{.name = "sixteen-byte-nam",
	         .spacing = 'P',
	         .uninterpreted = {0xff, 0x00, 0x80},
	         .first_char = 0,
	         .last_char = 255,
	         .widths = all_widths,
	         .seed = 4},
		{.name = "lower p", .spacing = 'p', .fixed_width = 9, .height = 3, .seed = 5},
		{.name = "zero spacing", .spacing = '\0', .fixed_width = 0, .height = 50, .seed = 6},
		{.name = "empty", .spacing = 'P', .first_char = 200, .last_char = 199},
		{.name = "fixed empty", .height = 0, .first_char = 0, .last_char = 255},
		{.name = "wide", .fixed_width = 255, .height = 2, .first_char = 255, .last_char = 255, .seed = 7},
		{.name = "\x80\xfe\xff", .height = 127, .first_char = 32, .last_char = 33, .seed = 8},
	};
	const std::string path = dir.file("all.zirk", container_of(fonts));
	const run_result r = run_program("korvane", {path});
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.out, container_of(fonts));
	EXPECT_EQ(r.err, progress("sixteen-byte-nam") + progress("lower p") + progress("zero spacing") +
	                         progress("empty") + progress("fixed empty") + progress("wide") +
	                         progress("\x80\xfe\xff"));
}

TEST(join, stored_size_is_recomputed_from_the_geometry)
{
	const scratch_dir dir;
	test_font longer{.name = "longer", .height = 2, .first_char = 'a', .last_char = 'b'};
	longer.bitmap = pattern(10, 1);  // four bytes of glyphs, six of surplus
	longer.bitmap_size = 10;
	test_font huge{.name = "huge", .height = 1, .first_char = 'a', .last_char = 'a'};
	huge.bitmap = pattern(40, 2);
	huge.bitmap_size = 0xffff;  // far beyond the file's end; only S bytes matter
	const std::string path = dir.file("odd.zirk", container_of({longer, huge}));

	test_font want_longer = longer;
	want_longer.bitmap = longer.bitmap->substr(0, 4);
	want_longer.bitmap_size.reset();
	test_font want_huge = huge;
	want_huge.bitmap = huge.bitmap->substr(0, 1);
	want_huge.bitmap_size.reset();

	const run_result r = run_program("korvane", {path});
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.out, container_of({want_longer, want_huge}));
}

TEST(join, two_hundred_fifty_five_fonts_in_one_run)
{
	const scratch_dir dir;
	std::vector<test_font> fonts;
	std::string err;
	for (unsigned i = 0; i < 255; i++) {
		fonts.push_back({.name = "font " + std::to_string(i),
		                 .spacing = i % 2 != 0 ? 'P' : 'F',
		                 .fixed_width = static_cast<std::uint8_t>(i % 20),
		                 .height = static_cast<std::uint8_t>(i % 9),
		                 .first_char = static_cast<std::uint8_t>(i),
		                 .last_char = static_cast<std::uint8_t>(i / 2 + 127),
		                 .seed = static_cast<std::uint8_t>(i)});
		err += progress("font " + std::to_string(i));
	}
	const std::string first =
		dir.file("first.zirk", container_of(std::vector<test_font>(fonts.begin(), fonts.begin() + 200)));
	const std::string rest =
		dir.file("rest.zirk", container_of(std::vector<test_font>(fonts.begin() + 200, fonts.end())));

	const run_result r = run_program("korvane", {first, rest});
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.out, container_of(fonts));
	EXPECT_EQ(r.err, err);
}

TEST(join, bitmaps_up_to_the_store_size)
{
	const scratch_dir dir;
	// 246 codes of one row byte and 100 rows: exactly the largest block.
	const test_font largest{.name = "largest", .height = 100, .first_char = 0, .last_char = 245};
	const test_font other{
		.name = "other", .fixed_width = 16, .height = 96, .first_char = 0, .last_char = 127, .seed = 3};
	const std::string path = dir.file("big.zirk", container_of({largest, other, largest}));
	const run_result r = run_program("korvane", {path});
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.out, container_of({largest, other, largest}));
}
