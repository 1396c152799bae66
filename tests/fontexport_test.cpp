// zirk2bdf and zirk2psf run as a user runs them, and what they write read
// back by the programs that consume it: font2zirk, bdftopcf and pcf2bdf,
// FontForge and psfxtable, over made, random, example and real fonts.
#include "charmap.h"
#include "export_check.h"
#include "random_container.h"
#include "run_program.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iomanip>
#include <sstream>
#include <random>

namespace {

namespace fs = std::filesystem;

struct sample {
	std::string name;
	font_record font;
	std::string charset = "ISO-8859-1";
};

std::string one_font_container(const font_record &font)
{
	const std::vector<unsigned char> bytes = container_bytes({{font}, {}});
	return {bytes.begin(), bytes.end()};
}

font_record record_of(const std::string &bytes, const scratch_dir &dir)
{
	return read_container(dir.file("read.zirk", bytes)).fonts.at(0);
}

bool pixel(const font_record &f, unsigned code, unsigned x, unsigned y)
{
	const std::size_t at = glyph_offset(f, code) + y * row_bytes_for_width(glyph_width(f, code)) + x / 8;
	return at < f.bitmap.size() && ((f.bitmap[at] >> (7 - x % 8)) & 1U) != 0;
}

// Glyph for glyph and width for width; names, spacing bytes and padding
// bits aside, and a short block's lack read as blank.
testing::AssertionResult same_glyphs(const font_record &a, const font_record &b)
{
	const font_header &x = a.header;
	const font_header &y = b.header;
	if (x.first_char != y.first_char || x.last_char != y.last_char || x.height != y.height ||
	    has_width_table(x) != has_width_table(y))
		return testing::AssertionFailure() << "range, height or spacing differ";
	for (unsigned code = x.first_char; code <= x.last_char; code++) {
		if (glyph_width(a, code) != glyph_width(b, code))
			return testing::AssertionFailure() << "code " << code << ": width differs";
		for (unsigned row = 0; row < x.height; row++)
			for (unsigned col = 0; col < glyph_width(a, code); col++)
				if (pixel(a, code, col, row) != pixel(b, code, col, row))
					return testing::AssertionFailure()
					       << "code " << code << ": pixel " << col << "," << row << " differs";
	}
	return testing::AssertionSuccess();
}

// The charset's control codes as private use characters: font2zirk takes no
// glyph for a control character.
std::string graphic_map(const sample &s, const scratch_dir &dir)
{
	const code_map map = charset_codes(s.charset);
	std::string text;
	for (unsigned code = 0; code < CODES; code++)
		if (!map[code].empty() && is_control(map[code].front()))
			text += std::to_string(code) + " " + unicode_notation(0xe000 + code) + "\n";
	return dir.file("graphic.map", text);
}

// font2zirk of a written font, with the charset and range of the original.
run_result import(const std::string &path, const sample &s, const std::string &map)
{
	const font_header &h = s.font.header;
	return run_program("font2zirk", {path, "--charset", s.charset, "--map", map, "--range",
	                                 std::to_string(h.first_char) + "-" + std::to_string(h.last_char),
	                                 has_width_table(h) ? "--proportional" : "--fixed"});
}

unsigned written_glyphs(const font_record &f)
{
	unsigned n = 0;
	for (unsigned code = f.header.first_char; code <= f.header.last_char; code++)
		n += !has_width_table(f.header) || glyph_width(f, code) > 0 ? 1 : 0;
	return n;
}

std::vector<sample> made_fonts()
{
	std::vector<sample> fonts;
	const scratch_dir dir;
	const auto add = [&](const std::string &name, const test_font &t, const std::string &charset) {
		fonts.push_back({name, record_of(container_of({t}), dir), charset});
	};
	add("fixed 8x8", {}, "ISO-8859-1");
	add("fixed 12x16", {.fixed_width = 12, .height = 16, .first_char = 32, .last_char = 126}, "ISO-8859-1");
	add("fixed 1x1", {.fixed_width = 1, .height = 1, .first_char = 0, .last_char = 255}, "ISO-8859-1");
	add("fixed 17x5 KOI8-R", {.fixed_width = 17, .height = 5, .first_char = 0, .last_char = 255}, "KOI8-R");
	std::vector<std::uint8_t> widths;
	for (unsigned i = 0; i < 95; i++)
		widths.push_back(static_cast<std::uint8_t>(i % 7 == 3 ? 0 : i % 25));
	add("proportional", {.spacing = 'P', .height = 13, .first_char = 32, .last_char = 126, .widths = widths},
	    "ISO-8859-1");
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same fonts every run
	std::mt19937 rng(16);
	while (fonts.size() < 25) {
		const font_record f = random_font(rng);
		const font_header &h = f.header;
		if (h.height == 0 || h.height > MAX_HEIGHT || h.first_char > h.last_char || !korvane_takes(f) ||
		    (has_width_table(h) ? written_glyphs(f) == 0 : h.fixed_width == 0))
			continue;
		fonts.push_back({"random " + std::to_string(fonts.size()), f});
	}
	return fonts;
}

std::vector<sample> example_fonts()
{
	std::vector<sample> fonts;
	for (const char *name : {"block8x8", "matrix5x7", "slim10"}) {
		const zirk_container c =
			read_container(std::string(KORVANE_SOURCE_DIR) + "/examples/" + name + ".zirk");
		for (const font_record &f : c.fonts)
			fonts.push_back({name, f});
	}
	return fonts;
}

// Fonts of Debian packages as font2zirk imports them: X11 fixed and
// proportional fonts, Terminus and console fonts.
std::vector<sample> real_fonts()
{
	const std::vector<std::pair<std::string, std::string>> files{
		{"misc/5x7-ISO8859-1.pcf.gz", "ISO-8859-1"},
		{"misc/10x20-KOI8-R.pcf.gz", "KOI8-R"},
		{"misc/ter-u16n_iso-8859-1.pcf.gz", "ISO-8859-1"},
		{"misc/ter-u32b_iso-8859-1.pcf.gz", "ISO-8859-1"},
		{"75dpi/helvR12-ISO8859-1.pcf.gz", "ISO-8859-1"},
		{"75dpi/courB18-ISO8859-1.pcf.gz", "ISO-8859-1"},
		{"75dpi/timR14-ISO8859-1.pcf.gz", "ISO-8859-1"},
		{"100dpi/lubB19-ISO8859-1.pcf.gz", "ISO-8859-1"},
		{"100dpi/ncenR10-ISO8859-1.pcf.gz", "ISO-8859-1"},
		{"/usr/share/consolefonts/Lat15-Fixed16.psf.gz", "ISO-8859-15"},
		{"/usr/share/consolefonts/Lat15-Terminus32x16.psf.gz", "ISO-8859-15"},
	};
	std::vector<sample> fonts;
	const scratch_dir dir;
	for (const auto &[file, charset] : files) {
		const std::string path = file[0] == '/' ? file : "/usr/share/fonts/X11/" + file;
		if (!fs::exists(path))
			continue;
		const run_result r = run_program("font2zirk", {path, "--charset", charset});
		EXPECT_EQ(r.status, 0) << r.err;
		if (r.status == 0)
			fonts.push_back({fs::path(path).filename(), record_of(r.out, dir), charset});
	}
	return fonts;
}

std::vector<sample> every_font()
{
	std::vector<sample> all = made_fonts();
	for (std::vector<sample> more : {example_fonts(), real_fonts()})
		all.insert(all.end(), more.begin(), more.end());
	return all;
}

// psfxtable's listing of the table a charset gives, as it writes one.
std::string expected_table(const std::string &charset)
{
	std::ostringstream table;
	table << "#\n# Character table extracted from font\n#\n" << std::hex << std::setfill('0');
	const code_map map = charset_codes(charset);
	for (unsigned code = 0; code < CODES; code++) {
		table << "0x" << std::setw(3) << code;
		for (const char32_t c : map[code])
			table << "\tU+" << std::setw(4) << unsigned{c};
		table << "\n";
	}
	return table.str();
}

}  // namespace

