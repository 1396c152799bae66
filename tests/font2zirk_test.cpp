// font2zirk on small fonts written out in the tests: where every pixel
// goes, what the summary says, and every refusal.
#include "font2zirk_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using rows = std::vector<std::string>;

// Ascent 3, descent 1: a cell of 4 rows when nothing reaches beyond.
bdf_font small_font(std::vector<bdf_glyph> glyphs)
{
	return bdf_font{.family = "Small", .pixel_size = 4, .ascent = 3, .descent = 1, .glyphs = std::move(glyphs)};
}

const bdf_glyph A{65, 4, 0, 0, {".@.", "@.@", "@@@"}};
const bdf_glyph B{66, 4, 1, 0, {"@@", "@@", "@@"}};
const bdf_glyph g_with_descender{67, 4, 0, -1, {"@@@", "..@", "@@@"}};

struct converted {
	run_result run;
	made_font font;
};

converted convert(const std::string &path, const std::vector<std::string> &options = {})
{
	std::vector<std::string> args = options;
	args.push_back(path);
	converted c{run_program("font2zirk", args), {}};
	EXPECT_EQ(c.run.status, 0) << c.run.err;
	if (c.run.status == 0)
		c.font = read_made_font(c.run.out);
	return c;
}

// The report's lines, before the summary.
std::string report_of(const converted &c)
{
	return c.run.err.substr(0, c.run.err.find("font2zirk: made"));
}

}  // namespace

TEST(font2zirk_placement, fixed_cells_share_one_baseline)
{
	const scratch_dir dir;
	const converted c = convert(dir.file("small.bdf", bdf_text(small_font({A, B, g_with_descender}))));
	EXPECT_EQ(c.run.err, "font2zirk: made \"Small 4\": fixed, 4x4, codes 65-67, 12 bitmap bytes; "
	                     "0 codes without a glyph, 0 glyphs widened to hold their ink, 0 pixels clipped\n");
	EXPECT_EQ(c.font.name, "Small 4");
	EXPECT_EQ(c.font.spacing, 'F');
	EXPECT_EQ(c.font.rows(65), (rows{".@..", "@.@.", "@@@.", "...."}));
	EXPECT_EQ(c.font.rows(66), (rows{".@@.", ".@@.", ".@@.", "...."}));
	EXPECT_EQ(c.font.rows(67), (rows{"....", "@@@.", "..@.", "@@@."}));
}

TEST(font2zirk_placement, accent_above_the_ascent_grows_the_cell)
{
	const bdf_glyph A_umlaut{196, 4, 0, 0, {"@.@", "...", ".@.", "@.@", "@@@"}};
	const scratch_dir dir;
	const std::string path = dir.file("accent.bdf", bdf_text(small_font({A, A_umlaut})));

	const converted grown = convert(path, {"--range", "65-65"});
	EXPECT_EQ(grown.font.height, 4u) << "only covered glyphs count";

	const converted all = convert(path);
	EXPECT_EQ(all.font.first, 65u);
	EXPECT_EQ(all.font.last, 196u);
	EXPECT_EQ(all.font.rows(196), (rows{"@.@.", "....", ".@..", "@.@.", "@@@.", "...."}));
	EXPECT_EQ(all.font.rows(65), (rows{"....", "....", ".@..", "@.@.", "@@@.", "...."}));
	EXPECT_EQ(all.font.rows(66), (rows(6, "....")));

	const converted clipped = convert(path, {"--clip"});
	EXPECT_EQ(clipped.font.rows(196), (rows{".@..", "@.@.", "@@@.", "...."}));
	EXPECT_EQ(
		clipped.run.err,
		"font2zirk: made \"Small 4\": fixed, 4x4, codes 65-196, 528 bitmap bytes; "
		"130 codes without a glyph, 33 of them control codes, 0 glyphs widened to hold their ink, 2 pixels clipped\n");
}

TEST(font2zirk_placement, bearings_place_ink_and_what_falls_outside_is_counted)
{
	const bdf_glyph left_of_origin{65, 3, -1, 0, {"@@@"}};
	const bdf_glyph beyond_advance{66, 3, 1, 1, {"@@@"}};
	const bdf_glyph below_descent{67, 3, 0, -2, {"@..", ".@."}};
	const scratch_dir dir;
	const std::string path =
		dir.file("b.bdf", bdf_text(small_font({left_of_origin, beyond_advance, below_descent})));

	const converted kept = convert(path);
	EXPECT_EQ(kept.font.rows(65), (rows{"....", "....", "@@@.", "....", "...."})) << "moved right by 1";
	EXPECT_EQ(kept.font.rows(66), (rows{"....", ".@@@", "....", "....", "...."}));
	EXPECT_EQ(kept.font.rows(67), (rows{"....", "....", "....", "@...", ".@.."}));
	EXPECT_EQ(kept.run.err,
	          "font2zirk: made \"Small 4\": fixed, 4x5, codes 65-67, 15 bitmap bytes; 0 codes without a "
	          "glyph, 2 glyphs widened to hold their ink (--clip keeps 3 wide, cutting 3 pixels), 0 pixels "
	          "clipped\n");
	EXPECT_EQ(report_of(convert(path, {"--report"})),
	          "font2zirk: 0x41 U+0041 from " + path +
	                  ", box 4 wide, widened to hold its ink\nfont2zirk: 0x42 U+0042 from " + path +
	                  ", box 4 wide, widened to hold its ink\nfont2zirk: 0x43 U+0043 from " + path + "\n");
	EXPECT_EQ(convert(path, {"--proportional"}).font.widths, (std::vector<unsigned>{4, 4, 3}));

	const converted c = convert(path, {"--clip"});
	EXPECT_EQ(c.font.rows(65), (rows{"...", "...", "@@.", "..."}));
	EXPECT_EQ(c.font.rows(66), (rows{"...", ".@@", "...", "..."}));
	EXPECT_EQ(c.font.rows(67), (rows{"...", "...", "...", "@.."}));
	EXPECT_EQ(c.run.err, "font2zirk: made \"Small 4\": fixed, 3x4, codes 65-67, 12 bitmap bytes; "
	                     "0 codes without a glyph, 0 glyphs widened to hold their ink, 3 pixels clipped\n");
	EXPECT_EQ(report_of(convert(path, {"--clip", "--report", "--range", "67"})),
	          "font2zirk: 0x43 U+0043 from " + path + ", box 3 wide, 1 pixel cut by --clip\n");
}

