// zirk2txt and txt2zirk run as a user runs them: containers through the
// text and back, every message txt2zirk gives with its line, the refusals
// and the options of both, the hand edits a person makes, and zirk2txt as
// git's textconv driver.
#include "random_container.h"
#include "run_program.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>

namespace {

run_result zirk2txt(const std::vector<std::string> &args, const run_options &options = {})
{
	return run_program("zirk2txt", args, options);
}

run_result txt2zirk(const std::vector<std::string> &args, const run_options &options = {})
{
	return run_program("txt2zirk", args, options);
}

std::string as_string(const std::vector<unsigned char> &bytes)
{
	return {bytes.begin(), bytes.end()};
}

// Replaces the first from in text, which must be there.
std::string edit(std::string text, const std::string &from, const std::string &to)
{
	const std::size_t at = text.find(from);
	if (at == std::string::npos)
		throw std::runtime_error("not in the text: " + from);
	return text.replace(at, from.size(), to);
}

// Two small fonts drawn as text, one of fixed width and one with a width
// table; the error cases below are edits of them, their line numbers these.
const std::string FIXED = "zirk-text 1\n"         // 1
			  "\n"                    // 2
			  "font 1\n"              // 3
			  "name: \"Tiny\"\n"      // 4
			  "spacing: F\n"          // 5
			  "reserved: 00 00 00\n"  // 6
			  "fixed_width: 3\n"      // 7
			  "height: 2\n"           // 8
			  "first_char: 65\n"      // 9
			  "last_char: 66\n"       // 10
			  "\n"                    // 11
			  "glyph 65 0x41 'A'\n"   // 12
			  ".@.\n"                 // 13
			  "@.@\n"                 // 14
			  "\n"                    // 15
			  "glyph 66 0x42 'B'\n"   // 16
			  "@@.\n"                 // 17
			  "@@@\n";                // 18

const std::string PROP = edit(edit(edit(FIXED, "spacing: F", "spacing: P"), "'A'", "'A' width 3"), "'B'\n@@.\n@@@\n",
                              "'B' width 10\n@@@@@@@@@@\n..........\n");

const test_font FIXED_FONT{.name = "Tiny",
                           .uninterpreted = {0, 0, 0},
                           .fixed_width = 3,
                           .height = 2,
                           .first_char = 'A',
                           .last_char = 'B',
                           .bitmap = std::string("\x40\xa0\xc0\xe0", 4)};
const test_font PROP_FONT{.name = "Tiny",
                          .spacing = 'P',
                          .uninterpreted = {0, 0, 0},
                          .fixed_width = 3,
                          .height = 2,
                          .first_char = 'A',
                          .last_char = 'B',
                          .widths = {3, 10},
                          .bitmap = std::string("\x40\xa0\xff\xc0\x00\x00", 6)};

// The text of 255 empty fonts.
std::string most_fonts()
{
	std::string text = "zirk-text 1\n";
	for (int i = 1; i <= 255; i++)
		text += "font " + std::to_string(i) +
		        "\nname: \"\"\nspacing: F\nreserved: 00 00 00\nfixed_width: 8\nheight: 8\nfirst_char: 1\n"
		        "last_char: 0\n";
	return text;
}

// Nine glyphs of 255 by 255 pixels: 73440 bytes, past what bitmap_size
// counts. The first line too many is row 8 of glyph 8.
std::string oversized_font()
{
	std::string text = "zirk-text 1\nfont 1\nname: \"big\"\nspacing: F\nreserved: 00 00 00\nfixed_width: 255\n"
			   "height: 255\nfirst_char: 0\nlast_char: 8\n";
	const std::string row = std::string(255, '.') + "\n";
	for (int code = 0; code <= 8; code++) {
		text += "glyph " + std::to_string(code) + "\n";
		for (int r = 0; r < 255; r++)
			text += row;
	}
	return text;
}

std::string oversized_surplus()
{
	std::string text = "zirk-text 1\nfont 1\nname: \"\"\nspacing: F\nreserved: 00 00 00\nfixed_width: 8\n"
			   "height: 8\nfirst_char: 1\nlast_char: 0\nsurplus:\n";
	for (int i = 0; i < 4096; i++)
		text += "00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f\n";
	return text + "ff\n";
}

struct fault {
	std::string text;
	std::string message;  // after "t.txt:"
};

const std::vector<fault> &faults()
{
	static const std::vector<fault> table{
		{"", "1: error: empty file, expected 'zirk-text 1'"},
		{"zirk-text 2\n", "1: error: text form version '2' is not known, expected 'zirk-text 1'"},
		{"ZIRKFNT\n",
	         "1: error: a zirk font container, which zirk2txt reads, expected its text form 'zirk-text 1'"},
		{"zirk-text 1\r\n", "1: error: line ends in a carriage return, expected LF line ends"},
		{edit(FIXED, "\"Tiny\"\n", "\"Tiny\"\r\n"),
	         "4: error: line ends in a carriage return, expected LF line ends"},
		{edit(FIXED, ".@.\n", std::string(5000, '@') + "\n"),
	         "13: error: line longer than 4096 bytes, expected a line of the text form"},
		{"zirk-text 1\nname: \"x\"\n",
	         "2: error: unexpected 'name: \"x\"', expected 'font N', 'trailing:' or the end of the file"},
		{"zirk-text 1\nfont one\n", "2: error: font number 'one' is not a number, expected 1 to 255"},
		{"zirk-text 1\nfont 0x1\n", "2: error: font number '0x1' is not a number, expected 1 to 255"},
		{"zirk-text 1\nfont 0\n", "2: error: font number 0 is out of range, expected 1 to 255"},
		{"zirk-text 1\nfont 256\n", "2: error: font number 256 is out of range, expected 1 to 255"},
		{FIXED + "trailing:\n00\nfont 2\n",
	         "21: error: unexpected 'font 2', expected bytes in hex or the end of the file after 'trailing:'"},
		{most_fonts() + "font 1\n",
	         "2042: error: more than 255 fonts, expected at most 255 (a container counts its fonts in one byte)"},
		{most_fonts() + "name: \"x\"\n",
	         "2042: error: unexpected 'name: \"x\"', expected 'trailing:' or the end of the file"},
		{most_fonts() + "glyph 1\n",
	         "2042: error: glyph beyond last_char 0, expected 'surplus:' or 'trailing:' or the end of the file"},
		{"zirk-text 1\nfont 1\nname: \"x\"\n", "4: error: end of file, expected 'spacing:'"},
		{edit(FIXED, "spacing: F\n", ""), "5: error: field 'reserved:' out of order, expected 'spacing:'"},
		{edit(FIXED, "spacing: F\n", "spacing: F\nspacing: F\n"),
	         "6: error: field 'spacing:' out of order, expected 'reserved:'"},
		{edit(FIXED, "spacing", "spaceing"), "5: error: unknown field 'spaceing:', expected 'spacing:'"},
		{edit(FIXED, "height: 2", "HEIGHT 2"), "8: error: unexpected 'HEIGHT 2', expected 'height:'"},
		{edit(FIXED, "height: 2", "height:"),
	         "8: error: no value for 'height:', expected a number from 0 to 255"},
		{edit(FIXED, "\"Tiny\"", "Tiny"), "4: error: name 'Tiny' is not in double quotes, expected \"...\""},
		{edit(FIXED, "\"Tiny\"", "\"Tiny"), "4: error: name has no closing quote, expected \"...\""},
		{edit(FIXED, "\"Tiny\"", "\"T\\n\""),
	         "4: error: escape '\\n' in the name, expected \\\", \\\\ or \\xHH"},
		{edit(FIXED, "\"Tiny\"", "\"T\\x4\""),
	         "4: error: escape '\\x' in the name, expected \\\", \\\\ or \\xHH"},
		{edit(FIXED, "\"Tiny\"", "\"Caf\xc3\xa9\""),
	         "4: error: byte \\xc3 in the name, expected printable ASCII or \\xHH"},
		{edit(FIXED, "\"Tiny\"", "\"ABCDEFGHIJKLMNOPQ\""),
	         "4: error: name longer than 16 bytes, expected at most 16"},
		{edit(FIXED, "\"Tiny\"", "\"Tiny\" x"),
	         "4: error: text after the name's closing quote, expected the end of the line"},
		{edit(FIXED, "spacing: F", "spacing: FF"),
	         "5: error: spacing 'FF' is not one byte, expected one printable character or \\xHH"},
		{edit(FIXED, "00 00 00", "00 00"),
	         "6: error: reserved '00 00' is not three bytes, expected three bytes in hex, such as 00 00 00"},
		{edit(FIXED, "00 00 00", "00 00 00 00"),
	         "6: error: reserved '00 00 00 00' is not three bytes, expected three bytes in hex, such as 00 00 00"},
		{edit(FIXED, "fixed_width: 3", "fixed_width: three"),
	         "7: error: fixed_width 'three' is not a number, expected a number from 0 to 255"},
		{edit(FIXED, "height: 2", "height: 0x2"),
	         "8: error: height '0x2' is not a number, expected a number from 0 to 255"},
		{edit(FIXED, "first_char: 65", "first_char: 256"),
	         "9: error: first_char 256 does not fit in a byte, expected a number from 0 to 255"},
		{edit(FIXED, "last_char: 66", "last_char: 0x100"),
	         "10: error: last_char 0x100 does not fit in a byte, expected a number from 0 to 255"},
		{edit(FIXED, "last_char: 66", "last_char: 63"),
	         "10: error: last_char 63 is more than one below first_char 65, expected at least 64"},
		{FIXED.substr(0, FIXED.find("\nglyph 66") + 1),
	         "16: error: end of file, expected glyph 66 after the 2 rows of glyph 65 (the glyphs run to last_char 66)"},
		{edit(FIXED, "glyph 66 0x42 'B'", "glyph 67 0x43 'C'"),
	         "16: error: glyph 67 out of order, expected glyph 66 (the glyphs run from first_char to last_char, none "
	         "missing)"},
		{edit(FIXED, "glyph 65 0x41 'A'\n.@.\n@.@\n", ""),
	         "13: error: glyph 66 out of order, expected glyph 65 (the glyphs run from first_char to last_char, none "
	         "missing)"},
		{edit(FIXED, "name", "# name"), "5: error: field 'spacing:' out of order, expected 'name:'"},
		{edit(FIXED, "name", ": name"), "4: error: unexpected ': name: \"Tiny\"', expected 'name:'"},
		{edit(FIXED, "@.@\n", ""),
	         "15: error: unexpected 'glyph 66 0x42 'B'', expected row 2 of 2 of glyph 65"},
		{edit(FIXED, "@.@\n", "@.@\n@.@\n"),
	         "15: error: unexpected '@.@', expected glyph 66 after the 2 rows of glyph 65 (the glyphs run to last_char "
	         "66)"},
		{FIXED + "@@@\n",
	         "19: error: a row after the 2 rows of glyph 66, expected 'surplus:' or 'font N', 'trailing:' or the end of "
	         "the file"},
		{FIXED + "glyph 67 0x43 'C'\n",
	         "19: error: glyph beyond last_char 66, expected 'surplus:' or 'font N', 'trailing:' or the end of the file"},
		{edit(FIXED, "glyph 65 0x41 'A'", "glyph A"),
	         "12: error: glyph heading 'glyph A' has no code, expected 'glyph 65 'A''"},
		{edit(FIXED, "0x41", "0x42"), "12: error: '0x42' does not match glyph 65, expected its code in hex"},
		{edit(FIXED, "'A'", "'AB'"),
	         "12: error: unexpected ''AB'' in the heading of glyph 65, expected one character in UTF-8 between "
	         "single quotes"},
		{edit(FIXED, "'A'", "'\xe2\x98'"),
	         "12: error: unexpected ''\xe2\x98'' in the heading of glyph 65, expected one character in UTF-8 "
	         "between single quotes"},
		{edit(FIXED, "'A'", "'A' bold"),
	         "12: error: unexpected 'bold' in the heading of glyph 65, expected 'glyph 65 'A''"},
		{edit(FIXED, "'A'", "'A' width 3"),
	         "12: error: a width in the heading of a font without a width table (spacing not P), expected none"},
		{edit(PROP, "width 3", "width three"), "12: error: width 'three' is not a number, expected 0 to 255"},
		{edit(PROP, "width 3", "width 256"), "12: error: width 256 does not fit in a byte, expected 0 to 255"},
		{edit(PROP, "'A' width 3", "'A'"),
	         "12: error: no width in the heading of glyph 65 of a font with a width table, expected 'width N' at its "
	         "end"},
		{edit(PROP, "'A' width 3", "'A' width 3 x"),
	         "12: error: unexpected 'x' in the heading of glyph 65, expected 'glyph 65 'A' width N'"},
		{edit(FIXED, ".@.", ".x."), "13: error: 'x' in a row, expected '@', '.' or '?'"},
		{edit(FIXED, ".@.", ".\t."), "13: error: '\\x09' in a row, expected '@', '.' or '?'"},
		{edit(FIXED, ".@.", "@"), "13: error: row of 1 pixel, expected 3 (glyph 65 is 3 wide)"},
		{edit(FIXED, ".@.", ".@"), "13: error: row of 2 pixels, expected 3 (glyph 65 is 3 wide)"},
		{edit(FIXED, ".@.", ".@.@"), "13: error: row of 4 pixels, expected 3 (glyph 65 is 3 wide)"},
		{edit(PROP, "@@@@@@@@@@", "@@@@@@@@?@"),
	         "17: error: '?' and pixels in one byte, expected a byte all '?' or none"},
		{edit(PROP, "@.@", "???"),
	         "17: error: a pixel after a missing glyph byte, expected '?': once a byte is missing, so is every later "
	         "one"},
		{edit(FIXED, "@.@", "???|....."), "14: error: padding after a missing byte, expected none"},
		{edit(FIXED, "@@@\n", "???\nsurplus:\n00\n"),
	         "19: error: surplus bytes after missing glyph bytes, expected none: a block that ends within the glyphs "
	         "has no surplus"},
		{edit(FIXED, ".@.", ".@.|..."), "13: error: 3 padding bits after '|', expected 5"},
		{edit(FIXED, ".@.", ".@.|....x"), "13: error: 'x' in the padding, expected '@' or '.'"},
		{FIXED + "surplus:\n00 zz\n", "20: error: 'zz' is not a byte in hex, expected two hex digits"},
		{FIXED + "trailing:\n0\n", "20: error: '0' is not a byte in hex, expected two hex digits"},
		{oversized_font(),
	         "2066: error: more than 65535 bytes in the block of font 1, more than bitmap_size can count, expected at "
	         "most 65535 (a byte not held is '?')"},
		{oversized_surplus(),
	         "4106: error: more than 65535 bytes in the block of font 1, more than bitmap_size can count, expected at "
	         "most 65535"},
	};
	return table;
}

}  // namespace

