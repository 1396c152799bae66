#include "command_line.h"

#include "messages.h"
#include "output.h"
#include "text.h"

#include <getopt.h>

#include <charconv>
#include <cstdlib>
#include <cstring>

#ifndef KORVANE_VERSION
#error "the build defines KORVANE_VERSION"
#endif

namespace {

enum : int {
	HELP_KEY = 'h',
	VERSION_KEY = 0x7fff,
	OPERAND_KEY = 1,  // what getopt_long returns for an operand with "-" first
};

[[noreturn]] void show(std::string_view text)
{
	write_stdout(text);
	finish_stdout();
	std::exit(EXIT_SUCCESS);
}

// Every message it makes is compared whole in the tests, where a swap of
// its words shows at once.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
[[noreturn]] void typed_error(std::string_view before, std::string_view typed, std::string_view after)
{
	std::string message(before);
	usage_error(message.append("'").append(shown_text(typed)).append("'").append(after));
}

// The long name typed, without any "=value".
std::string_view long_name(std::string_view word)
{
	word.remove_prefix(2);
	return word.substr(0, word.find('='));
}

bool is_ambiguous(std::string_view name, const std::vector<option> &options)
{
	int matches = 0;
	for (const option &o : options) {
		if (o.name == nullptr)
			break;
		const std::string_view full(o.name);
		if (full == name)
			return false;
		if (full.substr(0, name.size()) == name)
			matches++;
	}
	return matches > 1;
}

// getopt_long stopped on word (the argument it was reading) with code.
[[noreturn]] void option_error(int code, std::string_view word, const std::vector<option> &options)
{
	const bool is_long = word.size() > 2 && word.substr(0, 2) == "--";
	if (code == ':') {
		if (is_long)
			typed_error("option ", word, " needs a value");
		typed_error("option ", std::string("-") + static_cast<char>(optopt), " needs a value");
	}
	if (!is_long)
		typed_error("unrecognized option ", std::string("-") + static_cast<char>(optopt), "");
	if (optopt != 0)
		typed_error("option ", word, " takes no value");
	if (is_ambiguous(long_name(word), options))
		typed_error("option ", std::string("--") + std::string(long_name(word)), " is ambiguous");
	typed_error("unrecognized option ", word, "");
}

// What getopt_long is given for the syntax: its short options and its table
// of long ones, --help and --version added.
struct getopt_table {
	std::string shorts;
	std::vector<option> options;
};

getopt_table table_of(const command_syntax &syntax)
{
	// "-" first: operands come back in order among the options whatever the
	// environment says; ":" next: a missing value is told apart.
	getopt_table table{"-:h", {}};
	for (const option_syntax &o : syntax.options) {
		table.options.push_back({o.name, o.takes_value ? required_argument : no_argument, nullptr, o.key});
		if (o.key < 256) {
			table.shorts += static_cast<char>(o.key);
			if (o.takes_value)
				table.shorts += ':';
		}
	}
	table.options.push_back({"help", no_argument, nullptr, HELP_KEY});
	table.options.push_back({"version", no_argument, nullptr, VERSION_KEY});
	table.options.push_back({nullptr, 0, nullptr, 0});
	return table;
}

}  // namespace

std::vector<std::string> parse_command_line(int argc, char **argv, const command_syntax &syntax,
                                            const std::function<void(int key, const char *value)> &take)
{
	set_program_name(syntax.program);
	const auto [shorts, options] = table_of(syntax);

	std::vector<std::string> operands;
	opterr = 0;
	optind = 0;
	for (;;) {
		const int before = optind;
		const int code = getopt_long(argc, argv, shorts.c_str(), options.data(), nullptr);
		if (code == -1)
			break;
		if (code == OPERAND_KEY) {
			operands.emplace_back(optarg);
		} else if (code == HELP_KEY) {
			show(syntax.help);
		} else if (code == VERSION_KEY) {
			show(std::string(syntax.program) + " (korvane) " KORVANE_VERSION "\n");
		} else if (code == '?' || code == ':') {
			// A long option always moves on; a short one may stay inside
			// its cluster, where optopt names it.
			const int at = optind > before && optind > 0 ? optind - 1 : optind;
			option_error(code, at < argc ? argv[at] : "", options);
		} else {
			take(code, optarg);
		}
	}
	for (; optind < argc; optind++)
		operands.emplace_back(argv[optind]);
	if (operands.size() > syntax.max_operands)
		typed_error("extra operand ", operands[syntax.max_operands], "");
	return operands;
}

std::optional<unsigned> parse_number(std::string_view text, unsigned max)
{
	int base = 10;
	if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
		base = 16;
		text.remove_prefix(2);
	}
	// from_chars takes no sign or blank, but a hex run might start with one
	// after the prefix.
	if (text.empty() || text[0] == '-' || text[0] == '+')
		return std::nullopt;
	unsigned value = 0;
	const char *end = text.data() + text.size();
	const auto [ptr, error] = std::from_chars(text.data(), end, value, base);
	if (error != std::errc{} || ptr != end || value > max)
		return std::nullopt;
	return value;
}

// Every message it makes is compared whole in the tests, where a swap of
// its words shows at once.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
unsigned number_value(std::string_view option, std::string_view text, unsigned low, unsigned high)
{
	const std::optional<unsigned> value = parse_number(text, high);
	if (!value || *value < low) {
		std::string before(option);
		typed_error(before.append(" "), text,
		            " is not a number from " + std::to_string(low) + " to " + std::to_string(high));
	}
	return *value;
}

std::optional<std::vector<number_range>> parse_ranges(std::string_view text, number_range allowed)
{
	const unsigned low = allowed.first;
	const unsigned high = allowed.last;
	std::vector<number_range> ranges;
	for (;;) {
		const std::size_t comma = text.find(',');
		const std::string_view piece = text.substr(0, comma);
		const std::size_t dash = piece.find('-');
		const std::optional<unsigned> first = parse_number(piece.substr(0, dash), high);
		const std::optional<unsigned> last =
			dash == std::string_view::npos ? first : parse_number(piece.substr(dash + 1), high);
		if (!first || !last || *first < low || *first > *last)
			return std::nullopt;
		ranges.push_back({*first, *last});
		if (comma == std::string_view::npos)
			return ranges;
		text.remove_prefix(comma + 1);
	}
}

void add_fonts(font_choice &choice, std::string_view list)
{
	const auto ranges = parse_ranges(list, {1, MAX_FONTS});
	if (!ranges)
		typed_error("--font ", list, " is not a list of font numbers from 1 to 255 and ranges, such as 1,3-5");
	for (const number_range r : *ranges) {
		for (unsigned n = r.first; n <= r.last; n++)
			choice.chosen.set(n);
		choice.highest = std::max(choice.highest, r.last);
	}
}

void check_fonts(const font_choice &choice, unsigned count, std::string_view path)
{
	if (choice.highest > count) {
		std::string message = "--font " + std::to_string(choice.highest) + ": ";
		usage_error(message.append(path).append(" holds ").append(plural(count, "font", "fonts")));
	}
}

bool font_chosen(const font_choice &choice, unsigned number)
{
	return choice.highest == 0 || choice.chosen.test(number);
}
