// Which glyph each code gets: code maps and their faults, ranges in pieces,
// several font files and the per-code report, on fonts the tests write and
// on the fonts of Debian packages, against pcf2bdf's BDF of the same fonts.
#include "font2zirk_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace {

const std::string MISC = "/usr/share/fonts/X11/misc/";
const std::string TERMINUS = MISC + "ter-u16n_unicode.pcf.gz";
const std::string TERMINUS_LATIN1 = MISC + "ter-u16n_iso-8859-1.pcf.gz";
const std::string UNIFONT = MISC + "unifont.pcf.gz";
const std::string CP437 = std::string(KORVANE_SOURCE_DIR) + "/maps/cp437.map";
const std::string USAGE_END = "\nTry 'font2zirk --help' for more information.\n";

// Glyphs at A, B, the smiling face and the black smiling face.
const std::string small_bdf = bdf_text({.family = "Small",
                                        .pixel_size = 2,
                                        .ascent = 2,
                                        .descent = 0,
                                        .glyphs = {{65, 2, 0, 0, {"@.", ".@"}},
                                                   {66, 2, 0, 0, {"@@", ".."}},
                                                   {0x263a, 2, 0, 0, {"..", "@@"}},
                                                   {0x263b, 2, 0, 0, {"@@", "@@"}}}});

struct map_fault {
	const char *what;
	std::string map;
	std::string message;  // after "MAP:"
};

std::vector<map_fault> map_faults()
{
	return {
		{"not a code", "# PC\n\nzz A\n",
	         "3: error: 'zz' is not a code, expected a code from 0 to 255, decimal or 0x hex"},
		{"code above 255", "0x100 A\n", "1: error: code 0x100 is above 255, expected a code from 0 to 255"},
		{"code twice", "65 A\n0x41 B\n",
	         "2: error: code 0x41 is listed already on line 1, expected each code once"},
		{"no character", "0x23 # number sign\n",
	         "1: error: code 0x23 has no character, expected one or more after it, as themselves or as U+XXXX"},
		{"two characters in a word", "1 AB\n",
	         "1: error: 'AB' is more than one character, expected a word per character, as itself or as U+XXXX"},
		{"short U+", "1 U+41\n", "1: error: 'U+41' is not a character, expected U+ and 4 to 6 hex digits"},
		{"U+ not hex", "1 U+00G1\n",
	         "1: error: 'U+00G1' is not a character, expected U+ and 4 to 6 hex digits"},
		{"surrogate", "1 U+DFFF\n",
	         "1: error: 'U+DFFF' is a surrogate, expected a character outside U+D800 to U+DFFF"},
		{"beyond Unicode", "1 U+110000\n",
	         "1: error: 'U+110000' is above U+10FFFF, expected a character up to U+10FFFF"},
		{"not UTF-8", "1 A # caf\xe9\n", "1: error: line is not UTF-8, expected UTF-8 text"},
		{"surrogate in UTF-8", "1 \xed\xa0\x80\n", "1: error: line is not UTF-8, expected UTF-8 text"},
		{"carriage return", "1 A\r\n", "1: error: line ends in a carriage return, expected LF line ends"},
		{"control byte", "1 \x01\n", "1: error: control byte \\x01, expected a control character as U+0001"},
		{"long line", "1 A\n#" + std::string(4096, '-') + "\n",
	         "2: error: line longer than 4096 bytes, expected a code and its characters"},
		{"large map", std::string((1 << 20) + 1, '\n'), " larger than 1 MiB, too large for a code map"},
	};
}

void PrintTo(const map_fault &f, std::ostream *out)
{
	*out << f.what;
}

// The report's lines, one per code from its first.
std::vector<std::string> lines_of(const std::string &text)
{
	std::vector<std::string> lines;
	for (std::size_t at = 0, end = 0; at < text.size(); at = end + 1) {
		end = text.find('\n', at);
		lines.push_back(text.substr(at, end - at));
	}
	return lines;
}

std::string lacking(const std::vector<std::string> &files)
{
	for (const std::string &f : files)
		if (!std::filesystem::exists(f))
			return f + " is missing (Debian packages xfonts-terminus, xfonts-unifont)";
	if (command_output("command -v pcf2bdf").empty())
		return "pcf2bdf is missing (Debian package pcf2bdf)";
	return {};
}

const bdf_glyph *glyph_for(const bdf_font &font, unsigned encoding)
{
	for (const bdf_glyph &g : font.glyphs)
		if (g.encoding == encoding)
			return &g;
	return nullptr;
}

}  // namespace

