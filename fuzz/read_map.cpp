// read_map FILE: reads FILE as a code map, as font2zirk --map does, and
// prints each code's characters, so that the fuzzer reaches the map reader
// without paying for a font on every run.
#include "charmap.h"
#include "messages.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
	set_program_name("read_map");
	if (argc != 2) {
		static_cast<void>(std::fputs("usage: read_map FILE\n", stderr));
		return 2;
	}
	const code_map map = read_code_map(argv[1], code_map{});
	std::string text;
	for (unsigned code = 0; code < CODES; code++)
		for (const char32_t c : map[code])
			text.append(std::to_string(code)).append(" ").append(unicode_notation(c)).append("\n");
	static_cast<void>(std::fputs(text.c_str(), stdout));
	return 0;
}