TEST(fontexport, font2zirk_reads_back_every_glyph_and_width)
{
	const scratch_dir dir;
	for (const sample &s : every_font()) {
		SCOPED_TRACE(s.name);
		const std::string zirk = dir.file("in.zirk", one_font_container(s.font));
		const std::string map = graphic_map(s, dir);
		const run_result bdf = run_program("zirk2bdf", {zirk, "--charset", s.charset, "--map", map});
		ASSERT_EQ(bdf.status, 0) << bdf.err;
		EXPECT_TRUE(each_character_once(bdf.out, dir));
		const run_result back = import(dir.file("out.bdf", bdf.out), s, map);
		ASSERT_EQ(back.status, 0) << back.err;
		EXPECT_TRUE(same_glyphs(s.font, record_of(back.out, dir)));
		if (has_width_table(s.font.header))
			continue;
		const run_result psf = run_program("zirk2psf", {zirk, "--charset", s.charset, "--map", map});
		ASSERT_EQ(psf.status, 0) << psf.err;
		EXPECT_TRUE(each_character_once(psf.out, dir));
		const run_result psf_back = import(dir.file("out.psf", psf.out), s, map);
		ASSERT_EQ(psf_back.status, 0) << psf_back.err;
		EXPECT_TRUE(same_glyphs(s.font, record_of(psf_back.out, dir)));
	}
}

