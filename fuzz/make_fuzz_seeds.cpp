// make_fuzz_seeds <dir>: writes the fuzzer's starting corpus into dir, one
// container a file. Each is a kind of font the tool must take or refuse;
// mutation starts from well-formed records so that it reaches the join pass.
#include "zirk_builder.h"

#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> cycling_widths(unsigned count)
{
	std::vector<std::uint8_t> widths;
	for (unsigned i = 0; i < count; i++)
		widths.push_back(static_cast<std::uint8_t>(i % 19));
	return widths;
}

std::vector<generated_file> seeds()
{
	const test_font fixed{.name = "fixed"};
	const test_font prop{.name = "prop", .spacing = 'P', .height = 4, .widths = {3, 9, 17}};
	const test_font empty_fixed{.name = "empty", .first_char = 'B', .last_char = 'A'};
	const test_font empty_prop{.name = "empty P", .spacing = 'P', .first_char = 255, .last_char = 254};
	const test_font full_fixed{.name = "full", .fixed_width = 1, .height = 1, .first_char = 0, .last_char = 255};
	const test_font full_prop{.name = "full P",
	                          .spacing = 'P',
	                          .height = 1,
	                          .first_char = 0,
	                          .last_char = 255,
	                          .widths = cycling_widths(256)};
	const test_font largest{.name = "largest", .height = 100, .first_char = 0, .last_char = 245};
	const test_font surplus{.name = "surplus", .bitmap = pattern(30, 2), .bitmap_size = 30};
	const test_font short_block{.name = "short", .bitmap = pattern(10, 3), .bitmap_size = 10};
	const test_font short_file{.name = "short file", .bitmap = pattern(5, 4), .bitmap_size = 20};
	const test_font tallest{.name = "tallest", .fixed_width = 3, .height = 127, .last_char = 'A'};
	const test_font named{
		.name = {'\x01', '\x7f', 'n', 'a', 'm', 'e', '\xff', 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I'}};

	const std::string two = container_of({fixed, prop});
	return {
		{"fixed", container_of({fixed})},
		{"prop", container_of({prop})},
		{"empty-fixed", container_of({empty_fixed})},
		{"empty-prop", container_of({empty_prop})},
		{"full-fixed", container_of({full_fixed})},
		{"full-prop", container_of({full_prop})},
		{"largest", container_of({largest})},
		{"mixed", container_of({fixed, prop, empty_prop, surplus, tallest})},
		{"sizes-disagree", container_of({surplus, short_block, fixed})},
		{"short-file", container_of({fixed, short_file})},
		{"truncated", two.substr(0, two.size() - 7)},
		{"named", container_of({named, prop})},
		{"no-fonts", container({})},
		{"too-tall", container_of({fixed, {.height = 128, .bitmap = ""}})},
		{"bad-range", container_of({prop, {.first_char = 'C', .last_char = 'A'}})},
		{"too-large", container_of({{.fixed_width = 16,
	                                     .height = 96,
	                                     .first_char = 0,
	                                     .last_char = 128,
	                                     .bitmap = "",
	                                     .bitmap_size = 24768}})},
	};
}

}  // namespace

int main(int argc, char **argv)
{
	return write_generated_files(argc, argv, seeds);
}