// Each fault is refused with its line, nothing reaches standard output,
// and the status is 1.
TEST(txt2zirk, every_fault_is_named_with_its_line)
{
	const scratch_dir dir;
	for (const fault &f : faults()) {
		SCOPED_TRACE(f.message);
		dir.file("t.txt", f.text);
		const run_result r = txt2zirk({"t.txt"}, {.cwd = dir.dir});
		EXPECT_EQ(r.err, "t.txt:" + f.message + "\n");
		EXPECT_EQ(r.status, 1);
		EXPECT_EQ(r.out, "");
	}
}

// Faults outside the text: standard input named "-", files that cannot be
// read, an output that is a terminal or takes nothing; status 1 each time.
TEST(textform, refuses_what_it_cannot_read_or_write)
{
	const scratch_dir dir;
	std::filesystem::create_directory(dir.path("fonts"));
	const std::string bad = dir.file("bad.txt", edit(FIXED, ".@.", ".@"));
	const std::string text = dir.file("t.txt", FIXED);
	const std::string font = dir.file("f.zirk", container_of({FIXED_FONT}));
	const std::string bad_row = ":13: error: row of 2 pixels, expected 3 (glyph 65 is 3 wide)\n";
	const struct {
		std::string program;
		std::vector<std::string> args;
		run_options options;
		std::string err;
	} cases[] = {
		{"txt2zirk", {}, {.input = bad}, "-" + bad_row},
		{"txt2zirk", {"-"}, {.input = bad}, "-" + bad_row},
		{"txt2zirk", {"missing.txt"}, {.cwd = dir.dir}, "txt2zirk: missing.txt: No such file or directory\n"},
		{"txt2zirk", {"fonts"}, {.cwd = dir.dir}, "txt2zirk: fonts: Is a directory\n"},
		{"zirk2txt", {"fonts"}, {.cwd = dir.dir}, "zirk2txt: fonts: Is a directory\n"},
		{"txt2zirk",
	         {text},
	         {.out = output_to::terminal},
	         "txt2zirk: will not write font data to a terminal\n"},
		{"txt2zirk",
	         {text},
	         {.out = output_to::dev_full},
	         "txt2zirk: standard output: No space left on device\n"},
		{"txt2zirk", {text}, {.out = output_to::closed}, "txt2zirk: standard output: Bad file descriptor\n"},
		{"zirk2txt",
	         {font},
	         {.out = output_to::dev_full},
	         "zirk2txt: standard output: No space left on device\n"},
		{"zirk2txt", {font}, {.out = output_to::closed}, "zirk2txt: standard output: Bad file descriptor\n"},
		{"txt2zirk",
	         {font},
	         {},
	         font + ":1: error: a zirk font container, which zirk2txt reads, expected its text form 'zirk-text 1'\n"},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.err);
		const run_result r = run_program(c.program, c.args, c.options);
		EXPECT_EQ(r.err, c.err);
		EXPECT_EQ(r.status, 1);
		if (c.options.out == output_to::capture || c.options.out == output_to::terminal) {
			EXPECT_EQ(r.out, "");
		}
	}
}

