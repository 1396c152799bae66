// Writes a program's bash completion, made from the syntax its command line
// is parsed by, so that the two cannot drift: every long option, the values
// of an option that takes a fixed set (charsets as iconv lists them where
// the completion runs), and file names. The build links one of these with
// each program's syntax and installs what it writes.
#include "../toolkit/command_line.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// "-c | --charset": the words an option is typed as.
std::string patterns(const option_syntax &o)
{
	std::string out;
	if (o.key < 256)
		out.append("-").append(1, static_cast<char>(o.key)).append(" | ");
	return out.append("--").append(o.name);
}

std::string value_case(const std::vector<const option_syntax *> &options, std::string_view action)
{
	std::string out;
	for (const option_syntax *o : options)
		out.append(out.empty() ? "\t" : " | ").append(patterns(*o));
	out.append(")\n\t\t");
	if (!action.empty())
		out.append(action).append("\n\t\t");
	return out.append("return\n\t\t;;\n");
}

std::string completion(const command_syntax &syntax)
{
	std::string function = "_korvane_";
	for (const char c : std::string_view(syntax.program))
		function += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';

	std::vector<const option_syntax *> files;
	std::vector<const option_syntax *> charsets;
	std::vector<const option_syntax *> others;  // values left to the user
	std::string cases;
	std::string names;
	for (const option_syntax &o : syntax.options) {
		names.append("--").append(o.name).append(" ");
		if (!o.takes_value)
			continue;
		switch (o.value) {
		case option_value::file: files.push_back(&o); break;
		case option_value::charset: charsets.push_back(&o); break;
		case option_value::words:
			cases += value_case({&o}, std::string("mapfile -t COMPREPLY < <(compgen -W '") + o.words +
			                                  "' -- \"$cur\")");
			break;
		case option_value::any: others.push_back(&o); break;
		}
	}
	if (!files.empty())
		cases += value_case(files, "_filedir");
	if (!charsets.empty())
		cases += value_case(charsets, "mapfile -t COMPREPLY < <(compgen -W \"$(iconv --list 2>/dev/null | "
		                              "tr -s ', ' '\\n' | sed 's,//$,,')\" -- \"$cur\")");
	if (!others.empty())
		cases += value_case(others, "");

	std::string out = "# bash completion for " + std::string(syntax.program) +
	                  ", made by the build from the program's option table\n";
	// _init_completion sets them all, used or not.
	out += function +
	       "()\n{\n\t# shellcheck disable=SC2034\n\tlocal cur prev words cword split\n\t_init_completion -s || return\n\n";
	if (!cases.empty())
		out += "\tcase $prev in\n" + cases + "\tesac\n\t$split && return\n\n";
	out += "\tif [[ $cur == -* ]]; then\n\t\tmapfile -t COMPREPLY < <(compgen -W '" + names +
	       "--help --version' -- \"$cur\")\n\t\treturn\n\tfi\n\t_filedir\n}\n";
	return out + "complete -F " + function + " " + syntax.program + "\n";
}

}  // namespace

int main()
{
	const std::string text = completion(program_syntax);
	if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
		std::perror("completion");
		return EXIT_FAILURE;
	}
	return EXIT_SUCCESS;
}
