// zirk2png as a user runs it: the pictures it draws of small containers,
// read back pixel by pixel, and every message it gives.
#include "png_reading.h"
#include "run_program.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

run_result zirk2png(const std::vector<std::string> &args, const run_options &options = {})
{
	return run_program("zirk2png", args, options);
}

// zirk2png's picture of a container holding these fonts.
struct drawn {
	run_result run;
	picture image;
};

drawn draw(const std::string &container, const std::vector<std::string> &options = {"--scale", "1"})
{
	const scratch_dir dir;
	std::vector<std::string> args = options;
	args.push_back(dir.file("in.zirk", container));
	drawn d{zirk2png(args), {}};
	EXPECT_EQ(d.run.status, 0) << d.run.err;
	EXPECT_EQ(d.run.err, "");
	d.image = read_png(d.run.out);
	EXPECT_EQ(d.image.error, "");
	return d;
}

drawn draw(const std::vector<test_font> &fonts, const std::vector<std::string> &options = {"--scale", "1"})
{
	return draw(container_of(fonts), options);
}

test_font glyphs(std::uint8_t width, std::uint8_t height, char first, char last, const std::string &bitmap)
{
	return {.fixed_width = width,
	        .height = height,
	        .first_char = static_cast<std::uint8_t>(first),
	        .last_char = static_cast<std::uint8_t>(last),
	        .bitmap = bitmap};
}

box grown(const box &b, unsigned by)
{
	return {b.x - by, b.y - by, b.width + 2 * by, b.height + 2 * by};
}

}  // namespace

TEST(zirk2png, draws_set_bits_dark_and_clear_bits_light_in_a_framed_cell)
{
	const drawn d = draw({glyphs(8, 3, 'A', 'A', "\xa5\x3c\x81")});
	EXPECT_EQ(d.image.colour_type, 3U);
	EXPECT_EQ(d.image.bit_depth, 4U);
	EXPECT_EQ(pixel_rows(d.image, grown(glyph_box(d.image), 1)), (std::vector<std::string>{
									     "||||||||||",
									     "|@.@..@.@|",
									     "|..@@@@..|",
									     "|@......@|",
									     "||||||||||",
								     }));
}

TEST(zirk2png, draws_each_pixel_as_a_square_of_the_scale)
{
	const drawn one = draw({glyphs(8, 3, 'A', 'A', "\xa5\x3c\x81")});
	const std::vector<std::string> plain = pixel_rows(one.image, glyph_box(one.image));
	for (const unsigned scale : {2U, 3U, 5U, 32U}) {
		const drawn d = draw({glyphs(8, 3, 'A', 'A', "\xa5\x3c\x81")}, {"--scale", std::to_string(scale)});
		EXPECT_EQ(d.image.width, one.image.width * scale);
		EXPECT_EQ(d.image.height, one.image.height * scale);
		std::vector<std::string> expected;
		for (const std::string &row : plain) {
			std::string wide;
			for (const char c : row)
				wide += std::string(scale, c);
			expected.insert(expected.end(), scale, wide);
		}
		EXPECT_EQ(pixel_rows(d.image, glyph_box(d.image)), expected) << "scale " << scale;
	}
}

TEST(zirk2png, draws_at_scale_3_unless_told)
{
	const drawn plain = draw({glyphs(8, 3, 'A', 'A', "\xa5\x3c\x81")}, {});
	const drawn three = draw({glyphs(8, 3, 'A', 'A', "\xa5\x3c\x81")}, {"-s", "3"});
	EXPECT_TRUE(plain.image.pixels == three.image.pixels);
	EXPECT_EQ(plain.image.width, three.image.width);
}

TEST(zirk2png, leaves_the_padding_bits_of_a_row_undrawn)
{
	const drawn d = draw({glyphs(5, 2, 'A', 'A', "\xff\xff"), glyphs(10, 1, 'A', 'A', "\xff\xff")});
	EXPECT_EQ(d.image.count(INK), 10U + 10U);
	EXPECT_EQ(d.image.count(PAPER), 0U);
}

TEST(zirk2png, draws_the_glyph_bytes_a_short_block_lacks_in_their_own_colour)
{
	test_font f = glyphs(8, 2, 'A', 'B', "\xf0\x0f\xff");
	const drawn d = draw({f});
	EXPECT_EQ(pixel_rows(d.image, glyph_box(d.image)), (std::vector<std::string>{
								   "@@@@....|@@@@@@@@",
								   "....@@@@|????????",
							   }));

	f.bitmap = "";
	EXPECT_EQ(draw({f}).image.count(MISSING), 2U * 8 * 2);
}