// A drawn font and the bytes it stands for, both ways, from files and
// standard input.
TEST(textform, the_drawn_fonts_are_these_bytes)
{
	const scratch_dir dir;
	for (const auto &[text, font] : {std::pair{FIXED, FIXED_FONT}, std::pair{PROP, PROP_FONT}}) {
		const std::string bytes = container_of({font});
		const std::string text_path = dir.file("t.txt", text);
		const std::string font_path = dir.file("f.zirk", bytes);
		for (const run_result &r : {txt2zirk({text_path}), txt2zirk({}, {.input = text_path}),
		                            txt2zirk({"-"}, {.input = text_path})}) {
			EXPECT_EQ(r.status, 0);
			EXPECT_EQ(r.err, "");
			EXPECT_EQ(r.out, bytes);
		}
		for (const run_result &r : {zirk2txt({font_path}), zirk2txt({}, {.input = font_path}),
		                            zirk2txt({"-"}, {.input = font_path})}) {
			EXPECT_EQ(r.status, 0);
			EXPECT_EQ(r.err, "");
			EXPECT_EQ(r.out, text);
		}
	}
}

// The edits a person makes to a drawn font, and the bytes they give.
TEST(txt2zirk, hand_edits)
{
	const test_font at{.widths = {1, 3, 10}, .bitmap = std::string("\x80\x00\x40\xa0\xff\xc0\x00\x00", 8)};
	struct hand_edit {
		std::string what;
		std::string text;
		test_font font;
	};
	test_font renamed = PROP_FONT;
	renamed.name = "Small";
	test_font flipped = PROP_FONT;
	flipped.bitmap = std::string("\x60\xa0\xff\xc0\x00\x00", 6);
	test_font widened = PROP_FONT;
	widened.widths = {4, 10};
	widened.bitmap = std::string("\x60\x90\xff\xc0\x00\x00", 6);
	test_font added_first = PROP_FONT;
	added_first.first_char = '@';
	added_first.widths = at.widths;
	added_first.bitmap = at.bitmap;
	test_font added_last = PROP_FONT;
	added_last.last_char = 'C';
	added_last.widths = {3, 10, 0};
	test_font dropped_first = PROP_FONT;
	dropped_first.first_char = 'B';
	dropped_first.widths = {10};
	dropped_first.bitmap = std::string("\xff\xc0\x00\x00", 4);
	test_font dropped_last = PROP_FONT;
	dropped_last.last_char = 'A';
	dropped_last.widths = {3};
	dropped_last.bitmap = std::string("\x40\xa0", 2);

	const std::vector<hand_edit> edits{
		{"rename", edit(PROP, "\"Tiny\"", "\"Small\""), renamed},
		{"flip a pixel", edit(PROP, ".@.", ".@@"), flipped},
		{"widen a glyph and redraw it", edit(PROP, "width 3\n.@.\n@.@", "width 4\n.@@.\n@..@"), widened},
		{"add a glyph before the first",
	         edit(edit(PROP, "first_char: 65", "first_char: 64"), "glyph 65",
	              "glyph 64 0x40 '@' width 1\n@\n.\nglyph 65"),
	         added_first},
		{"add a glyph after the last",
	         edit(PROP, "last_char: 66", "last_char: 67") + "glyph 67 0x43 'C' width 0\n", added_last},
		{"drop the first glyph",
	         edit(edit(PROP, "first_char: 65", "first_char: 66"), "glyph 65 0x41 'A' width 3\n.@.\n@.@\n", ""),
	         dropped_first},
		{"any one character in a heading, or none",
	         edit(edit(PROP, "0x41 'A'", "0x41 '\xe2\x98\xba'"), "glyph 66 0x42 'B'", "glyph 66 '''"), PROP_FONT},
		{"drop the last glyph",
	         edit(PROP, "last_char: 66", "last_char: 65").substr(0, PROP.find("\nglyph 66") + 1), dropped_last},
	};
	const scratch_dir dir;
	for (const hand_edit &e : edits) {
		SCOPED_TRACE(e.what);
		const run_result r = txt2zirk({dir.file("t.txt", e.text)});
		EXPECT_EQ(r.status, 0);
		EXPECT_EQ(r.err, "");
		EXPECT_EQ(r.out, container_of({e.font}));
	}
}

