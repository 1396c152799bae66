// zirk2png --text against a rendering of its own: fonts whose glyphs are
// one row each, so that every line of a picture reads as text.
#include "png_reading.h"
#include "run_program.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Fixed, 3 wide, 1 high: each letter a row of its own, '?' solid.
const std::map<char, std::string> SHAPES = {
	{' ', "..."}, {'?', "###"}, {'A', "#.."}, {'B', ".#."}, {'C', "..#"}, {'D', "#.#"},
};

test_font one_row_font()
{
	test_font f{.name = "rows", .fixed_width = 3, .height = 1, .first_char = ' ', .last_char = 'D', .bitmap = ""};
	for (char c = ' '; c <= 'D'; c++) {
		const auto shape = SHAPES.find(c);
		unsigned char bits = 0;
		for (unsigned x = 0; shape != SHAPES.end() && x < 3; x++)
			if (shape->second[x] == '#')
				bits = static_cast<unsigned char>(bits | 0x80U >> x);
		*f.bitmap += static_cast<char>(bits);
	}
	return f;
}

// The picture as a drawing of '#' and '.', one string a pixel row; any
// other colour shows as 'x'.
std::vector<std::string> drawing(const picture &p)
{
	std::vector<std::string> rows(p.height);
	for (unsigned y = 0; y < p.height; y++)
		for (unsigned x = 0; x < p.width; x++)
			rows[y] += p.at(x, y) == INK ? '#' : p.at(x, y) == PAPER ? '.' : 'x';
	return rows;
}

// Each line of text as SHAPES draws it, padded with paper to the widest.
std::vector<std::string> expected(const std::vector<std::string> &lines)
{
	std::vector<std::string> rows;
	std::size_t widest = 0;
	for (const std::string &line : lines) {
		std::string row;
		for (const char c : line)
			row += SHAPES.at(c);
		widest = std::max(widest, row.size());
		rows.push_back(row);
	}
	for (std::string &row : rows)
		row.resize(widest, '.');
	return rows;
}

}  // namespace

TEST(zirk2png_text, draws_each_line_of_the_text_in_each_font)
{
	scratch_dir dir;
	const test_font f = one_row_font();
	test_font two_rows = f;  // the same glyphs over a blank row
	two_rows.height = 2;
	two_rows.bitmap = std::string();
	for (const char c : *f.bitmap)
		*two_rows.bitmap += std::string{c, '\0'};
	const std::string one = dir.file("one.zirk", container_of({f}));
	const std::string both = dir.file("both.zirk", container_of({f, two_rows}));
	const std::string map = dir.file("m.map", "0x41 U+263A\n");
	struct row {
		std::vector<std::string> args;
		std::vector<std::string> lines;  // of text, as SHAPES draws them
	};
	for (const row &r : std::vector<row>{
		     {{"--text", "AB"}, {"AB"}},
		     {{"--text", "A\nBCD"}, {"A", "BCD"}},
		     {{"--text", "AB\n"}, {"AB"}},
		     {{"--text", "A\n\nB"}, {"A", " ", "B"}},
		     {{"--text", " A  B "}, {" A  B "}},
		     {{"--text", "A\xe2\x82\xac"
	                         "B\xff"},
	              {"A?B?"}},  // no code for the euro; no UTF-8
		     {{"--text", "A\xc3\xa9"
	                         "B"},
	              {"AB"}},  // 0xE9 is past the font's range
		     {{"--text", "AB CD ABCD", "--wrap", "9"}, {"AB", "CD", "ABC", "D"}},
		     {{"--text",
	               "\xe2\x98\xba"
	               "A",
	               "--map", map},
	              {"A?"}},
		     {{"--text", "A", "--charset", "CP437"}, {"A"}},
	     }) {
		std::vector<std::string> args = r.args;
		args.insert(args.end(), {"--scale", "1", one});
		SCOPED_TRACE(args.front() + " " + args[1]);
		const run_result run = run_program("zirk2png", args);
		ASSERT_EQ(run.status, 0) << run.err;
		EXPECT_EQ(run.err, "");
		EXPECT_EQ(drawing(read_png(run.out)), expected(r.lines));
	}
	// A block per font, top to bottom; each pixel scale by scale.
	const run_result two = run_program("zirk2png", {"--text", "DA", "--scale", "2", both});
	ASSERT_EQ(two.status, 0) << two.err;
	EXPECT_EQ(drawing(read_png(two.out)),
	          (std::vector<std::string>{"##..####....", "##..####....", "##..####....", "##..####....",
	                                    "............", "............"}));
}

TEST(zirk2png_text, says_when_it_draws_smaller_than_asked_and_refuses_what_it_cannot_draw)
{
	scratch_dir dir;
	const std::string one = dir.file("one.zirk", container_of({one_row_font()}));
	const std::string help = "Try 'zirk2png --help' for more information.\n";
	// 200 glyphs of 3 pixels are 600 wide: 27 is the largest scale within
	// 16384.
	const run_result wide = run_program("zirk2png", {"--text", std::string(200, 'A'), "--scale", "32", one});
	EXPECT_EQ(wide.status, 0);
	EXPECT_EQ(wide.err, "zirk2png: the picture is drawn at scale 27, not 32: at 32 it would pass 16384 pixels a "
	                    "side or 100 million in all\n");
	EXPECT_EQ(read_png(wide.out).width, 600U * 27);
	struct row {
		std::vector<std::string> args;
		std::string err;
	};
	for (const row &r : std::vector<row>{
		     {{"--text", "", one}, "zirk2png: --text '' is empty; give it the text to draw\n" + help},
		     {{"--wrap", "8", one}, "zirk2png: --wrap, --charset and --map are for --text\n" + help},
		     {{"--text", "A", "--wrap", "0", one},
	              "zirk2png: --wrap '0' is not a number from 1 to 16384\n" + help},
		     {{"--text", "xyz", one},
	              "zirk2png: the text takes no room in the fonts chosen: nothing to draw\n"},
		     {{"--text", std::string(6000, 'A'), one},
	              "zirk2png: the picture would be too large even at scale 1; draw fewer fonts at a time with --font, "
	              "or wrap the text with --wrap\n"},
	     }) {
		SCOPED_TRACE(r.err);
		const run_result run = run_program("zirk2png", r.args);
		EXPECT_EQ(run.status, 1);
		EXPECT_EQ(run.out, "");
		EXPECT_EQ(run.err, r.err);
	}
	const std::string short_block = dir.file("short.zirk", container_of({{.name = "s", .bitmap = "ab"}}));
	const run_result refused = run_program("zirk2png", {"--text", "A", short_block});
	EXPECT_EQ(refused.status, 1);
	EXPECT_EQ(refused.err,
	          "zirk2png: " + short_block +
	                  ": font 1: the file holds 2 of the 24 bytes the glyphs need (its record begins at "
	                  "byte 8)\n");
}
