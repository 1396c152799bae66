// Every way korvane refuses its input or its output, run end to end: the exact
// message, the exact bytes that reached standard output before it, status 1.
#include "run_program.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string USAGE = "Syntax: korvane <fontfile> <fontfile> [<fontfile>. ..]\n"
			  "        Will output a combined zirk font file to stdout\n";
const std::string NOT_FOUND = "Error: File not found.\n";
const std::string NO_ZIRK = "Error: this is no zirk font file\n";
const std::string TOO_MANY = "Error: more than 255 fonts in all\n";
const std::string TERMINAL = "Error: will not write font data to a terminal\n";
const std::string OUTPUT_IS_INPUT = "Error: output file is one of the inputs\n";
const std::string WRITE_FAILED = "Error: write to stdout failed\n";
const std::string TRUNCATED = "Error: font file is truncated\n";
const std::string BAD_RANGE = "Error: font has an invalid character range\n";
const std::string TOO_TALL = "Error: font height above 127\n";
const std::string TOO_LARGE = "Error: Font bitmapsize to large\n";

std::string output_header(std::uint8_t count)
{
	return container_with_count(count, "");
}

// The record korvane makes of font: bitmap_size recomputed, and the block
// cut to that length, or filled up with zero bytes where the file held less.
std::string written(test_font font)
{
	const std::size_t size = consistent_length(font);
	std::string block = bitmap_bytes(font);
	block.resize(std::min<std::size_t>({block.size(), font.bitmap_size.value_or(0xffff), size}));
	block.resize(size, '\0');
	font.bitmap = block;
	font.bitmap_size.reset();
	return record(font);
}

// Output can run to tens of kilobytes; a byte dump of it helps nobody.
testing::AssertionResult same_bytes(const std::string &actual, const std::string &expected)
{
	if (actual == expected)
		return testing::AssertionSuccess();
	const auto diff = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
	return testing::AssertionFailure() << "stdout holds " << actual.size() << " bytes, expected " << expected.size()
	                                   << "; first difference at offset " << (diff.first - actual.begin());
}

void expect_run(const run_result &r, const std::string &out, const std::string &err, int status = 1)
{
	EXPECT_EQ(r.status, status);
	EXPECT_EQ(r.err, err);
	EXPECT_TRUE(same_bytes(r.out, out));
}

using arg_lists = std::vector<std::vector<std::string>>;

}  // namespace

TEST(refusal, usage_when_the_inputs_hold_fewer_than_two_fonts)
{
	scratch_dir dir;
	const std::string none = dir.file("none", container({}));
	const std::string one = dir.file("one", container_of({test_font{}}));
	for (const auto &args : arg_lists{{}, {one}, {none, one}, {none, none, none}}) {
		SCOPED_TRACE(testing::PrintToString(args));
		expect_run(run_program("korvane", args), "", USAGE);
	}
}

TEST(refusal, an_argument_beginning_with_a_hyphen_is_a_path)
{
	scratch_dir dir;
	const test_font f{.name = "dash"};
	dir.file("-h", container_of({f}));
	const auto run_in_dir = [&](const std::vector<std::string> &args) {
		return run_program("korvane", args, {.cwd = dir.dir});
	};
	expect_run(run_in_dir({"-h"}), "", USAGE);
	expect_run(run_in_dir({"-h", "--help"}), "", NOT_FOUND);
	expect_run(run_in_dir({"-"}), "", NOT_FOUND);
	expect_run(run_in_dir({"-h", "-h"}), output_header(2) + record(f) + record(f),
	           progress("dash") + progress("dash"), 0);
}

TEST(refusal, a_path_that_cannot_be_opened_is_reported_before_anything_is_written)
{
	scratch_dir dir;
	const std::string one = dir.file("one", container_of({test_font{}}));
	const std::string two = dir.file("two", container_of({test_font{}, test_font{}}));
	const std::string foreign = dir.file("foreign", "GIF89a..");
	const std::string missing = dir.path("missing");
	std::filesystem::create_directory(dir.path("sub"));
	for (const auto &args : arg_lists{{missing},
	                                  {one, missing},
	                                  {two, two, missing},
	                                  {missing, foreign},
	                                  {dir.path("sub"), one},
	                                  {one, dir.path("sub")}}) {
		SCOPED_TRACE(testing::PrintToString(args));
		expect_run(run_program("korvane", args), "", NOT_FOUND);
	}
}