// Containers the tests and the fuzzer build, the odd ones included, and a
// few dozen random ones, through both programs and back.
TEST(textform, containers_come_back_byte_for_byte)
{
	const test_font prop{.name = "prop", .spacing = 'P', .height = 4, .widths = {3, 9, 17}};
	const std::vector<std::pair<std::string, std::string>> fixtures{
		{"no fonts", container({})},
		{"fixed and proportional", container_of({{}, prop})},
		{"empty fonts", container_of({{.first_char = 'B', .last_char = 'A'},
	                                      {.spacing = 'P', .first_char = 255, .last_char = 254}})},
		{"every code", container_of({{.fixed_width = 1, .height = 1, .first_char = 0, .last_char = 255}})},
		{"surplus", container_of({{.bitmap = pattern(30, 2), .bitmap_size = 30}})},
		{"short block", container_of({{.bitmap = pattern(10, 3), .bitmap_size = 10}})},
		{"name with bytes after its zero", container_of({{.name = std::string("ab\0cd\x7f\xff", 7)}})},
		{"spacing bytes",
	         container_of({{.spacing = '\0'}, {.spacing = ' '}, {.spacing = '\\'}, {.spacing = 'p'}})},
		{"too tall for korvane", container_of({{.height = 200, .first_char = 'A', .last_char = 'A'}})},
		{"too large for korvane",
	         container_of({{.fixed_width = 16, .height = 96, .first_char = 0, .last_char = 128}})},
		{"glyphs of width 0", container_of({{.spacing = 'P', .widths = {0, 0, 5}}, {.fixed_width = 0}})},
		{"glyphs past bitmap_size", container_of({{.fixed_width = 255,
	                                                   .height = 255,
	                                                   .first_char = 0,
	                                                   .last_char = 8,
	                                                   .bitmap = pattern(65535, 4)}})},
		{"bytes after the last record", container_of({{}}) + "trailing"},
		{"255 fonts", container_of(std::vector<test_font>(255, test_font{.height = 1}))},
	};
	std::vector<std::pair<std::string, std::string>> cases = fixtures;
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same containers every run
	std::mt19937 rng(42);
	for (int i = 0; i < 40; i++)
		cases.emplace_back("random " + std::to_string(i), as_string(container_bytes(random_container(rng))));

	const scratch_dir dir;
	for (const auto &[what, bytes] : cases) {
		SCOPED_TRACE(what);
		const run_result text = zirk2txt({dir.file("in.zirk", bytes)});
		ASSERT_EQ(text.status, 0) << text.err;
		const run_result back = txt2zirk({dir.file("in.txt", text.out)});
		ASSERT_EQ(back.status, 0) << back.err;
		EXPECT_TRUE(back.out == bytes) << back.out.size() << " bytes back, " << bytes.size() << " in";
		const run_result again = zirk2txt({dir.file("back.zirk", back.out)});
		EXPECT_EQ(again.out, text.out);
	}
}

