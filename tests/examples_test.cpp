#include "example_fonts.h"
#include "run_korvane.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

static const std::string examples_dir = KORVANE_SOURCE_DIR "/examples";

// The files in examples/ are generated; a hand edit, a forgotten
// regeneration or a renamed example that left its old file behind shows here.
TEST(examples, checked_in_files_are_what_the_source_makes)
{
	std::set<std::string> made;
	for (const example_file &f : example_files()) {
		made.insert(f.name);
		const std::string on_disk = read_file(examples_dir + "/" + f.name);
		EXPECT_TRUE(on_disk == f.bytes)
			<< f.name << " differs from its source (" << on_disk.size() << " bytes on disk, "
			<< f.bytes.size() << " made); run cmake --build build --target examples";
	}
	std::set<std::string> checked_in;
	for (const auto &entry : std::filesystem::directory_iterator(examples_dir))
		if (entry.path().extension() == ".zirk")
			checked_in.insert(entry.path().filename().string());
	EXPECT_EQ(checked_in, made);
}

// Every example record is already consistent, so joining all of them must
// hand each record on unchanged, in argument order.
TEST(examples, joining_them_all_passes_every_record_through)
{
	std::vector<std::string> paths;
	std::string records;
	std::string lines;
	std::size_t fonts = 0;
	for (const example_file &f : example_files()) {
		paths.push_back(examples_dir + "/" + f.name);
		records += f.bytes.substr(8);
		fonts += f.fonts.size();
		for (const test_font &font : f.fonts)
			lines += progress(font.name);
	}

	const run_result r = run_korvane(paths);
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.err, lines);
	const std::string expected = "ZIRKFNT" + std::string(1, static_cast<char>(fonts)) + records;
	EXPECT_TRUE(r.out == expected) << "got " << r.out.size() << " bytes, expected " << expected.size();
}