TEST(refusal, an_unreadable_file_is_not_found)
{
	if (geteuid() == 0)
		GTEST_SKIP() << "root reads a file whatever its mode";
	scratch_dir dir;
	const std::string one = dir.file("one", container_of({test_font{}}));
	const std::string locked = dir.file("locked", container_of({test_font{}}));
	chmod(locked.c_str(), 0);
	expect_run(run_program("korvane", {one, locked}), "", NOT_FOUND);
}

TEST(refusal, a_file_without_the_magic_is_no_container)
{
	scratch_dir dir;
	const std::string two = dir.file("two", container_of({test_font{}, test_font{}}));
	const std::vector<std::string> foreign{
		"",
		"ZIRK",
		"ZIRKFNT",
		std::string("ZIRKFNX\x02", 8),
		std::string("zirkfnt\x02", 8),
		std::string("\0ZIRKFNT\x02", 9),
	};
	for (const std::string &bytes : foreign) {
		SCOPED_TRACE(testing::PrintToString(bytes));
		const std::string bad = dir.file("bad", bytes);
		expect_run(run_program("korvane", {bad}), "", NO_ZIRK);
		expect_run(run_program("korvane", {two, bad, dir.path("missing")}), "", NO_ZIRK);
	}
}

// The probe reads only the container header, so these files claim fonts they
// do not hold.
TEST(refusal, more_than_255_fonts_in_all)
{
	scratch_dir dir;
	const std::string c1 = dir.file("c1", output_header(1));
	const std::string c56 = dir.file("c56", output_header(56));
	const std::string c200 = dir.file("c200", output_header(200));
	const std::string c255 = dir.file("c255", output_header(255));
	const std::string bad = dir.file("bad", "ZIRKFNX\x01");

	// A total kept in one byte would wrap to 1, one in 16 bits to 0: both
	// would end in the usage text instead.
	const std::vector<std::string> wraps_a_byte(257, c1);
	std::vector<std::string> wraps_16_bits(257, c255);
	wraps_16_bits.push_back(c1);

	struct row {
		std::vector<std::string> args;
		std::string err;
	};
	const std::vector<row> rows{
		{{c200, c56}, TOO_MANY},
		{{c255, c1}, TOO_MANY},
		{std::vector<std::string>(300, c255), TOO_MANY},
		{wraps_a_byte, TOO_MANY},
		{wraps_16_bits, TOO_MANY},
		{{c200, c56, dir.path("missing")}, NOT_FOUND},
		{{c255, c255, bad}, NO_ZIRK},
	};
	for (const row &r : rows) {
		SCOPED_TRACE(r.args.size());
		expect_run(run_program("korvane", r.args), "", r.err);
	}
}

TEST(refusal, font_data_never_goes_to_a_terminal)
{
	scratch_dir dir;
	const std::string one = dir.file("one", container_of({test_font{}}));
	const std::string c200 = dir.file("c200", output_header(200));
	const std::string bad = dir.file("bad", "");
	struct row {
		std::vector<std::string> args;
		std::string err;
	};
	const std::vector<row> rows{
		{{one, one}, TERMINAL},
		// The checks on the inputs come first: these never reach this one.
		{{one}, USAGE},
		{{}, USAGE},
		{{one, dir.path("missing")}, NOT_FOUND},
		{{one, bad}, NO_ZIRK},
		{{c200, c200}, TOO_MANY},
	};
	for (const row &r : rows) {
		SCOPED_TRACE(testing::PrintToString(r.args));
		const run_result result = run_program("korvane", r.args, {.out = output_to::terminal});
		EXPECT_EQ(result.status, 1);
		EXPECT_EQ(result.err, r.err);
		EXPECT_EQ(result.out, "");
	}
}

