// make_bench_inputs <dir>: writes the benchmark's workloads into dir. Each is
// a directory of input files beside <workload>.expected, the exact join
// korvane must give of them. Every record's bitmap_size agrees with its
// geometry, so a correct join copies the records unchanged.
#include "zirk_builder.h"

#include <string>
#include <vector>

namespace {

// n as three digits, as file and font names count here (up to 255).
std::string three_digits(std::size_t n)
{
	const std::string digits = std::to_string(n);
	return std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
}

// One file a font each, or all in one file; names in the order korvane is
// given them.
void add_workload(std::vector<generated_file> &files, const std::string &name,
                  const std::vector<std::vector<test_font>> &inputs)
{
	std::string records;
	unsigned count = 0;
	for (std::size_t i = 0; i < inputs.size(); i++) {
		files.push_back({name + "/f" + three_digits(i + 1) + ".zirk", container_of(inputs[i])});
		for (const test_font &f : inputs[i]) {
			records += record(f);
			count++;
		}
	}
	files.push_back({name + ".expected", container_with_count(static_cast<std::uint8_t>(count), records)});
}

std::vector<generated_file> workloads()
{
	// (a) A typical set: a fixed 8x8 font, a proportional one with a width
	// table, and a 12x16 font of two bytes a row; printable ASCII each.
	std::vector<std::uint8_t> widths;
	for (unsigned c = 32; c <= 126; c++)
		widths.push_back(static_cast<std::uint8_t>(2 + c % 7));
	const test_font fixed{.name = "Bench 8x8", .first_char = 32, .last_char = 126, .seed = 1};
	const test_font prop{.name = "Bench Prop",
	                     .spacing = 'P',
	                     .height = 10,
	                     .first_char = 32,
	                     .last_char = 126,
	                     .widths = widths,
	                     .seed = 2};
	const test_font wide{
		.name = "Bench 12x16", .fixed_width = 12, .height = 16, .first_char = 32, .last_char = 127, .seed = 3};

	// (b) and (c): 255 fonts of 246 codes, one byte a row and 100 rows, which
	// is exactly the largest bitmap block a font may have (24600 bytes).
	std::vector<test_font> big;
	for (unsigned i = 0; i < 255; i++) {
		big.push_back({.name = "Bench Big " + three_digits(i),
		               .height = 100,
		               .first_char = 0,
		               .last_char = 245,
		               .seed = static_cast<std::uint8_t>(i)});
	}
	std::vector<std::vector<test_font>> one_each;
	one_each.reserve(big.size());
	for (const test_font &f : big)
		one_each.push_back({f});

	std::vector<generated_file> files;
	add_workload(files, "typical", {{fixed}, {prop}, {wide}});
	add_workload(files, "one-file", {big});
	add_workload(files, "many-files", one_each);
	return files;
}

}  // namespace

int main(int argc, char **argv)
{
	return write_generated_files(argc, argv, workloads);
}