class font2zirk_map_fault : public testing::TestWithParam<map_fault> {};

TEST_P(font2zirk_map_fault, says_where_and_writes_nothing)
{
	const map_fault &f = GetParam();
	const scratch_dir dir;
	const std::string font = dir.file("small.bdf", small_bdf);
	const std::string map = dir.file("pc.map", f.map);
	const run_result run = run_program("font2zirk", {"--map", map, font});
	const bool whole_file = f.message.front() == ' ';
	EXPECT_EQ(run.err, (whole_file ? "font2zirk: " + map + ":" : map + ":") + f.message + "\n");
	EXPECT_EQ(run.status, 1);
	EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(messages, font2zirk_map_fault, testing::ValuesIn(map_faults()),
                         [](const testing::TestParamInfo<map_fault> &p) { return test_name(p.param.what); });

TEST(font2zirk_map, every_form_of_a_line_and_the_report_of_its_characters)
{
	const scratch_dir dir;
	const std::string font = dir.file("small.bdf", small_bdf);
	// A byte order mark, a tab, a character as itself, a fallback used and
	// one not needed, and a code whose characters no font has.
	const std::string map =
		dir.file("pc.map", "\xef\xbb\xbf# faces\n\n0x01\tU+2639 \xe2\x98\xba # frown, else smile\n"
	                           "2 U+263B U+263A\n3 U+2639\n 0X41 B\n");
	const run_result run = run_program("font2zirk", {"--map", map, "--report", "--range", "1-66", font});
	ASSERT_EQ(run.status, 0) << run.err;
	const std::vector<std::string> lines = lines_of(run.err);
	ASSERT_EQ(lines.size(), 67u);
	EXPECT_EQ(lines[0], "font2zirk: 0x01 U+263A from " + font);
	EXPECT_EQ(lines[1], "font2zirk: 0x02 U+263B from " + font);
	EXPECT_EQ(lines[2], "font2zirk: 0x03 U+2639 in no font");
	EXPECT_EQ(lines[3], "font2zirk: 0x04 U+0004 is a control character");
	EXPECT_EQ(lines[64], "font2zirk: 0x41 U+0042 from " + font);
	EXPECT_EQ(lines[65], "font2zirk: 0x42 U+0042 from " + font);
	const made_font made = read_made_font(run.out);
	EXPECT_EQ(made.rows(1), (std::vector<std::string>{"..", "@@"}));
	EXPECT_EQ(made.rows(2), (std::vector<std::string>{"@@", "@@"}));
	EXPECT_EQ(made.rows(0x41), made.rows(0x42));

	// A font without a Unicode map fills in by its own codes.
	const std::string own =
		dir.file("own.psf", psf1_bytes(std::vector<std::vector<std::string>>(256, {"@@"}), {}, false));
	const run_result filled = run_program("font2zirk", {"--report", "--range", "0x42-0x43", font, own});
	EXPECT_EQ(filled.err.substr(0, filled.err.find("font2zirk: made")),
	          "font2zirk: 0x42 U+0042 from " + font + "\nfont2zirk: 0x43 from " + own + " by its own code\n");

	// Codes a charset leaves undefined stand for no character.
	const run_result greek =
		run_program("font2zirk", {"--charset", "ISO-8859-7", "--report", "--range", "0x41,0xae-0xaf", font});
	const std::vector<std::string> greek_lines = lines_of(greek.err);
	ASSERT_EQ(greek_lines.size(), 0xaf - 0x41 + 2u) << greek.err;
	EXPECT_EQ(greek_lines[0xae - 0x41], "font2zirk: 0xae stands for no character");
	EXPECT_EQ(greek_lines[0xaf - 0x41], "font2zirk: 0xaf U+2015 in no font");
}

TEST(font2zirk_map, cp437_gives_the_pc_glyphs_of_terminus_at_the_control_codes)
{
	if (const std::string why = lacking({TERMINUS}); !why.empty())
		GTEST_SKIP() << why;
	const bdf_font bdf = parse_bdf(command_output("pcf2bdf '" + TERMINUS + "'"));
	const run_result run = run_program("font2zirk", {"--map", CP437, "--range", "0-255", TERMINUS});
	ASSERT_EQ(run.status, 0) << run.err;
	const made_font made = read_made_font(run.out);
	ASSERT_EQ(made.height, static_cast<unsigned>(bdf.ascent + bdf.descent));
	// ☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼ at 0x01-0x1F, ⌂ at 0x7F, and a block.
	const std::vector<std::pair<unsigned, unsigned>> pc{
		{0x01, 0x263a}, {0x02, 0x263b}, {0x03, 0x2665}, {0x04, 0x2666}, {0x05, 0x2663}, {0x06, 0x2660},
		{0x07, 0x2022}, {0x08, 0x25d8}, {0x09, 0x25cb}, {0x0a, 0x25d9}, {0x0b, 0x2642}, {0x0c, 0x2640},
		{0x0d, 0x266a}, {0x0e, 0x266b}, {0x0f, 0x263c}, {0x10, 0x25ba}, {0x11, 0x25c4}, {0x12, 0x2195},
		{0x13, 0x203c}, {0x14, 0x00b6}, {0x15, 0x00a7}, {0x16, 0x25ac}, {0x17, 0x21a8}, {0x18, 0x2191},
		{0x19, 0x2193}, {0x1a, 0x2192}, {0x1b, 0x2190}, {0x1c, 0x221f}, {0x1d, 0x2194}, {0x1e, 0x25b2},
		{0x1f, 0x25bc}, {0x7f, 0x2302}, {0xdb, 0x2588}};
	for (const auto &[code, character] : pc) {
		const bdf_glyph *g = glyph_for(bdf, character);
		ASSERT_NE(g, nullptr) << "Terminus lacks " << character;
		EXPECT_EQ(made.rows(code), cell_rows(*g, bdf.ascent, made.height, made.fixed_width)) << "code " << code;
	}
}

TEST(font2zirk_range, pieces_leave_out_unifonts_wide_boxes_and_make_an_eight_wide_cell)
{
	if (const std::string why = lacking({UNIFONT}); !why.empty())
		GTEST_SKIP() << why;
	const run_result whole = run_program("font2zirk", {UNIFONT});
	ASSERT_EQ(whole.status, 0) << whole.err;
	EXPECT_EQ(read_made_font(whole.out).fixed_width, 16u);

	const run_result run = run_program("font2zirk", {"--range", "32-126,160-172,174-255", "--report", UNIFONT});
	ASSERT_EQ(run.status, 0) << run.err;
	const made_font made = read_made_font(run.out);
	EXPECT_EQ(made.spacing, 'F');
	EXPECT_EQ(made.fixed_width, 8u);
	EXPECT_EQ(made.first, 32u);
	EXPECT_EQ(made.last, 255u);
	const std::vector<std::string> lines = lines_of(run.err);
	ASSERT_EQ(lines.size(), 225u);
	for (const auto &[code, line] :
	     std::vector<std::pair<unsigned, std::string>>{{0x7f, "0x7f U+007F left out by --range"},
	                                                   {0x9f, "0x9f U+009F left out by --range"},
	                                                   {0xad, "0xad U+00AD left out by --range"},
	                                                   {0xac, "0xac U+00AC from " + UNIFONT}}) {
		EXPECT_EQ(lines[code - 32], "font2zirk: " + line);
		EXPECT_EQ(made.rows(code) == std::vector<std::string>(made.height, "........"), code != 0xac) << code;
	}
	EXPECT_NE(lines.back().find("; 34 codes left out by --range"), std::string::npos) << lines.back();

	// In a proportional font the codes left out are 0 wide, even the one
	// Unifont draws 16 wide.
	const run_result widths = run_program("font2zirk", {"--range", "0x41,0x43,0xad", "--proportional", UNIFONT});
	ASSERT_EQ(widths.status, 0) << widths.err;
	std::vector<unsigned> expected(0xad - 0x41 + 1, 0);
	expected[0] = 8;
	expected[2] = 8;
	expected.back() = 16;
	EXPECT_EQ(read_made_font(widths.out).widths, expected);
}

TEST(font2zirk_fallback, unifont_fills_what_terminus_lacks_and_the_report_says_whence)
{
	if (const std::string why = lacking({TERMINUS_LATIN1, UNIFONT}); !why.empty())
		GTEST_SKIP() << why;
	const bdf_font terminus = parse_bdf(command_output("pcf2bdf '" + TERMINUS_LATIN1 + "'"));
	const bdf_font unifont = parse_bdf(command_output("pcf2bdf '" + UNIFONT + "'"));
	const run_result run = run_program("font2zirk", {"--report", TERMINUS_LATIN1, UNIFONT});
	ASSERT_EQ(run.status, 0) << run.err;
	const made_font made = read_made_font(run.out);
	EXPECT_EQ(made.name, read_made_font(run_program("font2zirk", {TERMINUS_LATIN1}).out).name);
	// Unifont gives nothing, and so takes no part in the cell.
	const int above = terminus.ascent;
	ASSERT_EQ(made.height, static_cast<unsigned>(above + terminus.descent));

	const std::vector<std::string> lines = lines_of(run.err);
	ASSERT_EQ(lines.size(), made.last - made.first + 2);
	unsigned from_unifont = 0;
	for (unsigned code = made.first; code <= made.last; code++) {
		const bdf_glyph *own = glyph_for(terminus, code);
		const bdf_glyph *filled = own != nullptr ? nullptr : glyph_for(unifont, code);
		std::array<char, 32> start{};
		static_cast<void>(std::snprintf(start.data(), start.size(), "font2zirk: 0x%02x U+%04X ", code, code));
		const bool control = code >= 0x7f && code < 0xa0;
		const std::string whence = own != nullptr      ? "from " + TERMINUS_LATIN1
		                           : control           ? "is a control character"
		                           : filled != nullptr ? "from " + UNIFONT
		                                               : "in no font";
		EXPECT_EQ(lines[code - made.first], start.data() + whence);
		from_unifont += filled != nullptr && !control ? 1 : 0;
		if (const bdf_glyph *g = own != nullptr ? own : (control ? nullptr : filled)) {
			EXPECT_EQ(made.rows(code), cell_rows(*g, above, made.height, made.width(code)))
				<< "code " << code;
		}
	}
	// Unifont has only control characters Terminus lacks, which none gives.
	EXPECT_EQ(from_unifont, 0u);
	EXPECT_EQ(made.spacing, 'F');
	EXPECT_EQ(made.fixed_width, 8u);
	EXPECT_EQ(made.height, 16u);
	EXPECT_NE(lines.back().find("; 33 codes without a glyph, all control codes, "), std::string::npos)
		<< lines.back();
	EXPECT_NE(lines.back().find("; 191 codes from " + TERMINUS_LATIN1 + ", 0 codes from " + UNIFONT),
	          std::string::npos)
		<< lines.back();
}

TEST(font2zirk_fallback, refusals_name_the_file_or_the_command_line)
{
	const scratch_dir dir;
	const std::string small = dir.file("small.bdf", small_bdf);
	const std::string other = dir.file("other.bdf", bdf_text({.pixel_size = 4, .glyphs = {{67, 2, 0, 0, {"@"}}}}));
	const std::string twice = "font2zirk: standard input ('-') is named twice, and can be read once" + USAGE_END;
	const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
		{{"-", "-"}, twice},
		{{"--map", "-", small, "-"}, twice},
		{{"--size", "2", small, other}, "font2zirk: " + other + ": has no size 2; its sizes: 4\n"},
		{{"--range", "0-10", small, other},
	         "font2zirk: " + small + ", " + other + ": has no glyph for any code from 0 to 10\n"},
	};
	for (const auto &[args, message] : cases) {
		const run_result run = run_program("font2zirk", args);
		EXPECT_EQ(run.err, message);
		EXPECT_EQ(run.status, 1);
		EXPECT_EQ(run.out, "");
	}
}

