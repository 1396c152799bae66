// The manual pages of zirk2txt and txt2zirk against their sources: every
// message the programs can give is in DIAGNOSTICS, and SYNOPSIS is the
// usage line of --help. The pages are read as the build formats them.
#include "page_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path SOURCE_DIR = KORVANE_SOURCE_DIR;

// The text of a section of a formatted page: headings alone start at the
// left margin.
std::string section(const std::string &page, const std::string &title)
{
	std::istringstream lines(read_text(page));
	std::string text;
	bool inside = false;
	for (std::string line; std::getline(lines, line);) {
		if (!line.empty() && line[0] != ' ')
			inside = line == title;
		else if (inside)
			text += line + "\n";
	}
	return words(text);
}

// The string literals of a source, unescaped; the help text left out.
std::vector<std::string> literals(const std::string &file)
{
	std::string source = read_text(SOURCE_DIR / file);
	const std::size_t help = source.find("HELP =");
	if (help != std::string::npos)
		source.erase(help, source.find(';', help) - help);
	const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)")re");
	std::vector<std::string> found;
	for (std::sregex_iterator m(source.begin(), source.end(), literal), end; m != end; ++m)
		found.push_back(std::regex_replace((*m)[1].str(), std::regex(R"(\\(.))"), "$1"));
	return found;
}

// The pieces of the messages: literals of two words or more. Single words
// are the form's keywords and the pieces between the varying parts.
std::vector<std::string> message_pieces(const std::string &file)
{
	std::vector<std::string> pieces;
	for (const std::string &text : literals(file))
		if (const std::string w = words(text); w.find(' ') != std::string::npos)
			pieces.push_back(w);
	return pieces;
}

std::string usage_line(const std::string &file)
{
	const std::string source = read_text(SOURCE_DIR / file);
	const std::smatch m = [&] {
		std::smatch found;
		std::regex_search(source, found, std::regex(R"re("Usage: ([^"\\]*)\\n")re"));
		return found;
	}();
	return m.empty() ? "" : m[1].str();
}

}  // namespace

TEST(textform_manual, txt2zirk_diagnostics_hold_every_message)
{
	const std::string diagnostics = section(TXT2ZIRK_PAGE, "DIAGNOSTICS");
	ASSERT_FALSE(diagnostics.empty());
	std::vector<std::string> pieces = message_pieces("textform/parse.cpp");
	ASSERT_GT(pieces.size(), 40U) << "too few messages found in the source";
	for (const std::string &piece : message_pieces("textform/txt2zirk.cpp"))
		pieces.push_back(piece);
	pieces.insert(pieces.end(), {"Error: will not write font data to a terminal", "Error: write to stdout failed",
	                             "unrecognized option"});
	for (const std::string &piece : pieces)
		EXPECT_NE(diagnostics.find(piece), std::string::npos) << "not in DIAGNOSTICS: " << piece;
}

TEST(textform_manual, zirk2txt_diagnostics_hold_every_message)
{
	const std::string diagnostics = section(ZIRK2TXT_PAGE, "DIAGNOSTICS");
	std::vector<std::string> pieces = message_pieces("textform/zirk2txt.cpp");
	for (const std::string &text : literals("zirkfile/reader.cpp"))
		if (text.starts_with("Error: "))
			pieces.push_back(text);
	pieces.emplace_back("Error: write to stdout failed");
	// Shared with txt2zirk in toolkit/options.cpp.
	pieces.emplace_back("unrecognized option");
	ASSERT_GE(pieces.size(), 7U);
	for (const std::string &piece : pieces)
		EXPECT_NE(diagnostics.find(piece), std::string::npos) << "not in DIAGNOSTICS: " << piece;
}

TEST(textform_manual, synopsis_is_the_usage_line_of_help)
{
	EXPECT_EQ(section(ZIRK2TXT_PAGE, "SYNOPSIS"), usage_line("textform/zirk2txt.cpp"));
	EXPECT_EQ(section(TXT2ZIRK_PAGE, "SYNOPSIS"), usage_line("textform/txt2zirk.cpp"));
}
