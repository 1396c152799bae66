// The interface every toolkit program shares, one table per rule with the
// program as a column: a new program joins by a line in PROGRAMS, and a
// rule it breaks fails here under its name.
#include "font_builder.h"
#include "run_program.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

enum class reads {
	container,
	device,  // a container read whole and checked as zirkfont checks it
	text,
	bdf
};

struct program {
	std::string name;
	reads input;
	bool binary;                     // refuses a terminal
	bool one_file;                   // a second operand is one too many
	std::string numeric;             // an option taking a number; empty for none
	std::vector<std::string> later;  // options that may follow the operand
	std::vector<std::string> fixed;  // options for output that does not name the input
};

const std::vector<program> PROGRAMS = {
	{"zirk2txt", reads::container, false, true, "--font", {"--list"}, {}},
	{"txt2zirk", reads::text, true, true, "", {"--help"}, {}},
	{"font2zirk", reads::bdf, true, false, "--size", {"--name", "renamed"}, {}},
	{"zirk2png", reads::container, true, true, "--scale", {"--scale", "2"}, {}},
	{"zirk2bdf", reads::container, false, true, "--font", {"--descent", "1"}, {}},
	{"zirk2psf", reads::container, true, true, "--font", {"--charset", "CP437"}, {}},
	{"zirk2c", reads::device, false, true, "", {"--header"}, {"--name", "x"}},
};

std::string try_help(const std::string &name)
{
	return "Try '" + name + " --help' for more information.\n";
}

// A good input of the kind the program reads, written into dir as file.
std::string good_input(const program &p, const scratch_dir &dir, const std::string &file = "input")
{
	switch (p.input) {
	case reads::container:
	case reads::device: return dir.file(file, container_of({{.name = "one"}}));
	case reads::text: return dir.file(file, read_file(KORVANE_SOURCE_DIR "/examples/block8x8.txt"));
	case reads::bdf: break;
	}
	const std::vector<std::string> rows{"..@@@@..", ".@@..@@.", "@@....@@", "@@@@@@@@", "@@....@@", "@@....@@"};
	return dir.file(file, bdf_text({.glyphs = {{.encoding = 'A', .dwidth = 8, .yoff = 0, .rows = rows},
	                                           {.encoding = 'B', .dwidth = 8, .yoff = -2, .rows = rows}}}));
}

bool has_control_bytes(const std::string &text)
{
	return std::ranges::any_of(
		text, [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == '\x7f'; });
}

void expect_usage_error(const run_result &r, const std::string &name, const std::string &shown, bool whole = true)
{
	EXPECT_EQ(r.status, 1);
	EXPECT_EQ(r.out, "");
	EXPECT_FALSE(has_control_bytes(r.err)) << r.err;
	const std::size_t end = r.err.find('\n');
	const std::string first = r.err.substr(0, end + 1);
	if (whole)
		EXPECT_EQ(first, name + ": " + shown + "\n");
	else
		EXPECT_TRUE(first.starts_with(name + ": " + shown)) << first;
	EXPECT_EQ(r.err.substr(first.size()), try_help(name));
}

void expect_failure(const run_result &r, const std::string &err)
{
	EXPECT_EQ(r.status, 1);
	EXPECT_EQ(r.out, "");
	EXPECT_EQ(r.err, err);
}

}  // namespace

TEST(interface, help_is_one_screen_on_standard_output)
{
	for (const program &p : PROGRAMS) {
		SCOPED_TRACE(p.name);
		const run_result help = run_program(p.name, {"--help"});
		EXPECT_EQ(help.status, 0);
		EXPECT_EQ(help.err, "");
		EXPECT_FALSE(help.out.empty());
		std::istringstream lines(help.out);
		int count = 0;
		for (std::string line; std::getline(lines, line); count++)
			EXPECT_LE(line.size(), 80U) << line;
		EXPECT_LE(count, 24);
		const run_result h = run_program(p.name, {"-h"});
		EXPECT_EQ(h.status, 0);
		EXPECT_EQ(h.out, help.out);
	}
}

TEST(interface, version_names_the_program_and_the_toolkit)
{
	for (const program &p : PROGRAMS) {
		SCOPED_TRACE(p.name);
		const std::string line = p.name + " (korvane) " KORVANE_VERSION "\n";
		for (const char *typed : {"--version", "--vers"}) {
			const run_result r = run_program(p.name, {typed});
			EXPECT_EQ(r.status, 0);
			EXPECT_EQ(r.out, line);
			EXPECT_EQ(r.err, "");
		}
	}
}