// A fault names the file and the font; --list has shown the fonts before it.
TEST(zirk2txt, refuses_what_korvane_cannot_walk)
{
	const test_font font{};
	const std::string whole = container_of({font, font});
	const scratch_dir dir;
	const std::string first_line = zirk2txt({"--list", dir.file("one.zirk", container_of({font}))}).out;
	const struct {
		std::string bytes;
		std::string message;
		std::string listed;  // what --list shows before the fault
	} refused[] = {
		{"", "this is no zirk font file", ""},
		{"ZIRKFNT", "this is no zirk font file", ""},
		{"ZIRKFNX\x01", "this is no zirk font file", ""},
		{container_with_count(1, ""), "font 1 is truncated", ""},
		{whole.substr(0, whole.size() - 1), "font 2 is truncated", first_line},
		{container_of({{.spacing = 'P', .widths = {1, 2, 3}}}).substr(0, 8 + 26 + 2), "font 1 is truncated",
	         ""},
		{container_of({font, {.first_char = 'C', .last_char = 'A', .bitmap = ""}}),
	         "font 2 has an invalid character range", first_line},
	};
	const std::string path = dir.path("in.zirk");
	for (const auto &c : refused) {
		SCOPED_TRACE(c.message);
		dir.file("in.zirk", c.bytes);
		for (const bool list : {false, true}) {
			const run_result r = list ? zirk2txt({path, "--list"}) : zirk2txt({path});
			EXPECT_EQ(r.err,
			          std::string("zirk2txt: ").append(path).append(": ").append(c.message).append("\n"));
			EXPECT_EQ(r.status, 1);
			EXPECT_EQ(r.out, list ? c.listed : "");
		}
	}
	const run_result missing = zirk2txt({dir.path("missing.zirk")});
	EXPECT_EQ(missing.err, "zirk2txt: " + dir.path("missing.zirk") + ": No such file or directory\n");
	EXPECT_EQ(missing.status, 1);
}

