// Reading a manual page as the build formats it, shared by the tests that
// hold the pages to their sources.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

inline std::string read_text(const std::filesystem::path &path)
{
	std::ifstream in(path);
	EXPECT_TRUE(in) << "cannot read " << path;
	std::ostringstream text;
	text << in.rdbuf();
	return text.str();
}

// Line breaks and indentation are the page's to choose.
inline std::string words(const std::string &text)
{
	const std::string folded = std::regex_replace(text, std::regex("\\s+"), " ");
	const auto first = folded.find_first_not_of(' ');
	return first == std::string::npos ? "" : folded.substr(first, folded.find_last_not_of(' ') - first + 1);
}