TEST(font2zirk_placement, different_advances_make_a_width_table_and_missing_codes_are_empty)
{
	const bdf_glyph wide{65, 9, 0, 0, {"@.......@"}};
	const bdf_glyph narrow{67, 2, 0, 0, {"@"}};
	const scratch_dir dir;
	const std::string path = dir.file("p.bdf", bdf_text(small_font({wide, narrow})));

	const converted p = convert(path);
	EXPECT_EQ(p.font.spacing, 'P');
	EXPECT_EQ(p.font.widths, (std::vector<unsigned>{9, 0, 2}));
	EXPECT_EQ(p.font.fixed_width, 9u);
	EXPECT_EQ(p.font.rows(65), (rows{".........", ".........", "@.......@", "........."}));
	EXPECT_EQ(p.font.rows(66), (rows{"", "", "", ""}));
	EXPECT_EQ(p.run.err,
	          "font2zirk: made \"Small 4\": proportional, widths up to 9, height 4, codes 65-67, "
	          "12 bitmap bytes; 1 code without a glyph, 0 glyphs widened to hold their ink, 0 pixels clipped\n");

	const converted f = convert(path, {"--fixed"});
	EXPECT_EQ(f.font.spacing, 'F');
	EXPECT_EQ(f.font.fixed_width, 9u);
	EXPECT_EQ(f.font.rows(66), (rows(4, ".........")));
	EXPECT_EQ(f.font.rows(67), (rows{".........", ".........", "...@.....", "........."})) << "centred";

	const converted forced = convert(dir.file("f.bdf", bdf_text(small_font({A, B}))), {"--proportional"});
	EXPECT_EQ(forced.font.spacing, 'P');
	EXPECT_EQ(forced.font.widths, (std::vector<unsigned>{4, 4}));
}

TEST(font2zirk_range, control_characters_take_no_glyph_and_are_left_off_the_ends)
{
	// What fonts draw at control characters is a wide placeholder box.
	const bdf_glyph soh{1, 4, 0, 0, {"@@@"}};
	const bdf_glyph del{127, 9, 0, 0, {"@@@@@@@@@"}};
	const bdf_glyph nbsp_like{160, 4, 0, 0, {"@.@"}};
	const scratch_dir dir;
	const std::string path = dir.file("c.bdf", bdf_text(small_font({soh, A, del, nbsp_like})));
	const converted c = convert(path);
	EXPECT_EQ(c.font.first, 65u);
	EXPECT_EQ(c.font.last, 160u);
	EXPECT_EQ(c.font.spacing, 'F');
	EXPECT_EQ(c.font.fixed_width, 4u) << "DEL's box shapes no cell";
	EXPECT_EQ(c.font.rows(127), rows(4, "...."));

	const converted hex = convert(path, {"--range", "0x01-0x41", "--report"});
	EXPECT_EQ(hex.font.first, 1u);
	EXPECT_EQ(report_of(hex).substr(0, 46), "font2zirk: 0x01 U+0001 is a control character\n");

	// A map's character after a control character is taken.
	const std::string map = dir.file("nul.map", "0 U+0000 U+0041\n");
	EXPECT_EQ(convert(path, {"--map", map, "--range", "0-0"}).font.rows(0), c.font.rows('A'));
	EXPECT_EQ(convert(path, {"-r", "1", "--range", "0x41,127", "-r", "0xa0"}).run.out,
	          convert(path, {"--range", "1,65,127,160"}).run.out);
}