// The shell opens standard output before korvane starts: > has emptied the
// file already, >> would have korvane append to it. Either way the file is
// refused as an input, through whatever name, before anything is written; a
// device on both sides is no such file. Each row starts from a fresh "a"
// (one font), "b" (one font), "link" (a hard link to a) and "sym" (a
// symbolic link to a).
TEST(refusal, output_into_one_of_the_inputs)
{
	const test_font a{.name = "a"};
	const test_font b{.name = "b", .seed = 2};
	const std::string a_file = container_of({a});
	const std::string joined = output_header(2) + record(a) + record(b);
	struct row {
		const char *what;
		std::vector<std::string> args;
		output_to out;
		std::string target;
		std::string err;
		std::string a_after;
		std::string out_after;  // the target's bytes afterwards; for /dev/null, none
	};
	const std::vector<row> rows{
		{"a b >> a", {"a", "b"}, output_to::append, "a", OUTPUT_IS_INPUT, a_file, a_file},
		{"b a >> a", {"b", "a"}, output_to::append, "a", OUTPUT_IS_INPUT, a_file, a_file},
		{"a b > a: the shell has emptied a", {"a", "b"}, output_to::truncate, "a", OUTPUT_IS_INPUT, "", ""},
		{"link b >> a", {"link", "b"}, output_to::append, "a", OUTPUT_IS_INPUT, a_file, a_file},
		{"a b >> link", {"a", "b"}, output_to::append, "link", OUTPUT_IS_INPUT, a_file, a_file},
		{"sym b >> a", {"sym", "b"}, output_to::append, "a", OUTPUT_IS_INPUT, a_file, a_file},
		{"a >> a: before the usage", {"a"}, output_to::append, "a", OUTPUT_IS_INPUT, a_file, a_file},
		{"missing a >> a: in argument order",
	         {"missing", "a"},
	         output_to::append,
	         "a",
	         NOT_FOUND,
	         a_file,
	         a_file},
		{"a b > new", {"a", "b"}, output_to::truncate, "new", progress("a") + progress("b"), a_file, joined},
		{"a b > /dev/null", {"a", "b"}, output_to::dev_null, "", progress("a") + progress("b"), a_file, ""},
		{"/dev/null a > /dev/null", {"/dev/null", "a"}, output_to::dev_null, "", NO_ZIRK, a_file, ""},
	};
	for (const row &r : rows) {
		SCOPED_TRACE(r.what);
		const scratch_dir dir;
		const auto path = [&](const std::string &name) {
			return name.starts_with('/') ? name : dir.path(name);
		};
		dir.file("a", a_file);
		dir.file("b", container_of({b}));
		std::filesystem::create_hard_link(dir.path("a"), dir.path("link"));
		std::filesystem::create_symlink("a", dir.path("sym"));
		std::vector<std::string> args;
		for (const std::string &name : r.args)
			args.push_back(path(name));

		const run_result result =
			run_program("korvane", args, {.out = r.out, .target = r.target.empty() ? "" : path(r.target)});
		EXPECT_EQ(result.status, r.err.starts_with("Error: ") ? 1 : 0);
		EXPECT_EQ(result.err, r.err);
		EXPECT_TRUE(same_bytes(result.out, r.out_after));
		EXPECT_TRUE(same_bytes(read_file(dir.path("a")), r.a_after));
		EXPECT_TRUE(same_bytes(read_file(dir.path("b")), container_of({b})));
	}
}

// A failed write may surface late, when buffered bytes finally leave, so
// any number of the progress lines may precede the message. Three large
// fonts outgrow the output buffer, so the failure comes mid-join too.
TEST(refusal, a_failed_write_to_standard_output_ends_the_run)
{
	scratch_dir dir;
	const test_font small{.name = "small"};
	const test_font large{.name = "large", .height = 100, .first_char = 0, .last_char = 245};
	for (const test_font &f : {small, large}) {
		const std::string file = dir.file(f.name, container_of({f, f, f}));
		for (const output_to out : {output_to::dev_full, output_to::closed}) {
			SCOPED_TRACE(f.name +
			             (out == output_to::closed ? " to a closed descriptor" : " to a full disk"));
			const run_result r = run_program("korvane", {file}, {.out = out});
			EXPECT_EQ(r.status, 1);
			std::vector<std::string> possible{WRITE_FAILED};
			std::string lines;
			for (int k = 0; k < 3; k++) {
				lines += progress(f.name);
				possible.push_back(lines + WRITE_FAILED);
			}
			EXPECT_NE(std::find(possible.begin(), possible.end(), r.err), possible.end()) << r.err;
		}
	}
}

