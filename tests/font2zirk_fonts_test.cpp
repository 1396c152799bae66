// font2zirk on the fonts of Debian packages, checked pixel for pixel against
// the same font as pcf2bdf writes it out, and joined by korvane afterwards.
// A machine without the packages skips these tests and says which it lacks.
#include "font2zirk_support.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <filesystem>
#include <map>
#include <optional>

namespace {

const std::string MISC = "/usr/share/fonts/X11/misc/";
const std::string DPI75 = "/usr/share/fonts/X11/75dpi/";
const std::string OTB = "/usr/share/fonts/opentype/terminus/";
const std::string TTF = "/usr/share/fonts/truetype/dejavu/";
const std::string CONSOLE = "/usr/share/consolefonts/";

// The character each code of a charset stands for, by the C library.
std::vector<std::optional<unsigned>> characters_of(const std::string &charset)
{
	std::vector<std::optional<unsigned>> map(256);
	iconv_t cd = iconv_open("UTF-32BE", charset.c_str());
	if (cd == reinterpret_cast<iconv_t>(-1))  // NOLINT(performance-no-int-to-ptr)
		throw std::runtime_error("iconv does not know " + charset);
	for (unsigned code = 0; code < 256; code++) {
		char in = static_cast<char>(code);
		std::array<unsigned char, 4> out{};
		char *in_at = &in;
		char *out_at = reinterpret_cast<char *>(out.data());
		std::size_t in_left = 1;
		std::size_t out_left = out.size();
		iconv(cd, nullptr, nullptr, nullptr, nullptr);
		if (iconv(cd, &in_at, &in_left, &out_at, &out_left) != static_cast<std::size_t>(-1) && out_left == 0)
			map[code] = unsigned{out[0]} << 24 | unsigned{out[1]} << 16 | unsigned{out[2]} << 8 | out[3];
	}
	iconv_close(cd);
	return map;
}

bool is_control(unsigned c)
{
	return c < 0x20 || (c >= 0x7f && c < 0xa0);
}

// The reference: which BDF glyph each code gets, by character or by the
// font's own code.
struct reference {
	bdf_font bdf;
	std::vector<const bdf_glyph *> glyph_of_code = std::vector<const bdf_glyph *>(256);
	unsigned first = 256;
	unsigned last = 0;
};

reference reference_of(const std::string &bdf_text_in, const std::string &charset, bool own_codes)
{
	reference r;
	r.bdf = parse_bdf(bdf_text_in);
	const std::vector<std::optional<unsigned>> chars = characters_of(charset);
	for (unsigned code = 0; code < 256; code++) {
		const std::optional<unsigned> c = own_codes ? std::optional<unsigned>(code) : chars[code];
		if (!c)
			continue;
		for (const bdf_glyph &g : r.bdf.glyphs)
			if (g.encoding == *c)
				r.glyph_of_code[code] = &g;
		if (r.glyph_of_code[code] != nullptr && !is_control(*c)) {
			r.first = std::min(r.first, code);
			r.last = std::max(r.last, code);
		}
	}
	return r;
}

// Rows of ink above and below the baseline.
int ink_above(const bdf_glyph &g)
{
	for (std::size_t y = 0; y < g.rows.size(); y++)
		if (g.rows[y].find('@') != std::string::npos)
			return g.yoff + static_cast<int>(g.rows.size() - y);
	return 0;
}

int ink_below(const bdf_glyph &g)
{
	for (std::size_t y = g.rows.size(); y-- > 0;)
		if (g.rows[y].find('@') != std::string::npos)
			return -(g.yoff + static_cast<int>(g.rows.size() - 1 - y));
	return 0;
}

// The columns font2zirk gives a glyph: from the leftmost of its origin and
// its ink to the rightmost of its advance and its ink.
struct ink_box {
	int left = 0;
	int width = 0;
};

ink_box box_of(const bdf_glyph &g)
{
	int left = 0;
	int right = g.dwidth;
	for (const std::string &row : g.rows)
		if (const std::size_t first = row.find('@'); first != std::string::npos) {
			left = std::min(left, g.xoff + static_cast<int>(first));
			right = std::max(right, g.xoff + static_cast<int>(row.rfind('@')) + 1);
		}
	return {left, right - left};
}

// Checks every covered code of the made font against the BDF glyph.
void expect_same_pixels(const made_font &made, const reference &ref)
{
	ASSERT_EQ(made.first, ref.first);
	ASSERT_EQ(made.last, ref.last);
	int above = ref.bdf.ascent;
	int below = ref.bdf.descent;
	bool same_advance = true;
	int advance = -1;
	int width = 0;
	for (unsigned code = ref.first; code <= ref.last; code++)
		if (const bdf_glyph *g = ref.glyph_of_code[code]) {
			above = std::max(above, ink_above(*g));
			below = std::max(below, ink_below(*g));
			same_advance = same_advance && (advance < 0 || advance == g->dwidth);
			advance = g->dwidth;
			width = std::max(width, box_of(*g).width);
		}
	ASSERT_EQ(made.height, static_cast<unsigned>(above + below));
	ASSERT_EQ(made.spacing, same_advance ? 'F' : 'P');
	for (unsigned code = ref.first; code <= ref.last; code++) {
		const bdf_glyph *g = ref.glyph_of_code[code];
		const ink_box box = g != nullptr ? box_of(*g) : ink_box{};
		const int w = same_advance ? width : box.width;
		// A fixed cell centres each box, the odd column on the right.
		const int origin = (same_advance ? (width - box.width) / 2 : 0) - box.left;
		const std::vector<std::string> expected =
			g != nullptr
				? cell_rows(*g, above, made.height, static_cast<unsigned>(w), origin)
				: std::vector<std::string>(made.height, std::string(static_cast<unsigned>(w), '.'));
		EXPECT_EQ(made.rows(code), expected) << "code " << code;
	}
}

struct real_font {
	const char *what;
	std::string file;                  // converted by font2zirk
	std::vector<std::string> options;  // before the file
	std::string bdf_source;            // what pcf2bdf writes out as the reference
	std::string charset;               // how the reference's encodings are read
	bool own_codes;
	// Codes where the converted font shows another code's glyph of the
	// reference.
	std::map<unsigned, unsigned> shown_as{};
};

std::vector<real_font> real_fonts()
{
	return {
		{"Adobe_75dpi_Latin1",
	         DPI75 + "helvR12-ISO8859-1.pcf.gz",
	         {},
	         DPI75 + "helvR12-ISO8859-1.pcf.gz",
	         "ISO-8859-1",
	         false},
		{"Adobe_75dpi_Unicode", DPI75 + "timR14.pcf.gz", {}, DPI75 + "timR14.pcf.gz", "ISO-8859-1", false},
		{"Bitstream_75dpi_bold", DPI75 + "charB12.pcf.gz", {}, DPI75 + "charB12.pcf.gz", "ISO-8859-1", false},
		{"Terminus_Latin1",
	         MISC + "ter-u16n_iso-8859-1.pcf.gz",
	         {},
	         MISC + "ter-u16n_iso-8859-1.pcf.gz",
	         "ISO-8859-1",
	         false},
		{"Terminus_Unicode_as_CP437",
	         MISC + "ter-u14b_unicode.pcf.gz",
	         {"--charset", "CP437"},
	         MISC + "ter-u14b_unicode.pcf.gz",
	         "CP437",
	         false},
		{"Terminus_KOI8R_own_codes",
	         MISC + "ter-u16n_koi8-r.pcf.gz",
	         {},
	         MISC + "ter-u16n_koi8-r.pcf.gz",
	         "ISO-8859-1",
	         true},
		{"Terminus_OTB",
	         OTB + "terminus-normal.otb",
	         {"--size", "16"},
	         MISC + "ter-u16n_unicode.pcf.gz",
	         "ISO-8859-1",
	         false},
		{"Terminus_OTB_bold_KOI8R",
	         OTB + "terminus-bold.otb",
	         {"--size", "20", "--charset", "KOI8-R"},
	         MISC + "ter-u20b_unicode.pcf.gz",
	         "KOI8-R",
	         false},
		// The console font's table gives the soft hyphen the hyphen's glyph.
		{"Terminus_console_PSF",
	         CONSOLE + "Lat15-Terminus16.psf.gz",
	         {},
	         MISC + "ter-u16n_unicode.pcf.gz",
	         "ISO-8859-1",
	         false,
	         {{0xad, '-'}}},
	};
}

void PrintTo(const real_font &f, std::ostream *out)
{
	*out << f.what;
}

// What a test needs from the machine, or why it is skipped.
std::string lacking(const std::vector<std::string> &files)
{
	for (const std::string &f : files)
		if (!std::filesystem::exists(f))
			return f + " is missing (Debian packages xfonts-75dpi, xfonts-terminus, fonts-terminus-otb, "
			           "fonts-dejavu-core, console-setup-linux)";
	if (command_output("command -v pcf2bdf").empty())
		return "pcf2bdf is missing (Debian package pcf2bdf)";
	return {};
}

}  // namespace

