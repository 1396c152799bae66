// Every message of zirk2bdf and zirk2psf, and what each writes beside it.
#include "export_check.h"
#include "run_program.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

namespace {

struct message_case {
	std::string program;
	std::vector<std::string> args;  // "@NAME" stands for the fixture file NAME
	std::string err;                // "@" stands for the scratch directory
	int status = 1;
	output_to out = output_to::capture;
	std::string input{};   // fixture for standard input
	std::string target{};  // fixture standard output truncates
};

const test_font PLAIN{.name = "Plain",
                      .fixed_width = 6,
                      .height = 9,
                      .first_char = 'A',
                      .last_char = 'C',
                      .bitmap = std::string(27, '\0')};
// An L in each cell: the ink's last row is row 6 of 9, two rows above the
// bottom.
const std::string L_ROWS = std::string("\x80\x80\x80\x80\x80\x80\xf8\0\0", 9);

std::vector<std::pair<std::string, std::string>> fixtures()
{
	test_font padded = PLAIN;
	padded.bitmap = std::string(26, '\0') + "\x01";
	test_font surplus = PLAIN;
	surplus.bitmap = std::string(31, '\0');
	test_font short_block = PLAIN;
	short_block.bitmap = std::string(20, '\0');
	test_font letters = PLAIN;
	letters.bitmap = L_ROWS + L_ROWS + L_ROWS;
	test_font wide = PLAIN;
	wide.spacing = 'P';
	wide.widths = {3, 0, 6};
	wide.bitmap = std::string(18, '\0');
	test_font flat = PLAIN;
	flat.height = 0;
	flat.bitmap = "";
	test_font tall = PLAIN;
	tall.height = 40;
	tall.bitmap = std::string(120, '\0');
	test_font huge = PLAIN;
	huge.fixed_width = 16;
	huge.height = 127;
	huge.bitmap = std::string(std::size_t{3} * 254, '\0');
	test_font all = PLAIN;
	all.first_char = 0;
	all.last_char = 255;
	all.bitmap = std::string(std::size_t{256} * 9, '\0');
	std::string bad_range = container_of({PLAIN});
	bad_range[8 + 24] = 'D';
	bad_range[8 + 25] = 'A';
	return {
		{"one.zirk", container_of({PLAIN})},
		{"two.zirk", container_of({PLAIN, PLAIN})},
		{"none.zirk", container_of({})},
		{"text.zirk", "hello"},
		{"cut.zirk", container_of({PLAIN}).substr(0, 30)},
		{"range.zirk", bad_range},
		{"all.zirk", container_of({all})},
		{"huge.zirk", container_of({huge})},
		{"astral.map", "65 U+1F600\n66 U+10FFFF\n"},
		{"padded.zirk", container_of({padded})},
		{"surplus.zirk", container_of({surplus})},
		{"trailing.zirk", container_of({PLAIN}) + "xyz"},
		{"short.zirk", container_of({short_block})},
		{"letters.zirk", container_of({letters})},
		{"wide.zirk", container_of({wide})},
		{"tall.zirk", container_of({tall})},
		{"flat.zirk", container_of({flat})},
		{"taken.map", "65 B\n66 B\n"},
		{"bad.map", "65\n"},
		{"own.zirk", container_of({PLAIN})},
		{"own.map", "65 B\n"},
	};
}

const std::string TRY_BDF = "Try 'zirk2bdf --help' for more information.\n";
const std::string TRY_PSF = "Try 'zirk2psf --help' for more information.\n";
const std::string PLAIN_BDF =
	"zirk2bdf: font 1 \"Plain\": 3 glyphs, fixed, ascent 9, descent 0 (no letter or digit that sits on the baseline to guess by)";
const std::string LETTERS_BDF = "zirk2bdf: font 1 \"Plain\": 3 glyphs, fixed, ascent 7, descent 2 (guessed)\n";
const std::string PLAIN_PSF = "zirk2psf: font 1 \"Plain\": 256 glyphs of 6x9, 3 codes from the font";

const std::vector<message_case> CASES{
	{"zirk2bdf", {"@one.zirk"}, PLAIN_BDF + "\n", 0},
	{"zirk2bdf", {}, PLAIN_BDF + "\n", 0, output_to::capture, "one.zirk"},
	{"zirk2bdf",
         {"--font", "2", "@two.zirk"},
         "zirk2bdf: font 2 \"Plain\": 3 glyphs, fixed, ascent 9, descent 0 (no letter or digit that sits on the baseline to guess by)\n",
         0},
	{"zirk2bdf", {"@two.zirk"}, "zirk2bdf: @/two.zirk holds 2 fonts; choose one with --font\n" + TRY_BDF},
	{"zirk2psf", {"@two.zirk"}, "zirk2psf: @/two.zirk holds 2 fonts; choose one with --font\n" + TRY_PSF},
	{"zirk2bdf", {"-f3", "@two.zirk"}, "zirk2bdf: --font 3: @/two.zirk holds 2 fonts\n" + TRY_BDF},
	{"zirk2psf",
         {"--font=1", "-"},
         "zirk2psf: --font 1: - holds 0 fonts\n" + TRY_PSF,
         1,
         output_to::capture,
         "none.zirk"},
	{"zirk2bdf", {"@none.zirk"}, "zirk2bdf: @/none.zirk: holds no fonts\n"},
	{"zirk2bdf", {"--font", "0", "@one.zirk"}, "zirk2bdf: --font '0' is not a number from 1 to 255\n" + TRY_BDF},
	{"zirk2psf", {"--font", "x"}, "zirk2psf: --font 'x' is not a number from 1 to 255\n" + TRY_PSF},
	{"zirk2bdf", {"--descent", "-1"}, "zirk2bdf: --descent '-1' is not a number from 0 to 255\n" + TRY_BDF},
	{"zirk2bdf",
         {"--descent", "10", "@one.zirk"},
         "zirk2bdf: --descent 10: font 1 \"Plain\" is 9 rows high\n" + TRY_BDF},
	{"zirk2psf", {"--descent", "1"}, "zirk2psf: unrecognized option '--descent'\n" + TRY_PSF},
	{"zirk2bdf",
         {"-c", "NO-SUCH-SET", "@one.zirk"},
         "zirk2bdf: --charset 'NO-SUCH-SET' is not a charset iconv knows ('iconv --list' shows them)\n" + TRY_BDF},
	{"zirk2bdf", {"@one.zirk", "@two.zirk"}, "zirk2bdf: extra operand '@/two.zirk'\n" + TRY_BDF},
	{"zirk2bdf", {"@missing.zirk"}, "zirk2bdf: @/missing.zirk: No such file or directory\n"},
	{"zirk2psf", {"@text.zirk"}, "zirk2psf: @/text.zirk: this is no zirk font file\n"},
	{"zirk2bdf", {"@cut.zirk"}, "zirk2bdf: @/cut.zirk: font 1 is truncated\n"},
	{"zirk2psf", {"@range.zirk"}, "zirk2psf: @/range.zirk: font 1 has an invalid character range\n"},
	{"zirk2bdf",
         {"@padded.zirk"},
         PLAIN_BDF + "; not carried: padding bits set in 1 glyph (zirk2txt keeps them)\n",
         0},
	{"zirk2psf", {"@surplus.zirk"}, PLAIN_PSF + "; not carried: 4 surplus bytes (zirk2txt keeps them)\n", 0},
	{"zirk2bdf",
         {"@trailing.zirk"},
         PLAIN_BDF + "; not carried: 3 bytes after the last font (zirk2txt keeps them)\n",
         0},
	{"zirk2bdf", {"@short.zirk"}, PLAIN_BDF + "; the block lacks 7 bytes of its glyphs, written blank\n", 0},
	{"zirk2bdf", {"@letters.zirk"}, LETTERS_BDF, 0},
	{"zirk2bdf",
         {"--descent", "0", "@letters.zirk"},
         "zirk2bdf: font 1 \"Plain\": 3 glyphs, fixed, ascent 9, descent 0\n",
         0},
	{"zirk2bdf", {"-c", "CP1252", "-f", "1", "@one.zirk"}, PLAIN_BDF + "\n", 0},
	{"zirk2bdf",
         {"@wide.zirk"},
         "zirk2bdf: font 1 \"Plain\": 2 glyphs, proportional, ascent 9, descent 0 (no letter or digit that sits on the baseline to guess by)\n",
         0},
	{"zirk2psf",
         {"@wide.zirk"},
         "zirk2psf: font 1 \"Plain\": 256 glyphs of 6x9, 3 codes from the font; proportional, each glyph centred in a cell 6 wide\n",
         0},
	{"zirk2psf",
         {"-c", "CP1252", "@one.zirk"},
         PLAIN_PSF + "; 5 codes without a character, with empty entries\n",
         0},
	{"zirk2psf",
         {"@tall.zirk"},
         "zirk2psf: font 1 \"Plain\": 256 glyphs of 6x40, 3 codes from the font; warning: the Linux console loads glyphs 1 to 32 pixels wide and high\n",
         0},
	{"zirk2bdf", {"-m", "@taken.map", "@one.zirk"}, PLAIN_BDF + "; 1 glyph without a character, unencoded\n", 0},
	{"zirk2bdf",
         {"--map", "@astral.map", "@one.zirk"},
         PLAIN_BDF + "; warning: 2 glyphs encoded past U+FFFF, which the BDF keeps but bdftopcf does not\n",
         0},
	{"zirk2psf",
         {"@huge.zirk"},
         "zirk2psf: font 1 \"Plain\": 256 glyphs of 16x127, 3 codes from the font; warning: the Linux console loads glyphs 1 to 32 pixels wide and high; warning: a file of 65696 bytes, over the 64 KiB setfont reads\n",
         0},
	{"zirk2psf",
         {"-m", "@taken.map", "@one.zirk"},
         PLAIN_PSF + "; 1 code without a character, with empty entries\n",
         0},
	// The PC's map names the space at 0x00 and 0xFF too: only 0x20 has it.
	{"zirk2psf",
         {"--map", KORVANE_SOURCE_DIR "/maps/cp437.map", "@all.zirk"},
         "zirk2psf: font 1 \"Plain\": 256 glyphs of 6x9, 256 codes from the font\n",
         0},
	// Charsets that hold a letter back for a combining mark give it still.
	{"zirk2bdf", {"-c", "CP1258", "@letters.zirk"}, LETTERS_BDF, 0},
	{"zirk2bdf", {"-c", "CP1255", "@letters.zirk"}, LETTERS_BDF, 0},
	{"zirk2bdf",
         {"-m", "@bad.map", "@one.zirk"},
         "@/bad.map:1: error: code 0x41 has no character, expected one or more after it, as themselves or as U+XXXX\n"},
	{"zirk2psf", {"--map", "@missing.map", "@one.zirk"}, "zirk2psf: @/missing.map: No such file or directory\n"},
	{"zirk2bdf", {"--map=-"}, "zirk2bdf: standard input ('-') is named twice, and can be read once\n" + TRY_BDF},
	{"zirk2bdf",
         {"@flat.zirk"},
         "zirk2bdf: font 1 \"Plain\": 3 glyphs, fixed, ascent 0, descent 0 (no letter or digit that sits on the baseline to guess by); warning: a font of no rows or no glyphs, which bdftopcf refuses\n",
         0},
	{"zirk2bdf",
         {"@own.zirk"},
         "zirk2bdf: @/own.zirk: is standard output too; will not write into an input\n",
         1,
         output_to::truncate,
         "",
         "own.zirk"},
	{"zirk2psf",
         {"-m", "@own.map", "@one.zirk"},
         "zirk2psf: @/own.map: is standard output too; will not write into an input\n",
         1,
         output_to::truncate,
         "",
         "own.map"},
	{"zirk2psf", {"@one.zirk"}, "zirk2psf: will not write a console font to a terminal\n", 1, output_to::terminal},
	{"zirk2bdf", {"@one.zirk"}, "zirk2bdf: standard output: No space left on device\n", 1, output_to::dev_full},
	{"zirk2psf", {"@one.zirk"}, "zirk2psf: standard output: No space left on device\n", 1, output_to::dev_full},
	{"zirk2bdf", {"--version"}, "", 0},
	{"zirk2psf", {"--help"}, "", 0},
};

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
	for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
		text.replace(at, from.size(), to);
	return text;
}

}  // namespace