TEST(refusal, a_container_cut_at_any_byte_is_refused_unless_only_surplus_is_missing)
{
	const std::vector<test_font> fonts{
		{.name = "prop", .spacing = 'P', .height = 4, .widths = {3, 9, 17}},
		// Five surplus bytes that are there, and that the walk must skip.
		{.name = "spare", .bitmap = pattern(29, 2), .bitmap_size = 29},
		// Three of the four surplus bytes are missing, which is no loss.
		{.name = "short", .bitmap = pattern(25, 3), .bitmap_size = 28},
	};
	const test_font other{.name = "other", .seed = 9};

	// For each record: where its header and width table end, and where the
	// bitmap bytes the output needs end.
	std::vector<std::size_t> loaded;
	std::vector<std::size_t> needed;
	std::string body;
	for (const test_font &f : fonts) {
		const std::size_t start = 8 + body.size();
		const std::size_t stored = f.bitmap_size.value_or(static_cast<std::uint16_t>(bitmap_bytes(f).size()));
		loaded.push_back(start + header_bytes(f).size() + width_table(f).size());
		needed.push_back(loaded.back() + std::min(consistent_length(f), stored));
		body += record(f);
	}
	const std::string whole = container_with_count(3, body);

	scratch_dir dir;
	const std::string around = dir.file("other", container_of({other}));
	for (std::size_t cut = 0; cut <= whole.size(); cut++) {
		SCOPED_TRACE("cut at " + std::to_string(cut));
		std::string out = output_header(5) + written(other);
		std::string err = progress("other");
		int status = 0;
		if (cut < 8) {
			out.clear();
			err = NO_ZIRK;
			status = 1;
		}
		for (std::size_t i = 0; i < fonts.size() && status == 0; i++) {
			if (cut >= loaded[i])
				err += progress(fonts[i].name);
			if (cut < needed[i]) {
				err += TRUNCATED;
				status = 1;
			} else {
				out += written(fonts[i]);
			}
		}
		if (status == 0) {
			out += written(other);
			err += progress("other");
		}
		expect_run(run_program("korvane", {around, dir.file("cut", whole.substr(0, cut)), around}), out, err,
		           status);
		if (HasFailure())
			break;
	}
}

TEST(refusal, a_truncated_record_stops_the_run_before_any_of_its_bytes)
{
	const test_font one{.name = "one"};
	const test_font two{.name = "two", .spacing = 'P', .height = 4, .widths = {3, 9, 17}, .seed = 2};
	const std::string a = record(one);
	const std::string b = record(two);
	test_font one_with_surplus = one;
	one_with_surplus.bitmap_size = 34;
	test_font two_with_surplus = two;
	two_with_surplus.bitmap = pattern(24, 2) + "xyz";
	two_with_surplus.bitmap_size = 34;
	test_font two_short = two;
	two_short.bitmap = pattern(6, 2);
	two_short.bitmap_size = 10;

	struct row {
		const char *what;
		std::string file;
		std::string out;
		std::string err;
		int status;
	};
	const std::string start = output_header(2);
	const std::vector<row> rows{
		{"a header ends early", start + a + b.substr(0, 25), start + a, progress("one") + TRUNCATED, 1},
		{"a width table ends early", start + a + b.substr(0, 28), start + a, progress("one") + TRUNCATED, 1},
		{"a bitmap ends early", start + a + b.substr(0, b.size() - 1), start + a,
	         progress("one") + progress("two") + TRUNCATED, 1},
		{"a block ends before its own stored size", start + a + record(two_short), start + a,
	         progress("one") + progress("two") + TRUNCATED, 1},
		{"surplus lost, so the walk finds no next header", start + record(one_with_surplus), start + a,
	         progress("one") + TRUNCATED, 1},
		{"only surplus lost", start + a + record(two_with_surplus), start + a + b,
	         progress("one") + progress("two"), 0},
	};
	scratch_dir dir;
	for (const row &r : rows) {
		SCOPED_TRACE(r.what);
		expect_run(run_program("korvane", {dir.file("f", r.file)}), r.out, r.err, r.status);
	}
}

