// zirk2txt [FILE]: a zirk container as text, one font at a time.
#include "textform.h"

#include "fatal.h"
#include "options.h"
#include "output.h"

#include <array>
#include <getopt.h>

namespace {

const char *const PROGRAM = "zirk2txt";

const char *const HELP = "Usage: zirk2txt [-l|--list] [-h|--help] [--version] [FILE]\n"
			 "Write the zirk font container FILE as text to standard output, or with\n"
			 "--list one line per font. With no FILE, or when FILE is -, read standard\n"
			 "input. txt2zirk turns the text back into the same bytes.\n"
			 "\n"
			 "  -l, --list     one line per font: number, name, spacing, codes, height,\n"
			 "                 stored and computed bitmap length, whether korvane takes it\n"
			 "  -h, --help     show this help and exit\n"
			 "      --version  show the version and exit\n";

// Text goes out whenever a font's text takes it past this size, so that at
// most one font's text is held, whatever the container holds.
constexpr std::size_t FLUSH_AT = std::size_t{1} << 16;

void flush(std::string &out)
{
	write_stdout(out);
	out.clear();
}

void convert(const std::string &path, bool list)
{
	container_reader reader = open_container(path);
	std::string out;
	out.reserve(FLUSH_AT * 2);
	if (!list)
		append_form_line(out);
	font_record font;
	while (read_font(reader, font)) {
		if (list)
			append_listing(out, font, reader.read);
		else
			append_font(out, font, reader.read);
		if (out.size() >= FLUSH_AT)
			flush(out);
	}
	if (!list) {
		std::array<unsigned char, FLUSH_AT> chunk{};
		bool first = true;
		for (std::size_t got; (got = read_more(reader, chunk.data(), chunk.size())) > 0; first = false) {
			if (first)
				append_trailing(out, chunk.data(), got);
			else
				append_hex_lines(out, chunk.data(), got);
			flush(out);
		}
	}
	close_container(reader);
	flush(out);
}

}  // namespace

int main(int argc, char **argv)
{
	static const option LONG_OPTIONS[] = {
		{"list", no_argument, nullptr, 'l'},
		{"help", no_argument, nullptr, 'h'},
		{"version", no_argument, nullptr, 'V'},
		{nullptr, 0, nullptr, 0},
	};
	bool list = false;
	opterr = 0;
	for (int c; (c = getopt_long(argc, argv, "+lh", LONG_OPTIONS, nullptr)) != -1;) {
		switch (c) {
		case 'l': list = true; break;
		case 'h': show_help(HELP);
		case 'V': show_version(PROGRAM);
		default: unrecognized_option(PROGRAM, argv);
		}
	}
	if (argc - optind > 1)
		usage_error(PROGRAM, "more than one FILE");
	convert(optind < argc ? argv[optind] : "-", list);
	finish_stdout();
	return 0;
}
