// The manual pages of zirk2txt, txt2zirk and zirk2png against their sources: every
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
		source.erase(help, source.find("\";", help) - help);
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

// What the toolkit says for every program that reads a file and takes
// options; the programs' own words come from their sources.
const std::vector<std::string> TOOLKIT_PIECES{"is standard output too; will not write into an input",
                                              "standard output:", "unrecognized option", "takes no value",
                                              "extra operand"};
const std::vector<std::string> VALUE_PIECES{
	"needs a value", "is not a list of font numbers from 1 to 255 and ranges, such as 1,3-5", "holds"};

void expect_listed(const std::string &page, const std::vector<std::string> &sources, std::vector<std::string> pieces)
{
	const std::string diagnostics = section(page, "DIAGNOSTICS");
	ASSERT_FALSE(diagnostics.empty());
	for (const std::string &file : sources)
		for (const std::string &piece : message_pieces(file))
			pieces.push_back(piece);
	pieces.insert(pieces.end(), TOOLKIT_PIECES.begin(), TOOLKIT_PIECES.end());
	for (const std::string &piece : pieces)
		EXPECT_NE(diagnostics.find(piece), std::string::npos)
			<< "not in DIAGNOSTICS of " << page << ": " << piece;
}

// The container reader's faults, which zirk2txt and zirk2png give.
std::vector<std::string> reader_pieces()
{
	std::vector<std::string> pieces = message_pieces("zirkfile/reader.cpp");
	pieces.insert(pieces.end(), VALUE_PIECES.begin(), VALUE_PIECES.end());
	return pieces;
}

}  // namespace

TEST(textform_manual, diagnostics_hold_every_message)
{
	EXPECT_GT(message_pieces("textform/parse.cpp").size(), 40U) << "too few messages found in the source";
	expect_listed(TXT2ZIRK_PAGE,
	              {"textform/parse.cpp", "textform/rows.cpp", "textform/lines.cpp", "textform/txt2zirk.cpp"},
	              {"will not write font data to a terminal"});
	expect_listed(ZIRK2TXT_PAGE, {"textform/zirk2txt.cpp"}, reader_pieces());
	std::vector<std::string> png = reader_pieces();
	png.emplace_back("is not a number from 1 to 32");
	expect_listed(ZIRK2PNG_PAGE, {"picture/zirk2png.cpp", "picture/caption_font.cpp", "picture/png_output.cpp"},
	              png);
}

TEST(textform_manual, synopsis_is_the_usage_line_of_help)
{
	EXPECT_EQ(section(ZIRK2TXT_PAGE, "SYNOPSIS"), usage_line("textform/zirk2txt.cpp"));
	EXPECT_EQ(section(TXT2ZIRK_PAGE, "SYNOPSIS"), usage_line("textform/txt2zirk.cpp"));
	EXPECT_EQ(section(ZIRK2PNG_PAGE, "SYNOPSIS"), usage_line("picture/sheet_options.cpp"));
}
