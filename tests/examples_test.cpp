// The examples joined by korvane. Their containers are what txt2zirk makes
// of their text (textform_e2e_test.cpp checks that); every record in them is
// consistent, so joining all of them must hand each record on unchanged, in
// argument order.
#include "run_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

static const std::string examples_dir = KORVANE_SOURCE_DIR "/examples";

// The fonts' names, as the text of an example spells them: none of them
// needs an escape.
static std::vector<std::string> names_in_text(const std::string &text)
{
	std::vector<std::string> names;
	std::istringstream lines(text);
	for (std::string line; std::getline(lines, line);)
		if (line.starts_with("name: \"") && line.ends_with("\""))
			names.push_back(line.substr(7, line.size() - 8));
	return names;
}

TEST(examples, joining_them_all_passes_every_record_through)
{
	std::vector<std::string> paths;
	for (const auto &entry : std::filesystem::directory_iterator(examples_dir))
		if (entry.path().extension() == ".zirk")
			paths.push_back(entry.path().string());
	std::sort(paths.begin(), paths.end());
	ASSERT_GE(paths.size(), 3U);

	std::string records;
	std::string lines;
	std::size_t fonts = 0;
	for (const std::string &path : paths) {
		const std::string bytes = read_file(path);
		ASSERT_GT(bytes.size(), 8U) << path;
		records += bytes.substr(8);
		fonts += static_cast<unsigned char>(bytes[7]);
		const std::vector<std::string> names =
			names_in_text(read_file(path.substr(0, path.size() - 5) + ".txt"));
		EXPECT_EQ(names.size(), static_cast<unsigned char>(bytes[7])) << path;
		for (const std::string &name : names)
			lines += progress(name);
	}

	const run_result r = run_program("korvane", paths);
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.err, lines);
	const std::string expected = "ZIRKFNT" + std::string(1, static_cast<char>(fonts)) + records;
	EXPECT_TRUE(r.out == expected) << "got " << r.out.size() << " bytes, expected " << expected.size();
}
