// zirk2c as a user runs it: the bytes it writes read back from the C, the
// names it gives, and the containers it refuses as zirkfont does. That the
// C compiles everywhere is zirk2c_compile's.
#include "random_container.h"
#include "run_program.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The numbers of the initializer that follows "NAME[" in text.
std::vector<unsigned long> numbers_of(const std::string &text, const std::string &array)
{
	const std::size_t at = text.find(array + "[");
	const std::size_t open = text.find('{', at);
	const std::size_t close = text.find('}', open);
	std::vector<unsigned long> numbers;
	if (at == std::string::npos || close == std::string::npos)
		return numbers;
	const std::string body = text.substr(open + 1, close - open - 1);
	for (std::size_t hex = body.find("0x"); hex != std::string::npos; hex = body.find("0x", hex + 2))
		numbers.push_back(std::stoul(body.substr(hex + 2), nullptr, 16));
	return numbers;
}

run_result zirk2c(const std::vector<std::string> &args, const run_options &options = {})
{
	return run_program("zirk2c", args, options);
}

}  // namespace

// Every byte, in order, surplus and trailing bytes too, over containers of
// every odd shape zirkfont takes.
TEST(zirk2c, writes_every_byte_of_the_container)
{
	// NOLINTNEXTLINE(cert-msc32-c,cert-msc51-cpp): the same containers every run
	std::mt19937 rng(20);
	scratch_dir dir;
	unsigned written = 0;
	for (int i = 0; i < 60; i++) {
		const std::vector<unsigned char> bytes = container_bytes(random_container(rng));
		const std::string file = dir.file("c.zirk", std::string(bytes.begin(), bytes.end()));
		const run_result r = zirk2c({"--name", "font_data", file});
		if (r.status != 0)
			continue;  // one zirkfont refuses: the refusal table's
		written++;
		const std::vector<unsigned long> read_back = numbers_of(r.out, "font_data");
		EXPECT_EQ(read_back, std::vector<unsigned long>(bytes.begin(), bytes.end()));
		const std::string size = std::to_string(bytes.size());
		EXPECT_NE(r.out.find("const uint8_t ZIRKFONT_SECTION font_data[" + size + "] = {"), std::string::npos);
		EXPECT_NE(r.out.find("const size_t font_data_size = " + size + ";"), std::string::npos);
	}
	EXPECT_GT(written, 10U);
}

TEST(zirk2c, lists_each_character_once_in_ascending_order_at_its_code)
{
	scratch_dir dir;
	const std::string file = dir.file("f.zirk", container_of({{.name = "one"}}));
	// U+00E9 is named at 0x82 first in its list, at 0xE9 second; U+263A
	// first at both 0x01 and 0x02: the lower code wins.
	const std::string map = dir.file("m.map", "0xe9 U+00E9\n0x82 U+00E9 U+0065\n0x01 U+263A\n0x02 U+263A\n");
	const run_result r = zirk2c({"--map", map, file});
	ASSERT_EQ(r.status, 0) << r.err;
	const std::vector<unsigned long> chars = numbers_of(r.out, "f_map_chars");
	const std::vector<unsigned long> codes = numbers_of(r.out, "f_map_codes");
	ASSERT_EQ(chars.size(), codes.size());
	for (std::size_t i = 1; i < chars.size(); i++)
		EXPECT_LT(chars[i - 1], chars[i]);
	const auto code_of = [&](unsigned long c) {
		const auto at = std::find(chars.begin(), chars.end(), c);
		return at == chars.end() ? -1L : static_cast<long>(codes[static_cast<std::size_t>(at - chars.begin())]);
	};
	EXPECT_EQ(code_of(0xe9), 0x82);
	EXPECT_EQ(code_of(0x263a), 0x01);
	EXPECT_EQ(code_of(0x41), 0x41);
	EXPECT_EQ(code_of(0x01), -1);  // 0x01 stands for U+263A now
	EXPECT_NE(r.out.find("const zf_charmap f_map = {f_map_chars, f_map_codes, " + std::to_string(chars.size()) +
	                     "};"),
	          std::string::npos);
}