// --font takes fonts out of a container, as a text txt2zirk makes a
// container of; the trailing bytes come only with every font.
TEST(zirk2txt, font_takes_fonts_out_of_a_container)
{
	const test_font third{.name = "third"};
	const std::string bytes = container_of({FIXED_FONT, PROP_FONT, third}) + "tail";
	const scratch_dir dir;
	const std::string path = dir.file("a.zirk", bytes);
	const struct {
		std::vector<std::string> args;
		std::string out;
	} cases[] = {
		{{"--font", "2"}, container_of({PROP_FONT})},
		{{"--font=3,1"}, container_of({FIXED_FONT, third})},
		{{"-f", "3", "-f1"}, container_of({FIXED_FONT, third})},
		{{"--font", "1-3"}, bytes},
		{{"--font", "1,2-3"}, bytes},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.args.front());
		std::vector<std::string> args = c.args;
		args.push_back(path);
		const run_result text = zirk2txt(args);
		ASSERT_EQ(text.status, 0) << text.err;
		const run_result back = txt2zirk({dir.file("a.txt", text.out)});
		EXPECT_EQ(back.status, 0) << back.err;
		EXPECT_TRUE(back.out == c.out);
	}
	const run_result second = zirk2txt({path, "--font", "2"});
	EXPECT_TRUE(second.out.starts_with("zirk-text 1\n\nfont 1\n# font 2 of the input\nname: \"Tiny\"\n"))
		<< second.out;
	const run_result listed = zirk2txt({"--list", "--font", "2-3", path});
	EXPECT_TRUE(listed.out.starts_with("font 2 name \"Tiny\" spacing P")) << listed.out;
	EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 2);
}

