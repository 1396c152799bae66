// txt2zirk [FILE]: the zirk text form back into a container. The whole text
// is checked and the container built in memory before the first byte goes
// out, so a faulty text writes nothing.
#include "textform.h"

#include "../toolkit/command_line.h"
#include "../toolkit/output.h"

namespace {

void write_container(const zirk_container &container)
{
	std::vector<unsigned char> out;
	append_container_header(out, static_cast<unsigned>(container.fonts.size()));
	for (const font_record &font : container.fonts) {
		append_record(out, font);
		write_stdout(out);
		out.clear();
	}
	write_stdout(out);
	write_stdout(container.trailing);
}

}  // namespace

int main(int argc, char **argv)
{
	const std::vector<std::string> operands =
		parse_command_line(argc, argv, program_syntax, [](int, const char *) {});
	claim_binary_output("font data");
	const input_file text(operands.empty() ? "-" : operands.front());
	write_container(parse_text(text));
	finish_stdout();
	return 0;
}