TEST(fontexport_messages, every_message_and_its_status)
{
	const scratch_dir dir;
	for (const auto &[name, bytes] : fixtures())
		dir.file(name, bytes);
	for (const message_case &c : CASES) {
		std::vector<std::string> args;
		for (const std::string &a : c.args)
			args.push_back(a[0] == '@' ? dir.path(a.substr(1)) : a);
		SCOPED_TRACE(c.program + " " + testing::PrintToString(args));
		const run_result r = run_program(c.program, args,
		                                 {.out = c.out,
		                                  .input = c.input.empty() ? "" : dir.path(c.input),
		                                  .target = c.target.empty() ? "" : dir.path(c.target)});
		EXPECT_EQ(r.err, replaced(c.err, "@", dir.dir));
		EXPECT_EQ(r.status, c.status);
		if (c.out == output_to::truncate) {
			EXPECT_EQ(r.out, "") << "the shell's > emptied the file; nothing was written into it";
		} else if (c.out == output_to::capture) {
			EXPECT_EQ(r.out.empty(), c.status != 0);
			if (r.status == 0 && !c.err.empty()) {
				EXPECT_TRUE(each_character_once(r.out, dir));
			}
		}
	}
}

// What the glyphs become: the BDF of a made font, line for line, and the
// cells of a proportional PSF.
TEST(fontexport_messages, glyphs_as_written)
{
	const scratch_dir dir;
	test_font f = PLAIN;
	f.spacing = 'P';
	f.name = "A-b\"c";
	f.first_char = ' ';
	f.last_char = '!';
	f.widths = {2, 9};
	f.height = 2;
	f.bitmap = std::string("\xc0\xff", 2) + std::string("\xff\x80\x01\xff", 4);
	const run_result bdf = run_program("zirk2bdf", {"--descent", "1", dir.file("p.zirk", container_of({f}))});
	EXPECT_EQ(bdf.out,
	          "STARTFONT 2.1\nFONT -misc-A_b_c-Medium-R-Normal--2-20-72-72-P-55-ISO10646-1\nSIZE 2 72 72\n"
	          "FONTBOUNDINGBOX 9 2 0 -1\nSTARTPROPERTIES 17\nFOUNDRY \"misc\"\nFAMILY_NAME \"A-b\"\"c\"\n"
	          "WEIGHT_NAME \"Medium\"\nSLANT \"R\"\nSETWIDTH_NAME \"Normal\"\nADD_STYLE_NAME \"\"\n"
	          "PIXEL_SIZE 2\nPOINT_SIZE 20\nRESOLUTION_X 72\nRESOLUTION_Y 72\nSPACING \"P\"\n"
	          "AVERAGE_WIDTH 55\nCHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nFONT_ASCENT 1\n"
	          "FONT_DESCENT 1\nDEFAULT_CHAR 32\nENDPROPERTIES\nCHARS 2\n"
	          "STARTCHAR uni0020\nENCODING 32\nSWIDTH 1000 0\nDWIDTH 2 0\nBBX 2 2 0 -1\nBITMAP\nc0\nc0\nENDCHAR\n"
	          "STARTCHAR uni0021\nENCODING 33\nSWIDTH 4500 0\nDWIDTH 9 0\nBBX 9 2 0 -1\nBITMAP\nff80\n01"
	          "80\nENDCHAR\nENDFONT\n");
	const run_result psf = run_program("zirk2psf", {dir.path("p.zirk")});
	// Cells 9 wide: the 2-wide space moves 3 columns right.
	EXPECT_EQ(psf.out.substr(32 + 32 * 4, 8), std::string("\x18\0\x18\0\xff\x80\x01\x80", 8));
	// Each character at the code that names it earliest in its list, the
	// lower on a tie: B is 0x41's, and the charset's 0xDF keeps ß.
	const run_result mapped =
		run_program("zirk2psf", {"--map", dir.file("two.map", "65 U+0042 U+00DF\n"), dir.path("p.zirk")});
	EXPECT_NE(mapped.out.find("@\xff"
	                          "B\xff"
	                          "\xff"
	                          "C\xff"),
	          std::string::npos);
	EXPECT_NE(mapped.out.find("\xc3\x9e\xff\xc3\x9f\xff"), std::string::npos);
	EXPECT_TRUE(each_character_once(mapped.out, dir));
}

// A BDF family names no size: the height a name ends in is cut, and nothing
// else.
TEST(fontexport_messages, family_name_without_the_height)
{
	const scratch_dir dir;
	const std::vector<std::pair<std::string, std::string>> names{
		{"Terminus 16", "Terminus"}, {"Ter-16", "Ter"}, {"Ter16", "Ter"},      {"Ter 14", "Ter 14"},
		{"Ter 8x16", "Ter 8x16"},    {"16", "16"},      {"Ter 016", "Ter 016"}};
	for (const auto &[name, family] : names) {
		test_font f = PLAIN;
		f.name = name;
		f.height = 16;
		f.bitmap = std::string(48, '\0');
		const run_result r = run_program("zirk2bdf", {dir.file("f.zirk", container_of({f}))});
		EXPECT_NE(r.out.find("\nFAMILY_NAME \"" + family + "\"\n"), std::string::npos) << name;
	}
}