// Each font follows a good one in the same file, whose record stays written.
// A refusal by the loader comes before the font's progress line; one by the
// writer after it.
TEST(refusal, fonts_outside_what_the_format_allows)
{
	const test_font good{.name = "good"};
	std::vector<std::uint8_t> wide(10, 255);
	wide.push_back(136);

	struct row {
		const char *what;
		test_font font;
		std::string error;  // empty: accepted
		bool announced;
	};
	const std::vector<row> rows{
		{"range reversed, proportional",
	         {.spacing = 'P', .first_char = 'C', .last_char = 'A'},
	         BAD_RANGE,
	         false},
		{"range reversed, fixed", {.spacing = 'F', .first_char = 'C', .last_char = 'A'}, BAD_RANGE, false},
		{"range 255 to 0", {.spacing = '\0', .first_char = 255, .last_char = 0}, BAD_RANGE, false},
		{"empty font", {.spacing = 'P', .first_char = 'B', .last_char = 'A'}, "", true},
		{"height 128", {.height = 128}, TOO_TALL, true},
		{"height 255 on a block too large",
	         {.fixed_width = 16, .height = 255, .first_char = 0, .last_char = 128, .bitmap = "", .bitmap_size = 0},
	         TOO_TALL,
	         true},
		{"height 127", {.height = 127}, "", true},
		{"24768 bytes", {.fixed_width = 16, .height = 96, .first_char = 0, .last_char = 128}, TOO_LARGE, true},
		{"24601 bytes",
	         {.spacing = 'P', .height = 73, .first_char = 0, .last_char = 10, .widths = wide},
	         TOO_LARGE,
	         true},
		{"too large with no bitmap in the file",
	         {.fixed_width = 16,
	          .height = 96,
	          .first_char = 0,
	          .last_char = 128,
	          .bitmap = "",
	          .bitmap_size = 24768},
	         TOO_LARGE,
	         true},
		{"24600 bytes", {.height = 100, .first_char = 0, .last_char = 245}, "", true},
		{"24576 bytes", {.fixed_width = 16, .height = 96, .first_char = 0, .last_char = 127}, "", true},
	};
	scratch_dir dir;
	for (const row &r : rows) {
		SCOPED_TRACE(r.what);
		const std::string file = dir.file("f", container_of({good, r.font}));
		std::string out = output_header(2) + record(good);
		std::string err = progress("good") + (r.announced ? progress(r.font.name) : "") + r.error;
		if (r.error.empty())
			out += record(r.font);
		expect_run(run_program("korvane", {file}), out, err, r.error.empty() ? 0 : 1);
	}
}

TEST(refusal, a_stored_size_beyond_the_store_yields_to_the_geometry)
{
	// The walk to the next font still passes over all 65535 stored bytes.
	const test_font huge_block{.name = "huge", .bitmap = pattern(0xffff, 3), .bitmap_size = 0xffff};
	const test_font after{.name = "after", .seed = 4};
	// Stored 65535, but the file ends after the 24600 bytes the font needs.
	const test_font full{.name = "full", .height = 100, .first_char = 0, .last_char = 245, .bitmap_size = 0xffff};

	scratch_dir dir;
	expect_run(run_program("korvane", {dir.file("a", container_of({huge_block, after}))}),
	           output_header(2) + record({.name = "huge", .bitmap = pattern(24, 3)}) + record(after),
	           progress("huge") + progress("after"), 0);
	test_font full_out = full;
	full_out.bitmap_size.reset();
	expect_run(run_program("korvane", {dir.file("b", container_of({after, full}))}),
	           output_header(2) + record(after) + record(full_out), progress("after") + progress("full"), 0);
}

// A short block is made up with zero bytes, never with what an earlier font
// left in the store: that would leak one font's glyphs into another.
TEST(refusal, a_short_block_is_filled_with_zeros_not_with_an_earlier_font)
{
	const test_font earlier{.name = "earlier", .last_char = 'F'};
	const test_font stored_short{.name = "short", .last_char = 'F', .bitmap = pattern(10, 2)};
	const test_font stored_empty{.name = "empty", .last_char = 'F', .bitmap = ""};
	test_font short_out = stored_short;
	short_out.bitmap = pattern(10, 2) + std::string(38, '\0');
	test_font empty_out = stored_empty;
	empty_out.bitmap = std::string(48, '\0');

	scratch_dir dir;
	expect_run(
		run_program("korvane", {dir.file("f", container_of({earlier, stored_short, earlier, stored_empty}))}),
		output_header(4) + record(earlier) + record(short_out) + record(earlier) + record(empty_out),
		progress("earlier") + progress("short") + progress("earlier") + progress("empty"), 0);
}

// The progress line goes to a terminal: control bytes must not reach it.
TEST(refusal, a_name_shows_control_bytes_as_question_marks_but_keeps_them)
{
	const test_font controls{.name = {'a', '\x01', '\t', '\n', '\x1f', '\x7f', '\x80', '\xff', ' ', 'z'}};
	const test_font full_width{.name = "ABCDEFGHIJKLMNOP"};
	const test_font stops_at_zero{.name = std::string("ab\0\x01", 4)};

	scratch_dir dir;
	expect_run(run_program("korvane", {dir.file("f", container_of({controls, full_width, stops_at_zero}))}),
	           output_header(3) + record(controls) + record(full_width) + record(stops_at_zero),
	           progress("a?????\x80\xff z") + progress("ABCDEFGHIJKLMNOP") + progress("ab"), 0);
}