// A console font's baseline is guessed as zirk2bdf guesses a descent. Six
// rows beside a font of ascent 2 and descent 3 make a cell of 9 - D rows.
TEST(font2zirk_psf, the_baseline_is_guessed_as_zirk2bdf_guesses_it)
{
	const auto glyph = [](unsigned rows_under) {
		std::vector<std::string> g(6, "...");
		g[5 - rows_under] = "@@@";
		return g;
	};
	const struct {
		const char *what;
		std::vector<std::pair<std::string, unsigned>> glyphs;  // character, rows under its ink
		unsigned descent;
	} cases[] = {
		{"capitals outvote a descender", {{"A", 2}, {"B", 2}, {"Q", 1}, {"1", 2}}, 2},
		{"small letters only", {{"a", 1}, {"x", 1}, {"g", 0}, {"p", 0}, {"q", 0}}, 1},
		{"the fewest rows on a tie", {{"A", 1}, {"B", 2}}, 1},
		{"no letter or digit", {{"#", 2}, {"g", 3}}, 0},
	};
	const bdf_font beside{
		.family = "Beside", .pixel_size = 5, .ascent = 2, .descent = 3, .glyphs = {{'~', 2, 0, 0, {"@"}}}};
	const scratch_dir dir;
	const std::string other = dir.file("beside.bdf", bdf_text(beside));
	for (const auto &c : cases) {
		SCOPED_TRACE(c.what);
		std::vector<std::vector<std::string>> glyphs;
		std::vector<std::string> table;
		for (const auto &[character, under] : c.glyphs) {
			glyphs.push_back(glyph(under));
			table.push_back(character);
		}
		const std::string psf = dir.file("p.psfu", psf2_bytes(3, glyphs, table, true));
		const converted alone = convert(psf, {"--name", "P"});
		EXPECT_EQ(alone.run.err.find(" has no letter or digit that sits on the baseline: its bottom row taken "
		                             "as the baseline") != std::string::npos,
		          c.descent == 0)
			<< alone.run.err;
		EXPECT_EQ(convert(other, {psf}).font.height, 9 - c.descent);

		const std::string zirk = dir.file("p.zirk", alone.run.out);
		const run_result bdf = run_program("zirk2bdf", {zirk});
		EXPECT_NE(bdf.out.find("FONT_DESCENT " + std::to_string(c.descent) + "\n"), std::string::npos);
		EXPECT_EQ(convert(dir.file("p.bdf", bdf.out), {"--name", "P"}).run.out, alone.run.out)
			<< "font2zirk reads zirk2bdf's BDF back into the same record";
	}
}

// With several files, --clip keeps the first file's cell; --align cell
// sets the others' cells top to top with it.
TEST(font2zirk_placement, the_first_files_cell_with_clip_and_align_cell)
{
	const bdf_font tall{.family = "Tall",
	                    .pixel_size = 6,
	                    .ascent = 5,
	                    .descent = 1,
	                    .glyphs = {{'D', 4, 0, -1, {"@@@", "@@@", "@@@", "@@@", "@@@", "@@@"}}}};
	const scratch_dir dir;
	const std::string first = dir.file("small.bdf", bdf_text(small_font({A})));
	const std::string second = dir.file("tall.bdf", bdf_text(tall));
	const auto both = [&](std::vector<std::string> options) {
		options.insert(options.begin(), first);
		return convert(second, options);
	};
	const converted clipped = both({"-r", "65-68", "--clip"});
	EXPECT_EQ(clipped.font.rows('D'), (rows{"@@@.", "@@@.", "@@@.", "@@@."}));
	EXPECT_NE(clipped.run.err.find(", 6 pixels clipped;"), std::string::npos) << clipped.run.err;

	const converted aligned = both({"-r", "65-68", "--align", "cell", "--report"});
	EXPECT_EQ(aligned.font.rows('D'), (rows{"@@@.", "@@@.", "@@@.", "@@@."}));
	EXPECT_NE(aligned.run.err.find("font2zirk: 0x44 U+0044 from " + second + ", box 4 wide, 6 pixels cut\n"),
	          std::string::npos)
		<< aligned.run.err;
}

TEST(font2zirk_charset, codes_are_looked_up_by_their_character)
{
	const bdf_glyph zhe{0x416, 4, 0, 0, {"@.@", ".@.", "@.@"}};
	const bdf_glyph c_cedilla{0xc7, 4, 0, -1, {"@@", "@.", "@@", ".@"}};
	const scratch_dir dir;
	const std::string path = dir.file("u.bdf", bdf_text(small_font({zhe, c_cedilla})));

	const converted koi8 = convert(path, {"--charset", "KOI8-R"});
	EXPECT_EQ(koi8.font.first, 0xf6u) << "Ж is 0xf6 in KOI8-R";
	EXPECT_EQ(koi8.font.last, 0xf6u);
	const converted cp437 = convert(path, {"-c", "CP437", "-r", "128-128"});
	EXPECT_EQ(cp437.font.rows(128), (rows{"@@..", "@...", "@@..", ".@.."})) << "Ç is 128 in CP437";
	const converted latin1 = convert(path);
	EXPECT_EQ(latin1.font.first, 0xc7u);
	EXPECT_EQ(latin1.font.last, 0xc7u);
}