TEST(zirk2c, names_what_it_writes_by_name_or_file)
{
	scratch_dir dir;
	const std::string bytes = container_of({{.name = "one"}});
	struct row {
		std::string file;   // the file's name, or "-" for standard input
		std::string ident;  // what zirk2c names the array
	};
	for (const row &r : std::vector<row>{{"block8x8.zirk", "block8x8"},
	                                     {"-", "fonts"},
	                                     {"my-font.v2.zirk", "my_font_v2"},
	                                     {"8x8", "font_8x8"},
	                                     {"__x.zirk", "x"},
	                                     {"int.zirk", "int_font"},
	                                     {"uint8_t.zirk", "uint8_t_font"},
	                                     {"---.zirk", "fonts"},
	                                     {"caf\xc3\xa9.zirk", "caf"}}) {
		SCOPED_TRACE(r.file);
		const std::string path = r.file == "-" ? "-" : dir.file(r.file, bytes);
		const run_result out = zirk2c({path}, {.input = dir.file("stdin", bytes)});
		ASSERT_EQ(out.status, 0) << out.err;
		EXPECT_NE(out.out.find("const size_t " + r.ident + "_size = "), std::string::npos);
	}
	const std::string file = dir.file("f.zirk", bytes);
	const std::string help = "Try 'zirk2c --help' for more information.\n";
	const std::string not_identifier = "' is not a C identifier (a letter or '_', then letters, digits and '_')\n";
	for (auto [name, err] : std::vector<std::pair<std::string, std::string>>{
		     {"", "--name '" + not_identifier},
		     {"9lives", "--name '9lives" + not_identifier},
		     {"a-b", "--name 'a-b" + not_identifier},
		     {"caf\xc3\xa9", "--name 'caf\xc3\xa9" + not_identifier},
		     {"static", "--name 'static' is a C or C++ keyword\n"},
		     {"_Bool", "--name '_Bool' is a C or C++ keyword\n"},
		     {"_Noreturn", "--name '_Noreturn' is a C or C++ keyword\n"},
		     {"class", "--name 'class' is a C or C++ keyword\n"},
		     {"size_t", "--name 'size_t' is a name the written code uses already\n"},
		     {"zf_open", "--name 'zf_open' is a name the written code uses already\n"},
	     }) {
		const run_result r = zirk2c({"--name", name, file});
		EXPECT_EQ(r.status, 1);
		EXPECT_EQ(r.out, "");
		EXPECT_EQ(r.err, "zirk2c: " + err.append(help));
	}
}

TEST(zirk2c, header_numbers_the_fonts_by_their_names)
{
	scratch_dir dir;
	const std::string file = dir.file("f.zirk", container_of({{.name = "Terminus 16"},
	                                                          {.name = "--a..b  c--"},
	                                                          {.name = "Terminus-16"},
	                                                          {.name = "TERMINUS_16_2"},
	                                                          {.name = "Terminus 16"},
	                                                          {.name = "\xe9*/"}}));
	const run_result r = zirk2c({"--header", "--name", "fonts", file});
	ASSERT_EQ(r.status, 0) << r.err;
	EXPECT_NE(r.out.find("enum fonts_font {\n"
	                     "\tFONTS_FONT_TERMINUS_16 = 0,\n"
	                     "\tFONTS_FONT_A_B_C = 1,\n"
	                     "\tFONTS_FONT_TERMINUS_16_2 = 2,\n"
	                     "\tFONTS_FONT_TERMINUS_16_2_2 = 3,\n"
	                     "\tFONTS_FONT_TERMINUS_16_3 = 4,\n"
	                     "\tFONTS_FONT_UNNAMED = 5,\n"
	                     "\tFONTS_COUNT = 6\n"
	                     "};\n"),
	          std::string::npos)
		<< r.out;
	// The name in the comment cannot end it.
	EXPECT_NE(r.out.find(" * 6 \"?*?\": fixed, 8 wide, 8 high, 0x41 to 0x43, 3 characters\n"), std::string::npos);
	EXPECT_NE(r.out.find("#ifndef FONTS_H\n#define FONTS_H\n"), std::string::npos);
	EXPECT_NE(r.out.find("extern const uint8_t ZIRKFONT_SECTION fonts["), std::string::npos);
}

// What zirkfont refuses, with the other programs' words and where the
// record at fault begins.
TEST(zirk2c, refuses_what_zirkfont_refuses_saying_where)
{
	scratch_dir dir;
	const test_font good{.name = "good"};
	const std::size_t second = 8 + record(good).size();
	const std::string whole = container_of({good, good});
	const std::string at_second = " (its record begins at byte " + std::to_string(second) + ")";
	struct row {
		std::string bytes;
		std::string fault;
	};
	for (const row &d : std::vector<row>{
		     {"ZIRKFN", "this is no zirk font file"},
		     {whole.substr(0, whole.size() - 1), "font 2 is truncated" + at_second},
		     {container_of({{.name = "a", .first_char = 9, .last_char = 7, .bitmap = ""}}),
	              "font 1 has an invalid character range (its record begins at byte 8)"},
		     {container_of({good, {.height = 128}}), "font 2: height above 127" + at_second},
		     {container_of({good, {.fixed_width = 255, .height = 127, .first_char = 0, .last_char = 6}}),
	              "font 2: the glyphs need more than 24600 bytes" + at_second},
		     {container_of({good, {.bitmap = "abc"}}),
	              "font 2: the file holds 3 of the 24 bytes the glyphs need" + at_second},
	     }) {
		SCOPED_TRACE(d.fault);
		const std::string file = dir.file("bad.zirk", d.bytes);
		const run_result r = zirk2c({file});
		EXPECT_EQ(r.status, 1);
		EXPECT_EQ(r.out, "");
		EXPECT_EQ(r.err, "zirk2c: " + file + ": " + d.fault + "\n");
	}
}
