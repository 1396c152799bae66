#include "input.h"

#include <algorithm>

// A file too short to hold the magic and the count byte is no container:
// guessing a count for it would only move the failure somewhere less clear.
unsigned probe_container(const char *path)
{
	const input_file file = open_input(path);
	std::array<unsigned char, CONTAINER_HEADER_SIZE> head{};
	if (read_input(file, head.data(), head.size()) < head.size() ||
	    !std::equal(FONT_MAGIC.begin(), FONT_MAGIC.end(), head.begin(),
	                [](char m, unsigned char b) { return static_cast<unsigned char>(m) == b; }))
		fail("Error: this is no zirk font file\n");
	return head[MAGIC_SIZE];
}