TEST(interface, usage_errors_show_what_was_typed_and_where_help_is)
{
	struct row {
		std::vector<std::string> args;
		std::string shown;
	};
	for (const program &p : PROGRAMS) {
		SCOPED_TRACE(p.name);
		std::vector<row> rows = {
			{{"--frob"}, "unrecognized option '--frob'"},
			{{"-q"}, "unrecognized option '-q'"},
			{{"--fr\x01ob\x1b[2J"}, "unrecognized option '--fr\\x01ob\\x1b[2J'"},
			{{"--version=2"}, "option '--version=2' takes no value"},
			{{"--help=\x03"}, "option '--help=\\x03' takes no value"},
		};
		if (p.one_file)
			rows.push_back({{"a", "b"}, "extra operand 'b'"});
		if (!p.numeric.empty())
			rows.push_back({{"x", p.numeric}, "option '" + p.numeric + "' needs a value"});
		if (p.name == "font2zirk")
			rows.push_back({{"--c", "x"}, "option '--c' is ambiguous"});
		if (p.name == "zirk2txt")
			rows.push_back({{"--list=1"}, "option '--list=1' takes no value"});
		if (p.name == "zirk2png")
			rows.push_back({{"-s"}, "option '-s' needs a value"});
		for (const row &r : rows) {
			SCOPED_TRACE(r.shown);
			expect_usage_error(run_program(p.name, r.args), p.name, r.shown);
		}
		// Out of range: the value as typed; the words after it are the
		// option's own.
		if (!p.numeric.empty())
			for (const char *value : {"0", "-1", "99999999999", "\x7f"})
				expect_usage_error(run_program(p.name, {p.numeric, value}), p.name,
				                   p.numeric + " '" + (value[0] == '\x7f' ? "\\x7f" : value) +
				                           "' is not a",
				                   false);
	}
}

// The name in a message is the program's, not that of the link it was
// started by.
TEST(interface, the_name_is_the_programs_whatever_it_was_started_as)
{
	scratch_dir dir;
	for (const program &p : PROGRAMS) {
		SCOPED_TRACE(p.name);
		std::vector<std::string> command = program_command(p.name);
		const std::string link = dir.path("other-" + p.name);
		std::filesystem::create_symlink(command.back(), link);
		command.back() = link;
		expect_usage_error(run_command(command, {"--frob"}), p.name, "unrecognized option '--frob'");
		EXPECT_TRUE(run_command(command, {"--version"}).out.starts_with(p.name + " (korvane)"));
	}
}

// Spellings of one run that must give the same output: the options after
// the operand, the operand after "--" though it looks like an option, and
// the input as standard input through "-".
TEST(interface, options_and_operands_in_any_order_double_hyphen_and_standard_input)
{
	scratch_dir dir;
	for (const program &p : PROGRAMS) {
		SCOPED_TRACE(p.name);
		good_input(p, dir, "input");
		good_input(p, dir, "-f");
		std::vector<std::string> before = p.fixed;
		before.insert(before.end(), p.later.begin(), p.later.end());
		before.emplace_back("input");
		std::vector<std::string> after = p.fixed;
		after.emplace_back("input");
		after.insert(after.end(), p.later.begin(), p.later.end());
		std::vector<std::string> input = p.fixed;
		input.emplace_back("input");
		const run_result options = run_program(p.name, before, {.cwd = dir.dir});
		const run_result plain = run_program(p.name, input, {.cwd = dir.dir});
		EXPECT_EQ(options.status, 0) << options.err;
		EXPECT_EQ(plain.status, 0) << plain.err;
		EXPECT_FALSE(plain.out.empty());
		std::vector<std::string> guarded = p.fixed;
		std::vector<std::string> hyphen = p.fixed;
		guarded.insert(guarded.end(), {"--", "-f"});
		hyphen.emplace_back("-");
		for (const auto &[args, same] : {std::pair{after, options}, {guarded, plain}, {hyphen, plain}}) {
			SCOPED_TRACE(args.front());
			const run_result r = run_program(p.name, args, {.input = dir.path("input"), .cwd = dir.dir});
			EXPECT_EQ(r.status, 0) << r.err;
			EXPECT_EQ(r.out, same.out);
		}
	}
}

TEST(interface, files_that_cannot_be_read_are_told_in_the_systems_words)
{
	scratch_dir dir;
	for (const program &p : PROGRAMS) {
		SCOPED_TRACE(p.name);
		const std::string missing = dir.path("missing");
		expect_failure(run_program(p.name, {missing}),
		               p.name + ": " + missing + ": No such file or directory\n");
		expect_failure(run_program(p.name, {dir.dir}), p.name + ": " + dir.dir + ": Is a directory\n");
	}
}

TEST(interface, an_unreadable_file_is_told_in_the_systems_words)
{
	if (geteuid() == 0)
		GTEST_SKIP() << "every file is readable to root";
	scratch_dir dir;
	for (const program &p : PROGRAMS) {
		SCOPED_TRACE(p.name);
		const std::string locked = good_input(p, dir, "locked");
		std::filesystem::permissions(locked, std::filesystem::perms::none);
		expect_failure(run_program(p.name, {locked}), p.name + ": " + locked + ": Permission denied\n");
	}
}

