#include "command.h"
#include "../container/zirk.h"

// Probes every path, so that a bad one is reported before any count-based
// refusal. The total stops just above the one-byte limit: that is all the
// caller needs to know, and no number of arguments can make it wrap.
//
// An input that is also the output would get a second container appended
// after its last record (with >>), or has been emptied by the shell before
// the run (with >). Either way the user's font is lost, so that is said
// before the probe, which could only call the emptied file no zirk file.
unsigned count_fonts(int count, char *const paths[])
{
	unsigned total = 0;
	for (int i = 0; i < count; i++) {
		if (output_is_file(paths[i]))
			fail("Error: output file is one of the inputs\n");
		total += probe_container(paths[i]);
		if (total > MAX_FONTS)
			total = MAX_FONTS + 1;
	}
	return total;
}

void write_container_header(unsigned total)
{
	write_output(FONT_MAGIC.data(), MAGIC_SIZE);
	const auto count = static_cast<unsigned char>(total);
	write_output(&count, 1);
}
