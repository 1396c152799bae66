// The text form in process: thousands of random containers through the
// writer and the reader, byte for byte and text for text, and the text of
// one odd font spelled out.
#include "random_container.h"
#include "textform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace {

zirk_container parse(const std::string &text)
{
	std::string buffer = text;
	std::FILE *in = fmemopen(buffer.data(), buffer.size(), "r");
	if (in == nullptr)
		throw std::runtime_error("fmemopen failed");
	zirk_container container = parse_text(input_file(in, "test"));
	(void)std::fclose(in);
	return container;
}

font_record odd_font()
{
	font_record font;
	font_header &h = font.header;
	h.name = {'a', '"', '\\', 0, 'j', 0xe9};
	h.spacing = ' ';
	h.uninterpreted = {0x00, 0xab, 0x7f};
	h.fixed_width = 5;
	h.height = 2;
	h.first_char = 0x26;
	h.last_char = 0x28;
	// Glyph 0x26 has padding bits set in its first row; glyph 0x28's second
	// row is not in the block.
	font.bitmap = {0x8b, 0x50, 0xf8, 0x00, 0x20};
	h.bitmap_size = 5;
	return font;
}

// The odd cases a run of random containers must have met, so that a change
// to the generator cannot quietly leave one out.
std::map<std::string, int> odd_cases(const zirk_container &container, const std::string &text)
{
	std::map<std::string, int> seen;
	seen["bytes after the last record"] += static_cast<int>(!container.trailing.empty());
	for (const font_record &font : container.fonts) {
		const font_header &h = font.header;
		const std::uint32_t need = geometry_length(font);
		const auto *zero = std::find(h.name.begin(), h.name.end(), 0);
		seen["name bytes after its zero"] +=
			static_cast<int>(std::any_of(zero, h.name.end(), [](unsigned char b) { return b != 0; }));
		seen["width table"] += static_cast<int>(has_width_table(h));
		seen["surplus"] += static_cast<int>(font.bitmap.size() > need);
		seen["short block"] += static_cast<int>(font.bitmap.size() < need);
		seen["glyphs need more than bitmap_size counts"] += static_cast<int>(need > 0xffff);
		seen["more than 24600 glyph bytes"] += static_cast<int>(need > BITMAP_STORE_SIZE);
		seen["height 128 and above"] += static_cast<int>(h.height > MAX_HEIGHT);
		seen["empty font"] += static_cast<int>(char_count(h) == 0);
		seen["every code"] += static_cast<int>(char_count(h) == CHAR_CODES);
		for (unsigned code = h.first_char; code <= h.last_char; code++)
			seen["glyph of width 0"] += static_cast<int>(glyph_width(font, code) == 0);
	}
	seen["padding bits set"] += static_cast<int>(text.find('|') != std::string::npos);
	return seen;
}

}  // namespace

TEST(textform, random_containers_come_back_byte_for_byte)
{
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same containers every run
	std::mt19937 rng(20261208);
	std::map<std::string, int> seen;
	for (int i = 0; i < 4000; i++) {
		const zirk_container container = random_container(rng);
		const std::string text = container_text(container);
		for (const auto &[name, count] : odd_cases(container, text))
			seen[name] += count;
		const zirk_container back = parse(text);
		ASSERT_EQ(container_bytes(back), container_bytes(container)) << "container " << i << ":\n" << text;
		ASSERT_EQ(container_text(back), text) << "container " << i;
	}
	for (const auto &[name, count] : seen)
		EXPECT_GT(count, 0) << name;
}

// What makes the text a textconv driver and a thing to edit: one form
// line, LF ends, nothing at the end of a line that an editor would strip.
TEST(textform, random_texts_are_plain_lines)
{
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same containers every run
	std::mt19937 rng(7);
	for (int i = 0; i < 500; i++) {
		const std::string text = container_text(random_container(rng));
		ASSERT_TRUE(text.starts_with("zirk-text 1\n"));
		ASSERT_EQ(text.back(), '\n');
		ASSERT_EQ(text.find('\r'), std::string::npos);
		ASSERT_EQ(text.find(" \n"), std::string::npos);
		ASSERT_EQ(text.find('\t'), std::string::npos);
	}
}

TEST(textform, the_most_fonts_a_container_counts)
{
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same containers every run
	std::mt19937 rng(255);
	zirk_container container;
	for (unsigned i = 0; i < MAX_FONTS; i++)
		container.fonts.push_back(random_font(rng));
	const std::string text = container_text(container);
	EXPECT_EQ(container_bytes(parse(text)), container_bytes(container));
}