namespace {

const std::string CONSOLE = "/usr/share/consolefonts/";

// The top and bottom ink rows of a glyph; none for a blank one.
std::optional<std::pair<std::size_t, std::size_t>> ink_rows(const std::vector<std::string> &rows)
{
	std::optional<std::pair<std::size_t, std::size_t>> ink;
	for (std::size_t y = 0; y < rows.size(); y++)
		if (rows[y].find('@') != std::string::npos)
			ink = {ink ? ink->first : y, y};
	return ink;
}

made_font made_of(const std::vector<std::string> &args)
{
	const run_result run = run_program("font2zirk", args);
	EXPECT_EQ(run.status, 0) << run.err;
	return run.status == 0 ? read_made_font(run.out) : made_font{};
}

}  // namespace

// The same design as a console font and as an X11 font: the console font's
// baseline, guessed, is the one the X11 font states.
TEST(font2zirk_console, terminus_as_console_and_x11_font_stand_on_one_baseline)
{
	const std::vector<std::pair<std::string, std::string>> sizes{{"12x6", "12"},  {"14", "14"},    {"16", "16"},
	                                                             {"18x10", "18"}, {"20x10", "20"}, {"22x11", "22"},
	                                                             {"24x12", "24"}, {"28x14", "28"}, {"32x16", "32"}};
	for (const auto &[console, x11] : sizes) {
		const std::string psf = std::string(CONSOLE).append("Lat15-Terminus").append(console).append(".psf.gz");
		const std::string pcf = std::string(MISC).append("ter-u").append(x11).append("n_iso-8859-1.pcf.gz");
		if (const std::string why = lacking({psf, pcf}); !why.empty())
			GTEST_SKIP() << why << " (or console-setup-linux)";
		SCOPED_TRACE(psf);
		const made_font a = made_of({psf});
		const made_font b = made_of({pcf});
		ASSERT_EQ(a.height, b.height);
		unsigned differ = 0;
		for (unsigned code = std::max(a.first, b.first); code <= std::min(a.last, b.last); code++)
			differ += ink_rows(a.rows(code)) != ink_rows(b.rows(code)) ? 1 : 0;
		EXPECT_LE(differ, 3u) << "codes whose ink stands on other rows";
		EXPECT_EQ(made_of({psf, pcf}).height, a.height) << "one baseline, so the cell does not grow";
		EXPECT_EQ(made_of({pcf, psf}).height, a.height);
	}
}

