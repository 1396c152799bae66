// Every manual page against its program's sources: DIAGNOSTICS lists every
// message the program can give, and where the help has a usage line,
// SYNOPSIS is that line. The sources are read from the tree and the pages as
// the build formats them, so a message added, reworded or dropped in the
// sources fails here until the page follows.
#include "page_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path SOURCE_DIR = KORVANE_SOURCE_DIR;

// A section's lines, up to the next heading: headings alone start at the
// left margin.
std::vector<std::string> section_lines(const std::string &program, const std::string &title)
{
	std::istringstream page(read_text(std::string(PAGES_DIR "/") + program + ".1.txt"));
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

std::string section(const std::string &program, const std::string &title)
{
	std::string text;
	for (const std::string &line : section_lines(program, title))
		text += line + "\n";
	return words(text);
}

// The sources a row names: files, or folders for all their .cpp files.
std::vector<std::string> sources(const std::vector<std::string> &paths)
{
	std::vector<std::string> texts;
	for (const std::string &path : paths) {
		if (!std::filesystem::is_directory(SOURCE_DIR / path)) {
			texts.push_back(read_text(SOURCE_DIR / path));
			continue;
		}
		for (const auto &entry : std::filesystem::directory_iterator(SOURCE_DIR / path))
			if (entry.path().extension() == ".cpp")
				texts.push_back(read_text(entry.path()));
	}
	return texts;
}

std::string unescaped(const std::string &literal)
{
	return std::regex_replace(literal, std::regex(R"(\\(.))"), "$1");
}

// Every line korvane prints is a string literal ending in a newline. A
// printf conversion stands for text that varies, so only the fixed pieces
// around it must be in the page.
std::vector<std::string> korvane_lines()
{
	const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)\\n")re");
	const std::regex conversion("%[^a-zA-Z%]*[a-zA-Z]");
	std::vector<std::string> texts;
	for (const std::string &source : sources({"container", "command"})) {
		for (std::sregex_iterator m(source.begin(), source.end(), literal), end; m != end; ++m) {
			const std::string text = unescaped((*m)[1].str());
			for (std::sregex_token_iterator piece(text.begin(), text.end(), conversion, -1), done;
			     piece != done; ++piece)
				if (!words(*piece).empty())
					texts.push_back(words(*piece));
		}
	}
	return texts;
}

// The fixed pieces of a toolkit program's messages: the literals of two
// words or more, a word with its quotes being a piece between varying
// parts. In a source of messages alone that is every literal but the help
// text; where a source also writes output, only those in a statement that
// gives a message.
std::vector<std::string> message_pieces(const std::vector<std::string> &paths, bool messages_alone)
{
	const std::regex adjacent(R"re("\s*\n\s*")re");
	const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)")re");
	const std::regex two_words(R"([A-Za-z]{2,}\W+[A-Za-z]{2,})");
	const std::regex gives_message(
		R"(\b(fatal|file_fatal|system_fatal|text_fatal|usage_error|typed_error|note|fail)\s*\()");
	std::vector<std::string> pieces;
	for (std::string source : sources(paths)) {
		for (std::size_t raw = 0; (raw = source.find("R\"(", raw)) != std::string::npos;)
			source.replace(raw, source.find(")\"", raw) + 2 - raw, "\"\"");
		if (const std::size_t help = source.find("HELP ="); help != std::string::npos)
			source.erase(help, source.find("\";", help) - help);
		source = std::regex_replace(source, adjacent, "");
		for (std::sregex_iterator m(source.begin(), source.end(), literal), end; m != end; ++m) {
			// The statement around the literal; the literal's own ; and
			// braces are no ends.
			const auto at = static_cast<std::size_t>(m->position());
			std::size_t start = source.find_last_of(";{}", at);
			start = start == std::string::npos ? 0 : start + 1;
			std::string statement = source.substr(start, source.find(';', at + m->str().size()) - start);
			statement = std::regex_replace(statement, literal, "\"\"");
			const std::string piece = words(unescaped((*m)[1].str()));
			if (piece.find(' ') != std::string::npos && std::regex_search(piece, two_words) &&
			    (messages_alone || std::regex_search(statement, gives_message)))
				pieces.push_back(piece);
		}
	}
	return pieces;
}

// What the toolkit's core says for a program, by what the program does.
const std::vector<std::string> EVERY = {"unrecognized option", "takes no value", "extra operand",
                                        "is standard output too; will not write into an input", "standard output:"};
const std::vector<std::string> OPTION_VALUES = {"needs a value"};
const std::vector<std::string> FONT_LISTS = {"is not a list of font numbers from 1 to 255 and ranges, such as 1,3-5",
                                             "holds"};
const std::vector<std::string> FONT_NUMBERS = {"is not a number from", "holds"};
const std::vector<std::string> BINARY = {"will not write", "to a terminal"};
const std::string READER = "zirkfile/reader.cpp";