// txt2zirk holds the container it builds, so the bytes after the last font
// have a bound: up to it they come back, one more is refused.
TEST(textform, the_most_trailing_bytes_a_text_gives)
{
	std::string text = "zirk-text 1\ntrailing:\n";
	// Long lines, of 1024 bytes each, keep the text quick to read.
	std::string line;
	for (unsigned i = 0; i < 1024; i++)
		line += i % 16 == 15 ? "0f " : "00 ";
	line.back() = '\n';
	for (std::size_t i = 0; i < MAX_TRAILING / 1024; i++)
		text += line;
	const zirk_container most = parse(text);
	EXPECT_EQ(most.trailing.size(), MAX_TRAILING);
	EXPECT_EQ(most.trailing.back(), 0x0f);
	text += "ff\n";
	EXPECT_EXIT(parse(text), testing::ExitedWithCode(1),
	            "^test:16387: error: more than 16777216 trailing bytes, expected at most 16777216 \\(txt2zirk "
	            "holds the whole container\\)\n$");
}

TEST(textform, an_odd_font_reads_as)
{
	zirk_container container;
	container.fonts.push_back(odd_font());
	container.trailing = {0xde, 0xad};
	const std::string text = container_text(container);
	EXPECT_EQ(text, "zirk-text 1\n"
	                "\n"
	                "font 1\n"
	                "name: \"a\\\"\\\\\\x00j\\xe9\"\n"
	                "spacing: \\x20\n"
	                "reserved: 00 ab 7f\n"
	                "fixed_width: 5\n"
	                "height: 2\n"
	                "first_char: 38\n"
	                "last_char: 40\n"
	                "# bitmap_size 5, the glyphs need 6: the file does not hold glyph byte 5\n"
	                "\n"
	                "glyph 38 0x26 '&'\n"
	                "@...@|.@@\n"
	                ".@.@.\n"
	                "\n"
	                "glyph 39 0x27 '''\n"
	                "@@@@@\n"
	                ".....\n"
	                "\n"
	                "glyph 40 0x28 '('\n"
	                "..@..\n"
	                "?????\n"
	                "\n"
	                "trailing:\n"
	                "de ad\n");
	EXPECT_EQ(container_bytes(parse(text)), container_bytes(container));
}

TEST(textform, surplus_and_latin1_read_as)
{
	font_record font;
	font.header = {.bitmap_size = 18,
	               .name = {'P'},
	               .spacing = 'P',
	               .uninterpreted = {},
	               .fixed_width = 0,
	               .height = 1,
	               .first_char = 0x9f,
	               .last_char = 0xa0};
	font.widths = {0, 9};
	font.bitmap = {0xff, 0x80};
	for (unsigned char b = 1; b <= 16; b++)
		font.bitmap.push_back(b);
	zirk_container container;
	container.fonts.push_back(font);
	const std::string text = container_text(container);
	EXPECT_EQ(text, "zirk-text 1\n"
	                "\n"
	                "font 1\n"
	                "name: \"P\"\n"
	                "spacing: P\n"
	                "reserved: 00 00 00\n"
	                "fixed_width: 0\n"
	                "height: 1\n"
	                "first_char: 159\n"
	                "last_char: 160\n"
	                "# bitmap_size 18, the glyphs need 2: 16 surplus bytes follow the glyphs\n"
	                "\n"
	                "glyph 159 0x9f width 0\n"
	                "\n"
	                "glyph 160 0xa0 '\xc2\xa0' width 9\n"
	                "@@@@@@@@@\n"
	                "\n"
	                "surplus:\n"
	                "01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10\n");
	EXPECT_EQ(container_bytes(parse(text)), container_bytes(container));
}

// Hand-written text in every form the reader takes comes out in the one
// form the writer makes.
TEST(textform, loose_text_reads_as_the_canonical_text)
{
	const std::string loose = "zirk-text 1\n"
				  "# a comment before the first font\n"
				  "font 1\n"
				  "  name:   \"x\\x41\"  \n"
				  "spacing: \\x46\n"
				  "reserved: AB  cd 00\n"
				  "fixed_width: 003\n"
				  "height: 1\n"
				  "first_char: 0x41\n"
				  "last_char: 0X42\n"
				  "glyph 65\n"
				  "\t@.@|.....\t\n"
				  "glyph 66 0X42\n"
				  "# a comment between the rows\n"
				  "\n"
				  ".@.|..@@@\n"
				  "surplus:\n"
				  "FF   00\n"
				  "01\n"
				  "trailing:\n"
				  "\n";
	EXPECT_EQ(container_text(parse(loose)),
	          "zirk-text 1\n"
	          "\n"
	          "font 1\n"
	          "name: \"xA\"\n"
	          "spacing: F\n"
	          "reserved: ab cd 00\n"
	          "fixed_width: 3\n"
	          "height: 1\n"
	          "first_char: 65\n"
	          "last_char: 66\n"
	          "# bitmap_size 5, the glyphs need 2: 3 surplus bytes follow the glyphs\n"
	          "\n"
	          "glyph 65 0x41 'A'\n"
	          "@.@\n"
	          "\n"
	          "glyph 66 0x42 'B'\n"
	          ".@.|..@@@\n"
	          "\n"
	          "surplus:\n"
	          "ff 00 01\n");
}