// txt2zirk takes fonts in the order they stand, whatever their numbers.
TEST(txt2zirk, takes_fonts_in_the_order_they_stand)
{
	const scratch_dir dir;
	const std::string prop = PROP.substr(PROP.find("\nfont 1"));
	for (const auto &[first, second] :
	     {std::pair{"font 7", "font 3"}, std::pair{"font 1", "font 1"}, std::pair{"font 255", "font 2"}}) {
		const std::string text = edit(FIXED, "font 1", first) + edit(prop, "font 1", second);
		const run_result r = txt2zirk({dir.file("t.txt", text)});
		EXPECT_EQ(r.status, 0) << r.err;
		EXPECT_TRUE(r.out == container_of({FIXED_FONT, PROP_FONT})) << first << ", " << second;
	}
}

TEST(zirk2txt, list_shows_one_line_per_font)
{
	const scratch_dir dir;
	const std::string path = dir.file(
		"in.zirk",
		container_of({PROP_FONT,
	                      {.name = "short", .spacing = '\x01', .bitmap = pattern(10, 3), .bitmap_size = 10},
	                      {.name = "tall", .height = 128, .first_char = 1, .last_char = 0},
	                      {.name = std::string(16, 'W'),
	                       .fixed_width = 16,
	                       .height = 96,
	                       .first_char = 0,
	                       .last_char = 128,
	                       .bitmap = ""}}));
	const run_result r = zirk2txt({"--list", path});
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.err, "");
	EXPECT_EQ(r.out,
	          "font 1 name \"Tiny\" spacing P codes 65-66 height 2 bitmap_size 6 computed 6 korvane yes\n"
	          "font 2 name \"short\" spacing \\x01 codes 65-67 height 8 bitmap_size 10 computed 24 korvane yes\n"
	          "font 3 name \"tall\" spacing F codes 1-0 height 128 bitmap_size 0 computed 0 korvane no\n"
	          "font 4 name \"WWWWWWWWWWWWWWWW\" spacing F codes 0-128 height 96 bitmap_size 0 computed 24768 "
	          "korvane no\n");
}

// Options and operands in any order, and the usage errors of these
// programs' own options.
TEST(textform, command_lines)
{
	const scratch_dir dir;
	const std::string font = dir.file("f.zirk", container_of({FIXED_FONT, PROP_FONT, {}}));
	const std::string list = zirk2txt({"--list", font}).out;
	for (const std::vector<std::string> &args :
	     {std::vector<std::string>{font, "--list"}, {font, "-l"}, {"-l", "--", font}}) {
		const run_result r = zirk2txt(args);
		EXPECT_EQ(r.status, 0) << r.err;
		EXPECT_EQ(r.out, list);
	}
	const struct {
		std::string program;
		std::vector<std::string> args;
		std::string message;
	} cases[] = {
		{"zirk2txt", {"-x"}, "unrecognized option '-x'"},
		{"txt2zirk", {"--bogus"}, "unrecognized option '--bogus'"},
		{"txt2zirk", {"a", "b"}, "extra operand 'b'"},
		{"zirk2txt", {font, "--list=1"}, "option '--list=1' takes no value"},
		{"zirk2txt", {font, "--font"}, "option '--font' needs a value"},
		{"zirk2txt",
	         {"--font", "2-1", font},
	         "--font '2-1' is not a list of font numbers from 1 to 255 and ranges, such as 1,3-5"},
		{"zirk2txt", {"--font", "4", font}, "--font 4: " + font + " holds 3 fonts"},
		{"zirk2txt", {font, "-l", "-f", "1,9"}, "--font 9: " + font + " holds 3 fonts"},
		{"zirk2txt", {"--map", "-"}, "standard input ('-') is named twice, and can be read once"},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.message);
		const run_result r = run_program(c.program, c.args);
		EXPECT_EQ(r.status, 1);
		EXPECT_EQ(r.err,
		          c.program + ": " + c.message + "\nTry '" + c.program + " --help' for more information.\n");
		EXPECT_EQ(r.out, "");
	}
	for (const std::string program : {"zirk2txt", "txt2zirk"}) {
		const run_result help = run_program(program, {"--help"});
		EXPECT_TRUE(help.out.starts_with("Usage: " + program + " ")) << help.out;
		EXPECT_EQ(run_program(program, {"--version"}).out, program + " (korvane) 1.0.0\n");
	}
}