TEST(font2zirk_charset, a_font_without_a_unicode_map_is_taken_by_its_own_codes)
{
	bdf_font koi8 = small_font({{0xf6, 4, 0, 0, {"@.@", ".@.", "@.@"}}});
	koi8.registry = "KOI8";
	koi8.encoding = "R";
	const scratch_dir dir;
	const converted c = convert(dir.file("k.bdf", bdf_text(koi8)), {"--charset", "CP437"});
	EXPECT_EQ(c.font.first, 0xf6u);
	EXPECT_EQ(
		c.run.err,
		"font2zirk: made \"Small 4\": fixed, 4x4, codes 246-246, 4 bitmap bytes; "
		"0 codes without a glyph, 0 glyphs widened to hold their ink, 0 pixels clipped; codes are the font's own, it has no Unicode "
		"map\n");
}

// Family (and style), then the size, in 16 bytes: the family gives way.
TEST(font2zirk_name, default_name_keeps_the_size_and_name_replaces_it)
{
	const struct {
		std::string family;
		std::string file;
		std::string expected;
	} cases[] = {
		{"Extraordinarily Long", "n.bdf", "Extraordinaril 4"},
		{"Abcdefghijklm Nop", "n.bdf", "Abcdefghijklm 4"},  // no blank before the size
		{"Abcdefghijklm-Nop", "n.bdf", "Abcdefghijklm 4"},
		{"x\u00c4\u00c4\u00c4\u00c4\u00c4\u00c4\u00c4", "n.bdf",
	         "x\u00c4\u00c4\u00c4\u00c4\u00c4\u00c4 4"},  // not inside a character
		{"", "dir.d/My-Font.v2.bdf.gz", "My-Font.v2"},
	};
	const scratch_dir dir;
	std::filesystem::create_directory(dir.path("dir.d"));
	for (const auto &c : cases) {
		bdf_font f = small_font({A});
		f.family = c.family;
		const std::string text = bdf_text(f);
		const std::string path = dir.file(c.file, c.file.ends_with(".gz") ? gzip_bytes(text) : text);
		EXPECT_EQ(convert(path).font.name, c.expected) << c.family;
		const run_result piped = run_program("font2zirk", {"-"}, {.input = path});
		EXPECT_EQ(read_made_font(piped.out).name, c.family.empty() ? "font 4" : c.expected) << c.family;
	}
	const std::string path = dir.path("n.bdf");
	EXPECT_EQ(convert(path, {"--name", "exactly 16 bytes"}).font.name, "exactly 16 bytes");
	EXPECT_EQ(convert(path, {"-n", "short"}).font.name, "short");
}

TEST(font2zirk_input, gzipped_files_are_the_same_font)
{
	const scratch_dir dir;
	const std::string bdf = bdf_text(small_font({A, B, g_with_descender}));
	const std::vector<std::vector<std::string>> glyphs{{"@@", ".@"}, {"@.", "@@"}};
	const std::string psf = psf2_bytes(2, glyphs, {"A", "B"}, true);
	EXPECT_EQ(convert(dir.file("a.bdf.gz", gzip_bytes(bdf))).run.out, convert(dir.file("a.bdf", bdf)).run.out);
	EXPECT_EQ(convert(dir.file("a.psf.gz", gzip_bytes(psf))).run.out, convert(dir.file("a.psf", psf)).run.out);
	// Members one after another, as zcat reads them.
	const std::size_t half = bdf.size() / 2;
	const std::string members = gzip_bytes(bdf.substr(0, half)) + gzip_bytes(bdf.substr(half)) + gzip_bytes("");
	EXPECT_EQ(convert(dir.file("m.bdf.gz", members)).run.out, convert(dir.path("a.bdf")).run.out);
	const run_result piped = run_program("font2zirk", {"-"}, {.input = dir.path("a.bdf.gz")});
	EXPECT_EQ(piped.out, convert(dir.path("a.bdf")).run.out) << piped.err;
}

TEST(font2zirk_input, output_into_the_input_is_refused_before_anything_is_written)
{
	const scratch_dir dir;
	const std::string path = dir.file("a.bdf", bdf_text(small_font({A})));
	const run_result run = run_program("font2zirk", {path}, {.out = output_to::append, .target = path});
	EXPECT_EQ(run.err, "font2zirk: " + path + ": is standard output too; will not write into an input\n");
	EXPECT_EQ(run.status, 1);
	EXPECT_EQ(run.out, bdf_text(small_font({A})));
}

// Console fonts keep glyphs in the hardware's order; the table says which
// characters each shows.
TEST(font2zirk_psf, psf2_glyphs_are_found_through_the_unicode_table)
{
	const std::vector<std::vector<std::string>> glyphs{
		{"@@@@@@@@@.", "@........@"},
		{".@@@@@@@@.", ".@......@."},
		{"..@@@@@@..", "..@....@.."},
	};
	// Glyph 0 shows B, glyph 1 shows A and Ä (after a sequence: A with a
	// combining diaeresis, which a byte code cannot be), glyph 2 is in no
	// charset.
	const std::vector<std::string> table{"B",
	                                     "A\xc3\x84\xfe"
	                                     "A\xcc\x88",
	                                     "\xe2\x98\x83"};
	const scratch_dir dir;
	const converted c = convert(dir.file("t.psfu", psf2_bytes(10, glyphs, table, true)));
	EXPECT_EQ(c.font.name, "t");
	EXPECT_EQ(c.font.first, 65u);
	EXPECT_EQ(c.font.last, 196u);
	EXPECT_EQ(c.font.rows(65), glyphs[1]);
	EXPECT_EQ(c.font.rows(66), glyphs[0]);
	EXPECT_EQ(c.font.rows(196), glyphs[1]);
	EXPECT_EQ(
		c.run.err,
		"font2zirk: made \"t\": fixed, 10x2, codes 65-196, 528 bitmap bytes; "
		"129 codes without a glyph, 33 of them control codes, 0 glyphs widened to hold their ink, 0 pixels clipped\n");
}