TEST(font2zirk_console, three_files_as_the_pcs_font_on_one_baseline_or_cell_on_cell)
{
	const std::string vga = CONSOLE + "Uni2-VGA16.psf.gz";
	const std::string terminus = CONSOLE + "Lat15-Terminus16.psf.gz";
	if (const std::string why = lacking({vga, terminus, UNIFONT}); !why.empty())
		GTEST_SKIP() << why << " (or console-setup-linux)";
	const std::vector<std::string> pc{"--map", CP437, "--range", "0-255", vga, terminus, UNIFONT};
	const made_font lined = made_of(pc);
	EXPECT_EQ(lined.spacing, 'F');
	EXPECT_EQ(lined.fixed_width, 8u);
	EXPECT_EQ(lined.height, 18u) << "Unifont rises 14 rows above the baseline, the console fonts 12";

	std::vector<std::string> cells = pc;
	cells.insert(cells.begin(), {"--align", "cell"});
	const made_font boxed = made_of(cells);
	ASSERT_EQ(boxed.fixed_width, 8u);
	ASSERT_EQ(boxed.height, 16u);
	// Where each box drawing's lines leave the cell: Up, Down, Left, Right.
	const std::array<const char *, 40> leaves{
		"UD",  "UDL", "UDL", "UDL", "DL",   "DL",  "UDL", "UD", "DL",   "UL",   "UL",  "UL",  "DL", "UR",
		"ULR", "DLR", "UDR", "LR",  "UDLR", "UDR", "UDR", "UR", "DR",   "ULR",  "DLR", "UDR", "LR", "UDLR",
		"ULR", "ULR", "DLR", "DLR", "UR",   "UR",  "DR",  "DR", "UDLR", "UDLR", "UL",  "DR"};
	for (unsigned code = 0xb3; code <= 0xda; code++) {
		const std::vector<std::string> rows = boxed.rows(code);
		std::string left;
		std::string right;
		for (const std::string &row : rows) {
			left += row.front();
			right += row.back();
		}
		std::string edges;
		for (const auto &[edge, pixels] :
		     {std::pair{'U', rows.front()}, {'D', rows.back()}, {'L', left}, {'R', right}})
			edges += pixels.find('@') != std::string::npos ? std::string(1, edge) : "";
		EXPECT_EQ(edges, leaves[code - 0xb3]) << "code " << code;
	}
}

// Every code of cp437.map finds a graphic character; 0x00 is the space.
TEST(font2zirk_console, every_code_of_cp437_map_is_a_graphic_glyph_of_unifont_or_terminus)
{
	if (const std::string why = lacking({TERMINUS_LATIN1, UNIFONT}); !why.empty())
		GTEST_SKIP() << why;
	const run_result run =
		run_program("font2zirk", {"--map", CP437, "--range", "0-255", "--report", TERMINUS_LATIN1, UNIFONT});
	ASSERT_EQ(run.status, 0) << run.err;
	const std::vector<std::string> lines = lines_of(run.err);
	ASSERT_EQ(lines.size(), 257u);
	for (unsigned code = 0; code < 256; code++)
		EXPECT_NE(lines[code].find(" from "), std::string::npos) << lines[code];
	const made_font made = read_made_font(run.out);
	EXPECT_EQ(made.spacing, 'F');
	EXPECT_EQ(made.fixed_width, 8u);
	EXPECT_EQ(made.rows(0), std::vector<std::string>(made.height, "........"));
}
