#include "caption_font.h"

#include "fatal.h"

#include <cstdio>

font_record caption_font()
{
	// Read only, whatever fmemopen's signature says.
	std::FILE *file = fmemopen(const_cast<unsigned char *>(caption_font_zirk), caption_font_zirk_size, "rb");
	if (file == nullptr)
		fatal("Error: out of memory");
	container_reader reader = open_container_stream(file);
	font_record font;
	if (!read_font(reader, font))
		fatal("Error: this is no zirk font file");
	close_container(reader);
	(void)std::fclose(file);
	return font;
}