TEST(font2zirk_psf, psf1_with_and_without_its_table)
{
	std::vector<std::vector<std::string>> glyphs(256, {"........", "........"});
	glyphs[1] = {"@.......", ".......@"};
	glyphs[2] = {"@@@@@@@@", "........"};
	std::vector<std::u16string> table(256);
	table[1] = u"x\xfffe"
		   u"ab";
	table[2] = u"\x0416y";
	const scratch_dir dir;
	const converted with_table =
		convert(dir.file("Cyr-Test16.psf", psf1_bytes(glyphs, table, true)), {"--charset", "KOI8-R"});
	EXPECT_EQ(with_table.font.name, "Cyr-Test16");
	EXPECT_EQ(with_table.font.first, 'x');
	EXPECT_EQ(with_table.font.last, 0xf6u);
	EXPECT_EQ(with_table.font.rows('x'), glyphs[1]);
	EXPECT_EQ(with_table.font.rows('y'), glyphs[2]);
	EXPECT_EQ(with_table.font.rows(0xf6), glyphs[2]);

	const converted own = convert(dir.file("own.psf", psf1_bytes(glyphs, {}, false)), {"--range", "0-3"});
	EXPECT_EQ(own.font.rows(1), glyphs[1]);
	EXPECT_EQ(own.font.rows(2), glyphs[2]);
	EXPECT_EQ(own.run.err, "font2zirk: made \"own\": fixed, 8x2, codes 0-3, 8 bitmap bytes; 0 codes without a "
	                       "glyph, 0 glyphs widened to hold their ink, 0 pixels clipped; codes are the font's own, "
	                       "it has no Unicode map; " +
	                               dir.path("own.psf") +
	                               " has no letter or digit that sits on the baseline: its bottom row taken as the "
	                               "baseline\n");
}

// Windows FNT has no Unicode map in FreeType: its codes are its own.
TEST(font2zirk_fnt, windows_fonts_are_taken_by_their_own_codes)
{
	const std::vector<std::vector<std::string>> glyphs{
		{"@@@", "@.@", "@@@", "..."},
		{"@.........", ".@........", "..@.......", "........@@"},
	};
	const scratch_dir dir;
	const converted c = convert(dir.file("win.fnt", fnt_bytes(0xc0, 3, glyphs, "Win Test")));
	EXPECT_EQ(c.font.name, "Win Test 4");
	EXPECT_EQ(c.font.spacing, 'P');
	EXPECT_EQ(c.font.first, 0xc0u);
	EXPECT_EQ(c.font.last, 0xc1u);
	EXPECT_EQ(c.font.rows(0xc0), glyphs[0]);
	EXPECT_EQ(c.font.rows(0xc1), glyphs[1]);
	EXPECT_EQ(
		c.run.err,
		"font2zirk: made \"Win Test 4\": proportional, widths up to 10, height 4, codes 192-193, "
		"12 bitmap bytes; 0 codes without a glyph, 0 glyphs widened to hold their ink, 0 pixels clipped; codes are the font's own, it "
		"has no Unicode map\n");
}

TEST(font2zirk_output, the_container_is_what_korvane_joins)
{
	const scratch_dir dir;
	const converted c = convert(dir.file("j.bdf", bdf_text(small_font({A, B, g_with_descender}))));
	const std::string zirk = dir.file("j.zirk", c.run.out);
	const run_result joined = run_program("korvane", {zirk, zirk});
	EXPECT_EQ(joined.status, 0) << joined.err;
	EXPECT_EQ(joined.out.substr(8, 26 + 12), c.run.out.substr(8));
}