// Named or as standard input ("-"), the input is refused as the output.
TEST(interface, output_into_an_input_is_refused_before_anything_is_written)
{
	scratch_dir dir;
	for (const program &p : PROGRAMS) {
		for (const auto &[out, named] : {std::pair{output_to::append, true},
		                                 {output_to::truncate, true},
		                                 {output_to::append, false},
		                                 {output_to::truncate, false}}) {
			SCOPED_TRACE(p.name + (named ? " FILE" : " - <FILE") +
			             (out == output_to::append ? " >>" : " >"));
			const std::string input = good_input(p, dir);
			const std::string before = out == output_to::append ? read_file(input) : "";
			const run_result r = run_program(p.name, {named ? input : "-"},
			                                 {.out = out, .input = named ? "" : input, .target = input});
			EXPECT_EQ(r.status, 1);
			EXPECT_EQ(r.err, p.name + ": " + (named ? input : "-") +
			                         ": is standard output too; will not write into an input\n");
			EXPECT_EQ(r.out, before);
		}
	}
}

TEST(interface, binary_output_refuses_a_terminal_and_text_goes_to_one)
{
	scratch_dir dir;
	for (const program &p : PROGRAMS) {
		SCOPED_TRACE(p.name);
		const run_result r = run_program(p.name, {good_input(p, dir)}, {.out = output_to::terminal});
		if (p.binary) {
			EXPECT_EQ(r.status, 1);
			EXPECT_EQ(r.out, "");
			EXPECT_TRUE(r.err.starts_with(p.name + ": will not write ")) << r.err;
			EXPECT_TRUE(r.err.ends_with(" to a terminal\n")) << r.err;
			EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
		} else {
			EXPECT_EQ(r.status, 0) << r.err;
			EXPECT_FALSE(r.out.empty());
		}
	}
}

TEST(interface, a_failed_write_is_a_failure_with_a_message)
{
	scratch_dir dir;
	for (const program &p : PROGRAMS) {
		SCOPED_TRACE(p.name);
		const run_result r = run_program(p.name, {good_input(p, dir)}, {.out = output_to::dev_full});
		EXPECT_EQ(r.status, 1);
		EXPECT_NE(r.err.find(p.name + ": standard output: No space left on device\n"), std::string::npos)
			<< r.err;
	}
}

TEST(interface, damaged_containers_are_described_naming_the_font_at_fault)
{
	scratch_dir dir;
	const test_font good{.name = "good"};
	const std::string whole = container_of({good, good});
	struct row {
		std::string bytes;
		const char *font;  // the font at fault, chosen by --font
		std::string fault;
	};
	const std::vector<row> damaged = {
		{"", "1", "this is no zirk font file"},
		{"ZIRK", "1", "this is no zirk font file"},
		{"<html>\n", "1", "this is no zirk font file"},
		{whole.substr(0, whole.size() - record(good).size() - 3), "1", "font 1 is truncated"},
		{whole.substr(0, whole.size() - 1), "2", "font 2 is truncated"},
		{container_of({{.first_char = 'C', .last_char = 'A', .bitmap = ""}}), "1",
	         "font 1 has an invalid character range"},
		{container_of({good, {.first_char = 9, .last_char = 7, .bitmap = ""}}), "2",
	         "font 2 has an invalid character range"},
	};
	for (const program &p : PROGRAMS) {
		if (p.input != reads::container)
			continue;
		for (const row &d : damaged) {
			SCOPED_TRACE(p.name + ": " + d.fault);
			const std::string file = dir.file("damaged", d.bytes);
			const run_result r = run_program(p.name, {"--font", d.font, file});
			EXPECT_EQ(r.status, 1);
			EXPECT_TRUE(r.err.ends_with(p.name + ": " + file + ": " + d.fault + "\n")) << r.err;
		}
	}
}

TEST(interface, a_font_past_the_last_is_a_usage_error_saying_how_many)
{
	scratch_dir dir;
	const std::string two = dir.file("two.zirk", container_of({{.name = "a"}, {.name = "b"}}));
	const std::string one = dir.file("one.zirk", container_of({{.name = "a"}}));
	for (const program &p : PROGRAMS) {
		if (p.input != reads::container)
			continue;
		SCOPED_TRACE(p.name);
		expect_usage_error(run_program(p.name, {"--font", "3", two}), p.name,
		                   "--font 3: " + two + " holds 2 fonts");
		expect_usage_error(run_program(p.name, {two, "--font=2", "--font", "7"}), p.name,
		                   "--font 7: " + two + " holds 2 fonts");
		expect_usage_error(run_program(p.name, {"--font", "2", one}), p.name,
		                   "--font 2: " + one + " holds 1 font");
	}
}
