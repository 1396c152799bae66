#include "command.h"
#include "../container/zirk.h"

// korvane fontfile fontfile [fontfile ...]
//
// Every input is checked before the first byte is written, so a bad path
// leaves standard output empty.
int main(int argc, char *argv[])
{
	set_binary_output();
	buffer_output();
	const int count = argc > 0 ? argc - 1 : 0;
	char *const *paths = argc > 0 ? argv + 1 : argv;

	const unsigned total = count_fonts(count, paths);
	if (total < 2)
		show_usage();
	if (total > MAX_FONTS)
		fail("Error: more than 255 fonts in all\n");
	if (output_is_terminal())
		fail("Error: will not write font data to a terminal\n");

	write_container_header(total);
	join_fonts(count, paths, total);
	return 0;
}