struct page {
	std::string program;
	std::vector<std::string> messages;  // sources of messages alone, files or folders
	std::vector<std::string> mixed;     // sources of messages and output
	std::vector<std::vector<std::string>> core;
	std::string usage;  // the source of the "Usage: " line SYNOPSIS repeats; empty for none
};

const std::vector<page> PAGES = {
	{"zirk2txt",
         {"textform/zirk2txt.cpp", READER},
         {"textform/format.cpp", "charmap"},
         {EVERY, OPTION_VALUES, FONT_LISTS},
         "textform/zirk2txt_syntax.cpp"},
	{"txt2zirk",
         {"textform/txt2zirk.cpp", "textform/lexer.cpp", "textform/parse.cpp", "textform/lines.cpp",
          "textform/rows.cpp"},
         {},
         {EVERY, BINARY, {"will not write font data to a terminal"}},
         "textform/txt2zirk_syntax.cpp"},
	{"font2zirk", {}, {"fontimport", "charmap"}, {EVERY, OPTION_VALUES, BINARY}, ""},
	{"zirk2png",
         {"picture/zirk2png.cpp", "picture/caption_font.cpp", "picture/png_output.cpp", READER,
          "devicefont/device.cpp"},
         {"picture/sheet_options.cpp", "picture/text_picture.cpp", "charmap"},
         {EVERY, OPTION_VALUES, FONT_LISTS, BINARY, {"is not a number from 1 to 32"}},
         "picture/sheet_options.cpp"},
	{"zirk2bdf",
         {"fontexport/zirk2bdf.cpp", READER},
         {"fontexport/export.cpp", "fontexport/bdf.cpp", "charmap"},
         {EVERY, OPTION_VALUES, FONT_NUMBERS},
         ""},
	{"zirk2psf",
         {"fontexport/zirk2psf.cpp", READER},
         {"fontexport/export.cpp", "fontexport/psf.cpp", "charmap"},
         {EVERY, OPTION_VALUES, FONT_NUMBERS, BINARY},
         ""},
	{"zirk2c",
         {"zirk2c/names.cpp", "devicefont/device.cpp"},
         {"zirk2c/options.cpp", "charmap"},
         {EVERY, OPTION_VALUES},
         ""},
};

}  // namespace

TEST(manual, korvane_diagnostics_hold_every_line_it_prints)
{
	const std::vector<std::string> texts = korvane_lines();
	ASSERT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string &t) {
		return t.starts_with("Error: ");
	})) << "no messages found in the sources";
	const std::string diagnostics = section("korvane", "DIAGNOSTICS");
	ASSERT_FALSE(diagnostics.empty()) << "no DIAGNOSTICS section in the page";
	for (const std::string &text : texts)
		EXPECT_NE(diagnostics.find(text), std::string::npos) << "not in DIAGNOSTICS: " << text;
	// Nor more than it prints.
	for (const std::string &line : section_lines("korvane", "DIAGNOSTICS")) {
		if (const std::string tag = words(line); tag.starts_with("Error: ")) {
			EXPECT_NE(std::find(texts.begin(), texts.end(), tag), texts.end())
				<< "DIAGNOSTICS lists a message korvane does not print: " << tag;
		}
	}
}

TEST(manual, korvane_synopsis_is_the_usage_line)
{
	const std::vector<std::string> texts = korvane_lines();
	const auto usage = std::find_if(texts.begin(), texts.end(),
	                                [](const std::string &t) { return t.starts_with("Syntax: "); });
	ASSERT_NE(usage, texts.end()) << "no usage line found in the sources";
	EXPECT_EQ("Syntax: " + section("korvane", "SYNOPSIS"), *usage);
}

TEST(manual, toolkit_diagnostics_hold_every_message)
{
	for (const page &p : PAGES) {
		SCOPED_TRACE(p.program);
		const std::string diagnostics = section(p.program, "DIAGNOSTICS");
		ASSERT_FALSE(diagnostics.empty()) << "no DIAGNOSTICS section in the page";
		std::vector<std::string> pieces = message_pieces(p.messages, true);
		for (const std::string &piece : message_pieces(p.mixed, false))
			pieces.push_back(piece);
		for (const std::vector<std::string> &shared : p.core)
			pieces.insert(pieces.end(), shared.begin(), shared.end());
		for (const std::string &piece : pieces)
			EXPECT_NE(diagnostics.find(piece), std::string::npos) << "not in DIAGNOSTICS: " << piece;
	}
	// The pieces are found at all: the text form's reader has dozens.
	EXPECT_GT(message_pieces({"textform/parse.cpp"}, true).size(), 40U);
}

TEST(manual, toolkit_synopsis_is_the_usage_line_of_help)
{
	for (const page &p : PAGES) {
		if (p.usage.empty())
			continue;
		SCOPED_TRACE(p.program);
		const std::string source = read_text(SOURCE_DIR / p.usage);
		std::smatch usage;
		ASSERT_TRUE(std::regex_search(source, usage, std::regex(R"re("Usage: ([^"\\]*)\\n")re")));
		EXPECT_EQ(section(p.program, "SYNOPSIS"), usage[1].str());
	}
}
