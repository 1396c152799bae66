#include "command.h"
#include "../container/zirk.h"

static const char *const CHANGED = "Error: font file changed while joining\n";

// Each file's count is probed afresh, as the loader will see it. The header
// already promised the validation pass's total, so a file that grew or
// shrank since then would make the output lie about its own length.
void join_fonts(int count, char *const paths[], unsigned total)
{
	unsigned written = 0;
	for (int i = 0; i < count; i++) {
		const unsigned fonts = probe_container(paths[i]);
		for (unsigned n = 1; n <= fonts; n++) {
			if (written == total)
				fail(CHANGED);
			load_font(paths[i], n);
			write_font();
			written++;
		}
	}
	if (written != total)
		fail(CHANGED);
	finish_output();
}