class font2zirk_real_font : public testing::TestWithParam<real_font> {};

TEST_P(font2zirk_real_font, is_the_font_pixel_for_pixel_and_korvane_joins_it)
{
	const real_font &f = GetParam();
	if (const std::string why = lacking({f.file, f.bdf_source}); !why.empty())
		GTEST_SKIP() << why;
	const std::string bdf = command_output("pcf2bdf '" + f.bdf_source + "'");
	ASSERT_FALSE(bdf.empty()) << "pcf2bdf failed on " << f.bdf_source;

	std::vector<std::string> args = f.options;
	args.push_back(f.file);
	const run_result run = run_program("font2zirk", args);
	ASSERT_EQ(run.status, 0) << run.err;
	EXPECT_EQ(run.err.rfind("font2zirk: made \"", 0), 0u) << run.err;
	EXPECT_EQ(run.err.find("codes are the font's own") != std::string::npos, f.own_codes) << run.err;
	reference ref = reference_of(bdf, f.charset, f.own_codes);
	for (const auto &[code, shown] : f.shown_as)
		ref.glyph_of_code[code] = ref.glyph_of_code[shown];
	expect_same_pixels(read_made_font(run.out), ref);

	const scratch_dir dir;
	const std::string zirk = dir.file("font.zirk", run.out);
	const run_result joined = run_program("korvane", {zirk, zirk});
	EXPECT_EQ(joined.status, 0) << joined.err;
}