// Every refusal: the message, status 1, and nothing on standard output.
namespace {

struct refusal {
	const char *what;
	std::vector<std::string> args;  // @FILE@ stands for the file written from bytes
	std::string bytes;
	std::string message;  // @FILE@ stands for its path
};

std::string replace_file(std::string text, const std::string &path)
{
	for (std::size_t at = 0; (at = text.find("@FILE@", at)) != std::string::npos; at += path.size())
		text.replace(at, 6, path);
	return text;
}

std::string u32le(std::uint32_t v)
{
	return {static_cast<char>(v & 0xff), static_cast<char>(v >> 8 & 0xff), static_cast<char>(v >> 16 & 0xff),
	        static_cast<char>(v >> 24)};
}

std::string psf2_header(std::uint32_t header_size, std::uint32_t count, std::uint32_t charsize, std::uint32_t height,
                        std::uint32_t width, std::uint32_t flags = 0, std::uint32_t version = 0)
{
	return std::string("\x72\xb5\x4a\x86") + u32le(version) + u32le(header_size) + u32le(flags) + u32le(count) +
	       u32le(charsize) + u32le(height) + u32le(width);
}

const std::string small_bdf = bdf_text(small_font({A, B, g_with_descender}));
const std::vector<std::vector<std::string>> two_glyphs{{"@@"}, {".@"}};
const std::string gzipped_bdf = gzip_bytes(small_bdf);

std::vector<refusal> refusals()
{
	const std::string usage_end = "\nTry 'font2zirk --help' for more information.\n";
	bdf_font wide = small_font({{65, 300, 0, 0, {"@"}}});
	bdf_font tall = small_font({{65, 4, 0, -130, {"@"}}});
	bdf_font big;
	bdf_font far_ink = small_font({});
	for (unsigned code = 0; code < 256; code++) {
		big.glyphs.push_back({code, 120, 0, 0, {"@"}});
		far_ink.glyphs.push_back({code, 8, 200, 0, {"@"}});
	}
	std::vector<refusal> all{
		{"no file", {}, "", "font2zirk: no FONTFILE given" + usage_end},
		{"second file missing",
	         {"@FILE@", "other"},
	         small_bdf,
	         "font2zirk: other: No such file or directory\n"},
		{"unknown option",
	         {"--bold", "@FILE@"},
	         small_bdf,
	         "font2zirk: unrecognized option '--bold'" + usage_end},
		{"unknown short option",
	         {"-x", "@FILE@"},
	         small_bdf,
	         "font2zirk: unrecognized option '-x'" + usage_end},
		{"value for a switch",
	         {"--proportional=\x01", "@FILE@"},
	         small_bdf,
	         "font2zirk: option '--proportional=\\x01' takes no value" + usage_end},
		{"option without value",
	         {"@FILE@", "--size"},
	         small_bdf,
	         "font2zirk: option '--size' needs a value" + usage_end},
		{"fixed and proportional",
	         {"--fixed", "--proportional", "@FILE@"},
	         small_bdf,
	         "font2zirk: --fixed and --proportional exclude each other" + usage_end},
		{"missing file", {"@FILE@"}, "", "font2zirk: @FILE@: No such file or directory\n"},
		{"range before the last",
	         {"--range", "66-70", "-r", "0x41", "@FILE@"},
	         small_bdf,
	         "font2zirk: --range '0x41' does not follow the codes of the --range before it, expected pieces "
	         "increasing and not overlapping" +
	                 usage_end},
		{"align",
	         {"--align", "top", "@FILE@"},
	         small_bdf,
	         "font2zirk: --align 'top' is neither baseline nor cell" + usage_end},
		{"zirk container",
	         {"@FILE@"},
	         std::string("ZIRKFNT\1\0", 9),
	         "font2zirk: @FILE@: a zirk container (zirk2txt reads it), not a font file\n"},
		{"not a font",
	         {"@FILE@"},
	         "hello, world\n",
	         "font2zirk: @FILE@: not a font file font2zirk reads (BDF, PCF, OTB, FNT, FON, TrueType, OpenType or PSF)\n"},
		{"not a font at all",
	         {"@FILE@"},
	         std::string(200, 'x'),
	         "font2zirk: @FILE@: not a font file font2zirk reads (BDF, PCF, OTB, FNT, FON, TrueType, OpenType or PSF)\n"},
		{"truncated BDF",
	         {"@FILE@"},
	         small_bdf.substr(0, small_bdf.size() / 2),
	         "font2zirk: @FILE@: damaged BDF font (FreeType: Font glyphs corrupted or missing fields)\n"},
		{"truncated PCF",
	         {"@FILE@"},
	         "\1fcp" + std::string(40, '\0'),
	         "font2zirk: @FILE@: damaged PCF font (FreeType: invalid stream operation)\n"},
		{"truncated TrueType",
	         {"--size", "8", "@FILE@"},
	         std::string("\0\1\0\0\0\x09", 6) + std::string(200, '\0'),
	         "font2zirk: @FILE@: damaged TrueType or OpenType font (FreeType: unknown file format)\n"},
		{"damaged gzip",
	         {"@FILE@"},
	         gzipped_bdf.substr(0, 10) + std::string(20, 'x'),
	         "font2zirk: @FILE@: damaged gzip data\n"},
		{"truncated gzip",
	         {"@FILE@"},
	         gzipped_bdf.substr(0, gzipped_bdf.size() - 20),
	         "font2zirk: @FILE@: gzip data is truncated\n"},
		{"bytes after gzip",
	         {"@FILE@"},
	         gzipped_bdf + "junk",
	         "font2zirk: @FILE@: bytes after the end of the gzip data\n"},
		{"empty charset",
	         {"--charset", "", "@FILE@"},
	         small_bdf,
	         "font2zirk: --charset '' is not a one-byte charset" + usage_end},
		{"multi-byte charset",
	         {"-c", "UTF-16", "@FILE@"},
	         small_bdf,
	         "font2zirk: --charset 'UTF-16' is not a one-byte charset" + usage_end},
		{"unknown charset",
	         {"--charset", "NO-SUCH-SET", "@FILE@"},
	         small_bdf,
	         "font2zirk: --charset 'NO-SUCH-SET' is not a charset iconv knows ('iconv --list' shows them)" +
	                 usage_end},
		{"size not a number",
	         {"--size", "12px", "@FILE@"},
	         small_bdf,
	         "font2zirk: --size '12px' is not a number from 1 to 255" + usage_end},
		{"size zero",
	         {"--size", "0", "@FILE@"},
	         small_bdf,
	         "font2zirk: --size '0' is not a number from 1 to 255" + usage_end},
		{"size the font lacks",
	         {"--size", "7", "@FILE@"},
	         small_bdf,
	         "font2zirk: @FILE@: has no size 7; its sizes: 4\n"},
		{"name too long",
	         {"--name", "seventeen bytes!!", "@FILE@"},
	         small_bdf,
	         "font2zirk: --name 'seventeen bytes!!' is longer than the 16 bytes a name can hold" + usage_end},
		{"no glyph in range",
	         {"--range", "0-64", "@FILE@"},
	         small_bdf,
	         "font2zirk: @FILE@: has no glyph for any code from 0 to 64\n"},
		{"only control codes",
	         {"@FILE@"},
	         bdf_text(small_font({{7, 4, 0, 0, {"@"}}})),
	         "font2zirk: @FILE@: has no glyph for any code from 0 to 255 but control codes\n"},
		{"too wide",
	         {"@FILE@"},
	         bdf_text(wide),
	         "font2zirk: @FILE@: glyphs up to 300 pixels wide, more than the 255 a zirk font holds\n"},
		{"ink too wide",
	         {"@FILE@"},
	         bdf_text(small_font({{65, 10, 0, 0, {std::string(300, '@')}}})),
	         "font2zirk: @FILE@: glyphs up to 300 pixels wide, more than the 255 a zirk font holds; --clip to keep the "
	         "font's advances would make them fit\n"},
		{"too tall",
	         {"@FILE@"},
	         bdf_text(tall),
	         "font2zirk: @FILE@: the glyphs need 133 rows, more than the 127 korvane takes; --clip to keep "
	         "the font's own 4 rows would make them fit\n"},
		{"too large",
	         {"@FILE@"},
	         bdf_text(big),
	         "font2zirk: @FILE@: codes 32-255 need 26880 bitmap bytes, more than the 24600 korvane takes; a narrower --range "
	         "(32-236 fits) would make it fit\n"},
		{"too large but for its ink",
	         {"--range", "0-255", "@FILE@"},
	         bdf_text(far_ink),
	         "font2zirk: @FILE@: codes 0-255 need 26624 bitmap bytes, more than the 24600 korvane takes; a narrower --range "
	         "(0-235 fits) or --clip would make it fit\n"},
		{"PSF1 header truncated",
	         {"@FILE@"},
	         std::string("\x36\x04\x00", 3),
	         "font2zirk: @FILE@: PSF1 header is truncated\n"},
		{"PSF1 glyphs truncated",
	         {"@FILE@"},
	         std::string("\x36\x04\x00\x02", 4) + std::string(511, 'x'),
	         "font2zirk: @FILE@: PSF file is truncated: 256 glyphs of 2 bytes need 512 bytes, it holds 511\n"},
		{"PSF1 of no rows",
	         {"@FILE@"},
	         std::string("\x36\x04\x00\x00", 4),
	         "font2zirk: @FILE@: PSF font has no pixels: 256 glyphs of 8x0\n"},
		{"PSF1 table truncated",
	         {"@FILE@"},
	         std::string("\x36\x04\x02\x01", 4) + std::string(256, 'x') + "\x41",
	         "font2zirk: @FILE@: PSF Unicode table is truncated in the entry of glyph 0\n"},
		{"PSF2 header truncated",
	         {"@FILE@"},
	         psf2_header(32, 1, 1, 1, 8).substr(0, 31),
	         "font2zirk: @FILE@: PSF2 header is truncated\n"},
		{"PSF2 version",
	         {"@FILE@"},
	         psf2_header(32, 1, 1, 1, 8, 0, 1) + "x",
	         "font2zirk: @FILE@: PSF2 version 1, only version 0 is known\n"},
		{"PSF2 header size small",
	         {"@FILE@"},
	         psf2_header(16, 1, 1, 1, 8) + "x",
	         "font2zirk: @FILE@: PSF2 header size 16 is not between 32 and the file's 33 bytes\n"},
		{"PSF2 header size large",
	         {"@FILE@"},
	         psf2_header(0xffffffff, 1, 1, 1, 8) + "x",
	         "font2zirk: @FILE@: PSF2 header size 4294967295 is not between 32 and the file's 33 bytes\n"},
		{"PSF2 glyph size disagrees",
	         {"@FILE@"},
	         psf2_header(32, 1, 3, 2, 9) + "xxx",
	         "font2zirk: @FILE@: PSF2 glyphs of 9x2 take 4 bytes, the header says 3\n"},
		{"PSF2 too wide",
	         {"@FILE@"},
	         psf2_header(32, 1, 33, 1, 256) + std::string(33, 'x'),
	         "font2zirk: @FILE@: PSF glyphs are 256 pixels wide, more than the 255 a zirk font holds\n"},
		{"PSF2 too tall",
	         {"@FILE@"},
	         psf2_header(32, 1, 128, 128, 8) + std::string(128, 'x'),
	         "font2zirk: @FILE@: PSF glyphs are 128 rows high, more than the 127 korvane takes\n"},
		{"PSF2 of no glyphs",
	         {"@FILE@"},
	         psf2_header(32, 0, 1, 1, 8),
	         "font2zirk: @FILE@: PSF font has no pixels: 0 glyphs of 8x1\n"},
		{"PSF2 glyphs truncated",
	         {"@FILE@"},
	         psf2_header(32, 0x80000000, 2, 2, 8) + "xx",
	         "font2zirk: @FILE@: PSF file is truncated: 2147483648 glyphs of 2 bytes need 4294967296 bytes, it holds 2\n"},
		{"PSF2 table truncated",
	         {"@FILE@"},
	         psf2_bytes(2, two_glyphs, {"A"}, true) + "B",
	         "font2zirk: @FILE@: PSF Unicode table is truncated in the entry of glyph 1\n"},
		{"PSF2 table not UTF-8",
	         {"@FILE@"},
	         psf2_bytes(2, two_glyphs, {"A", "\xc3"}, true),
	         "font2zirk: @FILE@: PSF Unicode table has invalid UTF-8 in the entry of glyph 1\n"},
		{"PSF size the font lacks",
	         {"--size", "3", "@FILE@"},
	         psf2_bytes(2, two_glyphs, {"A", "B"}, true),
	         "font2zirk: @FILE@: has no size 3; its sizes: 1\n"},
	};
	for (const char *range : {"65-", "A-Z", "0-0x100", "200-100", "32-126,100-255", "160-255,32-126", "32,,40"})
		all.push_back(
			{range,
		         {"--range", range, "@FILE@"},
		         small_bdf,
		         "font2zirk: --range '" + std::string(range) +
		                 "' is not pieces FIRST-LAST of codes 0 to 255 (decimal or 0x hex), increasing and "
		                 "not overlapping, such as 32-126,160-255" +
		                 usage_end});
	return all;
}

// Shown for a failing case instead of the structure's bytes.
void PrintTo(const refusal &r, std::ostream *out)
{
	*out << r.what;
}

}  // namespace