TEST(zirk2png, draws_no_surplus_byte)
{
	const drawn d = draw({glyphs(8, 1, 'A', 'A', std::string("\x00\xff\xff\xff", 4))});
	EXPECT_EQ(d.image.count(INK), 0U);
	EXPECT_EQ(d.image.count(PAPER), 8U);
}

// Cells are as wide as the widest glyph; what a narrower glyph leaves of its
// cell is background, and a glyph of width 0 leaves its whole cell so.
TEST(zirk2png, draws_each_glyph_of_a_proportional_font_at_its_own_width)
{
	test_font f = glyphs(8, 1, 'A', 'D', std::string("\xc0\xf8\x00", 3));
	f.spacing = 'P';
	f.widths = {2, 0, 5, 3};
	const drawn d = draw({f});
	EXPECT_EQ(pixel_rows(d.image, glyph_box(d.image)), (std::vector<std::string>{"@@   |     |@@@@@|..."}));

	// Nothing to draw, in a block that holds nothing: frames alone.
	f.widths = {0, 0, 0, 0};
	f.bitmap = "";
	const drawn empty = draw({f});
	EXPECT_EQ(glyph_box(empty.image).width, 0U);
	EXPECT_GT(empty.image.count(FRAME), 0U);
}

// Rows start at multiples of 16, each code in the column of its last hex
// digit: 0x41 to 0x54 take columns 1 to 15 of the first row and 0 to 4 of
// the second.
TEST(zirk2png, draws_sixteen_glyphs_to_a_row_in_code_order)
{
	std::string bitmap;
	for (unsigned i = 0; i < 20; i++)
		bitmap += static_cast<char>(i == 0 || i == 15 || i == 16 || i == 19 ? 0x80 : 0);
	const drawn d = draw({glyphs(1, 1, 'A', static_cast<char>('A' + 19), bitmap)});
	const box b = glyph_box(d.image);
	const std::vector<std::string> rows = pixel_rows(d.image, b);
	ASSERT_GE(rows.size(), 2U);
	EXPECT_EQ(rows.front(), " |@|.|.|.|.|.|.|.|.|.|.|.|.|.|.");
	EXPECT_EQ(rows.back().substr(0, 9), "@|@|.|.|@");
	EXPECT_EQ(d.image.count(INK), 4U);
	EXPECT_EQ(d.image.count(PAPER), 16U);
}

// The caption is drawn in text colour above the glyphs, from the font's
// own fields: two fonts that differ only in name differ there.
TEST(zirk2png, captions_each_font_above_its_glyphs)
{
	test_font f = glyphs(8, 1, 'A', 'A', "\x81");
	const drawn first = draw({f});
	const box b = glyph_box(first.image);
	const box above{0, 0, first.image.width, b.y};
	const std::vector<std::string> caption = pixel_rows(first.image, above);
	EXPECT_TRUE(std::any_of(caption.begin(), caption.end(),
	                        [](const std::string &row) { return row.find('t') != std::string::npos; }));
	EXPECT_EQ(first.image.count(NOTE_TEXT), 0U);

	f.name = "other";
	const drawn renamed = draw({f});
	EXPECT_NE(pixel_rows(renamed.image, above), caption);
	EXPECT_EQ(draw({f}).image.pixels, renamed.image.pixels);
}

TEST(zirk2png, says_in_the_caption_what_is_wrong_with_a_font)
{
	const test_font good = glyphs(8, 2, 'A', 'B', "abcd");
	test_font tall = glyphs(1, 128, 'A', 'A', std::string(128, '\x80'));
	test_font big = glyphs(8, 100, 0, static_cast<char>(246), std::string(24700, '\x00'));
	test_font short_block = good;
	short_block.bitmap = "abc";
	test_font surplus = good;
	surplus.bitmap = "abcde";
	for (const auto &[font, noted] : std::vector<std::pair<test_font, bool>>{
		     {good, false}, {tall, true}, {big, true}, {short_block, true}, {surplus, true}}) {
		const drawn d = draw({font});
		EXPECT_EQ(d.image.count(NOTE_TEXT) > 0, noted)
			<< font.bitmap->size() << " bytes, height " << +font.height;
		EXPECT_GT(d.image.count(TEXT), 0U);
	}
}

