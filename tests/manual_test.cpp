// The manual page's DIAGNOSTICS section is the user's list of what korvane
// can say, and its SYNOPSIS is the usage line. Both sides are read from the
// tree, so a message added, reworded or dropped in the sources fails here
// until the page follows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path SOURCE_DIR = KORVANE_SOURCE_DIR;

std::string read_text(const std::filesystem::path &path)
{
	std::ifstream in(path);
	EXPECT_TRUE(in) << "cannot read " << path;
	std::ostringstream text;
	text << in.rdbuf();
	return text.str();
}

// Line breaks and indentation are the page's to choose.
std::string words(const std::string &text)
{
	const std::string folded = std::regex_replace(text, std::regex("\\s+"), " ");
	const auto first = folded.find_first_not_of(' ');
	return first == std::string::npos ? "" : folded.substr(first, folded.find_last_not_of(' ') - first + 1);
}

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

// A line of roff as it reads once formatted: font changes gone, the escapes
// the page uses turned back into their characters. An escape not known here
// fails the test rather than pass as something it is not.
std::string unescape_roff(const std::string &line)
{
	static const std::regex escape(R"(\\(f(\[[^\]]*\]|\(..|.)|\(..|.))");
	static const std::map<std::string, std::string> characters{{"-", "-"}, {"e", "\\"}, {"(aq", "'"}, {"(dq", "\""},
	                                                           {"~", " "}, {" ", " "},  {"&", ""}};
	std::string text;
	auto rest = line.cbegin();
	for (std::sregex_iterator m(line.begin(), line.end(), escape), end; m != end; ++m) {
		text.append(rest, (*m)[0].first);
		const std::string name = (*m)[1];
		if (const auto known = characters.find(name); known != characters.end())
			text += known->second;
		else if (name[0] != 'f')
			ADD_FAILURE() << "unknown escape \\" << name << " in: " << line;
		rest = (*m)[0].second;
	}
	return text.append(rest, line.cend());
}

struct page_section {
	std::string text;               // the section as a reader sees it, words only
	std::vector<std::string> tags;  // the headings of its .TP entries
};

// The text a macro line sets: the font macros set their arguments, the
// alternating ones (.BR and the like) without a space between; the rest none.
std::string macro_text(const std::string &name, const std::string &args)
{
	static const std::regex argument(R"re("([^"]*)"|(\S+))re");
	const bool alternating = std::regex_match(name, std::regex("[BIR][BIR]"));
	std::string text;
	if (name == "B" || name == "I" || alternating) {
		for (std::sregex_iterator a(args.begin(), args.end(), argument), end; a != end; ++a)
			text += ((*a)[1].matched ? (*a)[1] : (*a)[2]).str() + (alternating ? "" : " ");
	}
	return text;
}

page_section read_section(const std::string &title)
{
	std::istringstream page(read_text(SOURCE_DIR / "doc" / "korvane.1"));
	const std::regex macro(R"(^[.'](\S*)\s*(.*)$)");
	page_section section;
	bool inside = false;
	bool tag_next = false;
	for (std::string line; std::getline(page, line);) {
		std::smatch m;
		std::string text = line;
		if (std::regex_match(line, m, macro)) {
			if (m[1] == "SH") {
				inside = m[2] == title;
				continue;
			}
			if (m[1] == "TP") {
				tag_next = inside;
				continue;
			}
			text = macro_text(m[1], m[2]);
		}
		if (!inside)
			continue;
		text = words(unescape_roff(text));
		if (tag_next)
			section.tags.push_back(text);
		tag_next = false;
		section.text += text + " ";
	}
	section.text = words(section.text);
	return section;
}

}  // namespace

TEST(manual, diagnostics_hold_every_line_the_tool_prints)
{
	const std::vector<std::string> texts = printed_texts();
	ASSERT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string &t) {
		return t.starts_with("Error: ");
	})) << "no messages found in the sources";
	const std::string diagnostics = read_section("DIAGNOSTICS").text;
	ASSERT_FALSE(diagnostics.empty()) << "no DIAGNOSTICS section in the page";
	for (const std::string &text : texts) {
		EXPECT_NE(diagnostics.find(text), std::string::npos) << "not in DIAGNOSTICS: " << text;
	}
}

TEST(manual, diagnostics_list_no_error_the_tool_no_longer_prints)
{
	const std::vector<std::string> texts = printed_texts();
	for (const std::string &tag : read_section("DIAGNOSTICS").tags) {
		if (tag.starts_with("Error: ")) {
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
	EXPECT_EQ("Syntax: " + read_section("SYNOPSIS").text, *usage);
}