class font2zirk_refusal : public testing::TestWithParam<refusal> {};

TEST_P(font2zirk_refusal, says_what_is_wrong_and_writes_nothing)
{
	const refusal &r = GetParam();
	const scratch_dir dir;
	const std::string path = dir.path("font");
	if (!r.bytes.empty())
		dir.file("font", r.bytes);
	std::vector<std::string> args;
	for (const std::string &a : r.args)
		args.push_back(a == "@FILE@" ? path : a);
	const run_result run = run_program("font2zirk", args);
	EXPECT_EQ(run.err, replace_file(r.message, path));
	EXPECT_EQ(run.status, 1);
	EXPECT_TRUE(run.out.empty()) << run.out.size() << " bytes on standard output";
}

INSTANTIATE_TEST_SUITE_P(messages, font2zirk_refusal, testing::ValuesIn(refusals()),
                         [](const testing::TestParamInfo<refusal> &p) { return test_name(p.param.what); });

TEST(font2zirk_refusal, empty_file_and_directory)
{
	const scratch_dir dir;
	const std::string empty = dir.file("empty", "");
	run_result run = run_program("font2zirk", {empty});
	EXPECT_EQ(run.err, "font2zirk: " + empty + ": empty file\n");
	EXPECT_EQ(run.status, 1);
	run = run_program("font2zirk", {dir.dir});
	EXPECT_EQ(run.err, "font2zirk: " + dir.dir + ": Is a directory\n");
	EXPECT_EQ(run.status, 1);
	EXPECT_EQ(run.out, "");
}