// The glyph headings show each code's character by a charset or a code map,
// the first of its characters that is no control; txt2zirk reads any of
// them back to the same bytes.
TEST(zirk2txt, headings_show_the_charset_or_map)
{
	const scratch_dir dir;
	const std::string bytes = container_of({{.fixed_width = 1,
	                                         .height = 1,
	                                         .first_char = 0x80,
	                                         .last_char = 0x82,
	                                         .bitmap = std::string("\x80\x00\x80", 3)}});
	const std::string font = dir.file("f.zirk", bytes);
	const std::string map = dir.file("m.map", "0x81 U+0001 U+263A\n");
	const struct {
		std::vector<std::string> options;
		std::string headings;
	} cases[] = {
		{{}, "glyph 128 0x80\nglyph 129 0x81\nglyph 130 0x82\n"},
		{{"--charset", "CP437"},
	         "glyph 128 0x80 '\xc3\x87'\nglyph 129 0x81 '\xc3\xbc'\nglyph 130 0x82 '\xc3\xa9'\n"},
		{{"-c", "CP437", "-m", map},
	         "glyph 128 0x80 '\xc3\x87'\nglyph 129 0x81 '\xe2\x98\xba'\nglyph 130 0x82 '\xc3\xa9'\n"},
	};
	const std::string plain = zirk2txt({font}).out;
	for (const auto &c : cases) {
		SCOPED_TRACE(c.headings);
		std::vector<std::string> args = c.options;
		args.push_back(font);
		const run_result r = zirk2txt(args);
		EXPECT_EQ(r.status, 0) << r.err;
		std::string headings;
		for (std::size_t at = r.out.find("glyph "); at != std::string::npos; at = r.out.find("glyph ", at + 1))
			headings += r.out.substr(at, r.out.find('\n', at) + 1 - at);
		EXPECT_EQ(headings, c.headings);
		// Nothing else changes.
		std::string text = r.out;
		for (std::size_t at; (at = text.find(" '")) != std::string::npos;)
			text.erase(at, text.find('\n', at) - at);
		EXPECT_EQ(text, plain);
		EXPECT_EQ(txt2zirk({dir.file("t.txt", r.out)}).out, bytes);
	}
}

// The README's two lines make git diff show a changed glyph.
TEST(zirk2txt, serves_git_as_textconv_driver)
{
	const scratch_dir dir;
	const std::vector<std::string> git{
		"git", "-c", "user.name=test", "-c", "user.email=test@example.org", "-c", "color.ui=false"};
	auto run_git = [&](const std::vector<std::string> &args) {
		run_result r = run_command(git, args, output_to::capture, dir.dir);
		EXPECT_EQ(r.status, 0) << r.err;
		return r;
	};
	if (run_command({"git"}, {"--version"}).status != 0)
		GTEST_SKIP() << "no git";
	std::string driver;
	for (const std::string &word : program_command("zirk2txt"))
		driver += (driver.empty() ? "" : " ") + word;

	run_git({"init", "-q"});
	dir.file(".gitattributes", "*.zirk diff=zirk\n");
	run_git({"config", "diff.zirk.textconv", driver});
	dir.file("tiny.zirk", container_of({FIXED_FONT}));
	run_git({"add", "."});
	run_git({"commit", "-q", "-m", "tiny"});
	test_font changed = FIXED_FONT;
	changed.bitmap = std::string("\x40\xa0\xc0\xa0", 4);
	dir.file("tiny.zirk", container_of({changed}));
	const run_result diff = run_git({"diff", "-U1"});
	EXPECT_NE(diff.out.find(" glyph 66 0x42 'B'\n @@.\n-@@@\n+@.@\n"), std::string::npos) << diff.out;
}

// examples/ keeps each font as text; the container beside it is what
// txt2zirk makes of that, and what zirk2txt makes of the container is the
// text again.
TEST(textform, examples_are_their_text)
{
	const std::string examples = KORVANE_SOURCE_DIR "/examples";
	std::set<std::string> texts;
	std::set<std::string> containers;
	for (const auto &entry : std::filesystem::directory_iterator(examples)) {
		const std::string stem = entry.path().stem().string();
		if (entry.path().extension() == ".txt")
			texts.insert(stem);
		else if (entry.path().extension() == ".zirk")
			containers.insert(stem);
	}
	EXPECT_EQ(containers, texts);
	EXPECT_GE(texts.size(), 3U);
	for (const std::string &name : texts) {
		SCOPED_TRACE(name);
		const std::string stem = std::string(examples).append("/").append(name);
		const std::string text_path = stem + ".txt";
		const std::string zirk_path = stem + ".zirk";
		const run_result made = txt2zirk({text_path});
		EXPECT_EQ(made.status, 0);
		EXPECT_EQ(made.err, "");
		EXPECT_TRUE(made.out == read_file(zirk_path)) << name << ".zirk is not what txt2zirk makes of " << name
							      << ".txt; run cmake --build build --target examples";
		EXPECT_EQ(zirk2txt({zirk_path}).out, read_file(text_path));
	}
}