TEST(zirk2png, draws_only_the_font_asked_for)
{
	const std::vector<test_font> fonts{glyphs(8, 1, 'A', 'A', std::string(1, '\0')), glyphs(8, 1, 'A', 'A', "\xff"),
	                                   glyphs(8, 1, 'A', 'A', std::string(1, '\0'))};
	const drawn all = draw(fonts);
	EXPECT_EQ(all.image.count(INK), 8U);
	EXPECT_EQ(all.image.count(PAPER), 16U);
	const drawn second = draw(fonts, {"--scale", "1", "--font", "2"});
	EXPECT_EQ(second.image.count(INK), 8U);
	EXPECT_EQ(second.image.count(PAPER), 0U);
	const drawn third = draw(fonts, {"-s1", "-f3"});
	EXPECT_EQ(third.image.count(INK), 0U);
	EXPECT_EQ(third.image.count(PAPER), 8U);
	const drawn two = draw(fonts, {"-s1", "--font=3", "-f", "2"});
	EXPECT_EQ(two.image.count(INK), 8U);
	EXPECT_EQ(two.image.count(PAPER), 8U);
}

TEST(zirk2png, draws_a_container_without_fonts_as_a_caption_alone)
{
	const drawn d = draw(container({}));
	EXPECT_EQ(glyph_box(d.image).width, 0U);
	EXPECT_GT(d.image.count(TEXT), 0U);
}

// The largest single font there can be, 256 glyphs of 255 by 255 which the
// file does not hold: drawn all the same, within the bounds the manual gives.
TEST(zirk2png, draws_the_largest_font_within_bounds)
{
	const test_font huge = glyphs(255, 255, 0, static_cast<char>(255), "");
	const scratch_dir dir;
	const std::string path = dir.file("huge.zirk", container_of({huge}));
	const run_result r = zirk2png({"--scale", "1", path});
	ASSERT_EQ(r.status, 0) << r.err;
	ASSERT_GE(r.out.size(), 24U);
	const auto be32 = [&](std::size_t at) {
		std::uint32_t v = 0;
		for (std::size_t i = at; i < at + 4; i++)
			v = v << 8 | static_cast<unsigned char>(r.out[i]);
		return v;
	};
	EXPECT_LE(be32(16), 16384U);
	EXPECT_LE(be32(20), 16384U);
	EXPECT_LE(std::uint64_t{be32(16)} * be32(20), 100'000'000U);
	EXPECT_GE(be32(16), 16U * 256);
}

TEST(zirk2png, reads_standard_input_without_a_file_or_for_a_hyphen)
{
	const scratch_dir dir;
	const std::string path = dir.file("in.zirk", container_of({glyphs(8, 2, 'A', 'B', "abcd")}));
	const run_result named = zirk2png({path});
	ASSERT_EQ(named.status, 0);
	for (const std::vector<std::string> &args : {std::vector<std::string>{}, std::vector<std::string>{"-"}}) {
		const run_result r = zirk2png(args, {.input = path});
		EXPECT_EQ(r.status, 0) << r.err;
		EXPECT_TRUE(r.out == named.out);
	}
}

TEST(zirk2png, answers_help_and_version)
{
	const run_result help = zirk2png({"--help"});
	EXPECT_EQ(help.status, 0);
	EXPECT_EQ(help.out.rfind("Usage: zirk2png [", 0), 0U);
	EXPECT_EQ(help.err, "");
	const run_result version = zirk2png({"--version"});
	EXPECT_EQ(version.status, 0);
	EXPECT_EQ(version.out.rfind("zirk2png (korvane) ", 0), 0U);
}