TEST(font2zirk_output, refuses_a_terminal_and_a_failed_write)
{
	const scratch_dir dir;
	const std::string path = dir.file("small.bdf", small_bdf);
	run_result run = run_program("font2zirk", {path}, {.out = output_to::terminal});
	EXPECT_EQ(run.err, "font2zirk: will not write font data to a terminal\n");
	EXPECT_EQ(run.status, 1);
	EXPECT_EQ(run.out, "");
	run = run_program("font2zirk", {path}, {.out = output_to::dev_full});
	EXPECT_EQ(run.err, "font2zirk: standard output: No space left on device\n");
	EXPECT_EQ(run.status, 1);
	run = run_program("font2zirk", {path}, {.out = output_to::closed});
	EXPECT_EQ(run.err, "font2zirk: standard output: Bad file descriptor\n");
	EXPECT_EQ(run.status, 1);
}

TEST(font2zirk_options, help_and_version)
{
	const run_result help = run_program("font2zirk", {"--help"});
	EXPECT_EQ(help.status, 0);
	EXPECT_EQ(help.out.rfind("Usage: font2zirk [OPTIONS] FONTFILE... > FONT.zirk\n", 0), 0u) << help.out;
	EXPECT_EQ(run_program("font2zirk", {"-h"}).out, help.out);
	const run_result version = run_program("font2zirk", {"--version"});
	EXPECT_EQ(version.status, 0);
	EXPECT_EQ(version.out.rfind("font2zirk (korvane) ", 0), 0u) << version.out;
}
