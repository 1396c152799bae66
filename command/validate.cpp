#include "command.h"
#include "../container/zirk.h"

// Probes every path, so that a bad one is reported before any count-based
// refusal. The total stops just above the one-byte limit: that is all the
// caller needs to know, and no number of arguments can make it wrap.
unsigned count_fonts(int count, char *const paths[])
{
	unsigned total = 0;
	for (int i = 0; i < count; i++) {
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