// Every refusal: the message, status 1, nothing on standard output.
TEST(zirk2png, refuses_with_a_message_and_writes_nothing)
{
	const scratch_dir dir;
	const std::string three = dir.file("three.zirk", container_of({{}, {}, {}}));
	const std::string one = dir.file("one.zirk", container_of({{}}));
	const std::string not_zirk = dir.file("text.txt", "hello, world\n");
	const std::string cut = dir.file("cut.zirk", container_of({{}}).substr(0, 30));
	test_font backwards;
	backwards.first_char = 'C';
	backwards.last_char = 'A';
	backwards.bitmap = "";
	const std::string bad_range = dir.file("range.zirk", container_of({backwards}));
	// 255 fonts whose glyphs the file does not hold but which are drawn all
	// the same, each as large as a font can be.
	const std::string huge =
		dir.file("huge.zirk", container_of(std::vector<test_font>(255, glyphs(255, 255, 0, '\xff', ""))));
	const std::string try_help = "\nTry 'zirk2png --help' for more information.\n";
	const std::string not_a_list = "is not a list of font numbers from 1 to 255 and ranges, such as 1,3-5";

	const struct {
		std::vector<std::string> args;
		std::string err;
	} cases[] = {
		{{"--scale", "0", one}, "zirk2png: --scale '0' is not a number from 1 to 32" + try_help},
		{{"--scale", "33", one}, "zirk2png: --scale '33' is not a number from 1 to 32" + try_help},
		{{"--scale=-1", one}, "zirk2png: --scale '-1' is not a number from 1 to 32" + try_help},
		{{"-s", "2x", one}, "zirk2png: --scale '2x' is not a number from 1 to 32" + try_help},
		{{"--scale", "", one}, "zirk2png: --scale '' is not a number from 1 to 32" + try_help},
		{{"--scale", "99999999999999999999", one},
	         "zirk2png: --scale '99999999999999999999' is not a number from 1 to 32" + try_help},
		{{"--font", "0", one}, "zirk2png: --font '0' " + not_a_list + try_help},
		{{"--font", "256", one}, "zirk2png: --font '256' " + not_a_list + try_help},
		{{"--font", " 1", one}, "zirk2png: --font ' 1' " + not_a_list + try_help},
		{{"--scale"}, "zirk2png: option '--scale' needs a value" + try_help},
		{{one, "-f"}, "zirk2png: option '-f' needs a value" + try_help},
		{{"--colour", one}, "zirk2png: unrecognized option '--colour'" + try_help},
		{{"-x", one}, "zirk2png: unrecognized option '-x'" + try_help},
		{{"--help=yes"}, "zirk2png: option '--help=yes' takes no value" + try_help},
		{{one, three}, "zirk2png: extra operand '" + three + "'" + try_help},
		{{"--font", "4", three}, "zirk2png: --font 4: " + three + " holds 3 fonts" + try_help},
		{{"--font", "1-2", one}, "zirk2png: --font 2: " + one + " holds 1 font" + try_help},
		{{"--font", "2", cut}, "zirk2png: --font 2: " + cut + " holds 1 font" + try_help},
		{{dir.path("missing.zirk")}, "zirk2png: " + dir.path("missing.zirk") + ": No such file or directory\n"},
		{{dir.dir}, "zirk2png: " + dir.dir + ": Is a directory\n"},
		{{not_zirk}, "zirk2png: " + not_zirk + ": this is no zirk font file\n"},
		{{"--font", "1", cut}, "zirk2png: " + cut + ": font 1 is truncated\n"},
		{{bad_range}, "zirk2png: " + bad_range + ": font 1 has an invalid character range\n"},
		{{huge},
	         "zirk2png: the picture would be too large even at scale 1; draw fewer fonts at a time with --font\n"},
	};
	for (const auto &c : cases) {
		const run_result r = zirk2png(c.args);
		EXPECT_EQ(r.err, c.err) << c.args.front();
		EXPECT_EQ(r.status, 1) << c.args.front();
		EXPECT_EQ(r.out, "") << c.args.front();
	}
}

TEST(zirk2png, refuses_a_terminal_and_a_failing_output)
{
	const scratch_dir dir;
	const std::string one = dir.file("one.zirk", container_of({{}}));
	const run_result terminal = zirk2png({one}, {.out = output_to::terminal});
	EXPECT_EQ(terminal.err, "zirk2png: will not write image data to a terminal\n");
	EXPECT_EQ(terminal.status, 1);
	EXPECT_EQ(terminal.out, "");
	for (const auto &[out, words] : {std::pair{output_to::dev_full, "No space left on device"},
	                                 std::pair{output_to::closed, "Bad file descriptor"}}) {
		const run_result r = zirk2png({one}, {.out = out});
		EXPECT_EQ(r.err, std::string("zirk2png: standard output: ") + words + "\n");
		EXPECT_EQ(r.status, 1);
	}
}

// examples/examples.png and examples/text.png, shown in the README, are
// what zirk2png draws of the example fonts today: the same pixels, whatever
// zlib made of them.
TEST(zirk2png, example_pictures_show_the_example_fonts)
{
	std::string records;
	unsigned count = 0;
	for (const char *name : {"block8x8", "slim10", "matrix5x7"}) {
		const std::string bytes = read_file(KORVANE_SOURCE_DIR "/examples/" + std::string(name) + ".zirk");
		ASSERT_GT(bytes.size(), 8U) << name;
		count += static_cast<unsigned char>(bytes[7]);
		records += bytes.substr(8);
	}
	const std::string joined = container_with_count(static_cast<std::uint8_t>(count), records);
	for (const auto &[file, options] : {std::pair<std::string, std::vector<std::string>>{"examples.png", {}},
	                                    {"text.png", {"--text", "HELLO hello"}}}) {
		SCOPED_TRACE(file);
		const drawn now = draw(joined, options);
		const picture checked_in = read_png(read_file(KORVANE_SOURCE_DIR "/examples/" + file));
		ASSERT_EQ(checked_in.error, "") << "run cmake --build build --target examples_png";
		EXPECT_EQ(checked_in.width, now.image.width);
		EXPECT_EQ(checked_in.height, now.image.height);
		EXPECT_TRUE(checked_in.pixels == now.image.pixels)
			<< file << " is not what zirk2png draws; run cmake --build build --target examples_png";
	}
}