INSTANTIATE_TEST_SUITE_P(debian, font2zirk_real_font, testing::ValuesIn(real_fonts()),
                         [](const testing::TestParamInfo<real_font> &p) { return test_name(p.param.what); });

// A scalable font has no BDF to compare with: its glyphs are what FreeType
// renders, and what can be checked is their shape in the cell.
TEST(font2zirk_scalable, truetype_at_one_pixel_size)
{
	const std::string sans = TTF + "DejaVuSans.ttf";
	const std::string mono = TTF + "DejaVuSansMono.ttf";
	if (!std::filesystem::exists(sans) || !std::filesystem::exists(mono))
		GTEST_SKIP() << "DejaVu fonts are missing (Debian package fonts-dejavu-core)";
	const scratch_dir dir;
	std::vector<std::string> files;
	for (const std::string &font : {sans, mono}) {
		const run_result run = run_program("font2zirk", {"--size", "14", font});
		ASSERT_EQ(run.status, 0) << run.err;
		const made_font made = read_made_font(run.out);
		EXPECT_EQ(made.first, 32u);
		EXPECT_EQ(made.last, 255u);
		EXPECT_EQ(made.spacing, font == sans ? 'P' : 'F');
		EXPECT_GE(made.height, 14u);
		EXPECT_LE(made.height, 20u);
		EXPECT_EQ(made.rows(' '), std::vector<std::string>(made.height, std::string(made.width(' '), '.')));
		// The stem of l is one unbroken column of ink, several rows high.
		unsigned inked_rows = 0;
		for (const std::string &row : made.rows('l'))
			inked_rows += row.find('@') != std::string::npos ? 1 : 0;
		EXPECT_GE(inked_rows, 9u);
		files.push_back(dir.file(std::to_string(files.size()) + ".zirk", run.out));
	}
	EXPECT_EQ(run_program("font2zirk", {"-s", "14", sans}).out, run_program("font2zirk", {"-s", "14", sans}).out)
		<< "the same every run";
	EXPECT_EQ(run_program("korvane", files).status, 0);
}

TEST(font2zirk_real_font_messages, sizes_are_listed_and_a_scalable_font_needs_one)
{
	const std::string otb = OTB + "terminus-normal.otb";
	const std::string ttf = TTF + "DejaVuSans.ttf";
	if (!std::filesystem::exists(otb) || !std::filesystem::exists(ttf))
		GTEST_SKIP() << "fonts-terminus-otb or fonts-dejavu-core is missing";
	run_result run = run_program("font2zirk", {otb});
	EXPECT_EQ(run.err,
	          "font2zirk: " + otb +
	                  ": holds several sizes (12, 14, 16, 18, 20, 22, 24, 28, 32); choose one with --size\n");
	EXPECT_EQ(run.status, 1);
	run = run_program("font2zirk", {"--size", "13", otb});
	EXPECT_EQ(run.err, "font2zirk: " + otb + ": has no size 13; its sizes: 12, 14, 16, 18, 20, 22, 24, 28, 32\n");
	run = run_program("font2zirk", {ttf});
	EXPECT_EQ(run.err, "font2zirk: " + ttf + ": a scalable font needs --size PX, the pixel size to draw it at\n");
	EXPECT_EQ(run.status, 1);
	run = run_program("font2zirk", {"--size", "200", ttf});
	EXPECT_EQ(run.err.rfind("font2zirk: " + ttf + ": the glyphs need ", 0), 0u) << run.err;
	EXPECT_NE(run.err.find("a smaller --size"), std::string::npos) << run.err;
	EXPECT_TRUE(run.out.empty());
}