TEST(fontexport, bdftopcf_pcf2bdf_and_fontforge_take_every_bdf)
{
	const scratch_dir dir;
	for (const sample &s : every_font()) {
		SCOPED_TRACE(s.name);
		const std::string zirk = dir.file("in.zirk", one_font_container(s.font));
		const std::string map = graphic_map(s, dir);
		const std::string bdf =
			dir.file("out.bdf", run_program("zirk2bdf", {zirk, "--charset", s.charset, "--map", map}).out);
		const run_result pcf = run_command({"bdftopcf", "-o", dir.path("out.pcf"), bdf}, {});
		ASSERT_EQ(pcf.status, 0) << pcf.err;
		EXPECT_EQ(pcf.err, "");
		const run_result again = run_command({"pcf2bdf", dir.path("out.pcf")}, {});
		ASSERT_EQ(again.status, 0) << again.err;
		const run_result back = import(dir.file("again.bdf", again.out), s, map);
		ASSERT_EQ(back.status, 0) << back.err;
		EXPECT_TRUE(same_glyphs(s.font, record_of(back.out, dir)));
		const run_result forge = run_command(
			{"fontforge", "-lang=py", "-c",
		         "import fontforge,sys; print(len(list(fontforge.open(sys.argv[1]).glyphs())))", bdf},
			{});
		EXPECT_EQ(forge.out, std::to_string(written_glyphs(s.font)) + "\n") << forge.err;
	}
}

TEST(fontexport, psfxtable_lists_the_charset_and_writes_every_psf_back_the_same)
{
	const scratch_dir dir;
	for (const sample &s : every_font()) {
		SCOPED_TRACE(s.name);
		const std::string zirk = dir.file("in.zirk", one_font_container(s.font));
		const std::string written = run_program("zirk2psf", {zirk, "--charset", s.charset}).out;
		EXPECT_TRUE(each_character_once(written, dir));
		const std::string psf = dir.file("out.psf", written);
		// kbd reads no font file over 64 KiB.
		if (fs::file_size(psf) > 65536)
			continue;
		const run_result r = run_command(
			{"psfxtable", "-i", psf, "-o", dir.path("again.psf"), "-ot", dir.path("table.txt")}, {});
		ASSERT_EQ(r.status, 0) << r.err;
		EXPECT_EQ(read_file(dir.path("table.txt")), expected_table(s.charset));
		EXPECT_EQ(read_file(dir.path("again.psf")), read_file(psf));
	}
}
