// The manual page's DIAGNOSTICS section is the user's list of what korvane
// can say, and its SYNOPSIS is the usage line. The sources are read from the
// tree and the page as the build formats it, so a message added, reworded or
// dropped in the sources fails here until the page follows.
#include "page_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path SOURCE_DIR = KORVANE_SOURCE_DIR;

// Every string literal in the tool's sources that ends in a newline is a line
// it prints. A printf conversion stands for text that varies, so only the
// fixed pieces around it must be in the page.
std::vector<std::string> printed_texts()
{
	const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)\\n")re");
	const std::regex conversion("%[^a-zA-Z%]*[a-zA-Z]");
	std::vector<std::string> texts;
	for (const char *dir : {"container", "command"}) {
		for (const auto &entry : std::filesystem::directory_iterator(SOURCE_DIR / dir)) {
			const std::string source = read_text(entry.path());
			for (std::sregex_iterator m(source.begin(), source.end(), literal), end; m != end; ++m) {
				const std::string text =
					std::regex_replace((*m)[1].str(), std::regex(R"(\\(.))"), "$1");
				for (std::sregex_token_iterator piece(text.begin(), text.end(), conversion, -1), done;
				     piece != done; ++piece)
					if (!words(*piece).empty())
						texts.push_back(words(*piece));
			}
		}
	}
	return texts;
}

// A section's lines, up to the next heading: headings alone start at the
// left margin.
std::vector<std::string> section(const std::string &title)
{
	std::istringstream page(read_text(MANUAL_TEXT));
	std::vector<std::string> lines;
	bool inside = false;
	for (std::string line; std::getline(page, line);) {
		if (!line.empty() && line[0] != ' ')
			inside = line == title;
		else if (inside)
			lines.push_back(line);
	}
	return lines;
}

std::string section_text(const std::string &title)
{
	std::string text;
	for (const std::string &line : section(title))
		text += line + "\n";
	return words(text);
}

}  // namespace

TEST(manual, diagnostics_hold_every_line_the_tool_prints)
{
	const std::vector<std::string> texts = printed_texts();
	ASSERT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string &t) {
		return t.starts_with("Error: ");
	})) << "no messages found in the sources";
	const std::string diagnostics = section_text("DIAGNOSTICS");
	ASSERT_FALSE(diagnostics.empty()) << "no DIAGNOSTICS section in the page";
	for (const std::string &text : texts) {
		EXPECT_NE(diagnostics.find(text), std::string::npos) << "not in DIAGNOSTICS: " << text;
	}
}

TEST(manual, diagnostics_list_no_error_the_tool_no_longer_prints)
{
	const std::vector<std::string> texts = printed_texts();
	for (const std::string &line : section("DIAGNOSTICS")) {
		if (const std::string tag = words(line); tag.starts_with("Error: ")) {
			EXPECT_NE(std::find(texts.begin(), texts.end(), tag), texts.end())
				<< "DIAGNOSTICS lists a message the tool does not print: " << tag;
		}
	}
}

TEST(manual, synopsis_is_the_usage_line)
{
	const std::vector<std::string> texts = printed_texts();
	const auto usage = std::find_if(texts.begin(), texts.end(),
	                                [](const std::string &t) { return t.starts_with("Syntax: "); });
	ASSERT_NE(usage, texts.end()) << "no usage line found in the sources";
	EXPECT_EQ("Syntax: " + section_text("SYNOPSIS"), *usage);
}
