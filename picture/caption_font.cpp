#include "caption_font.h"

#include "../toolkit/messages.h"

#include <cerrno>
#include <cstdio>

// How the compiled-in container is named in the messages of a build gone wrong.
static const char *const NAME = "caption font";

font_record caption_font()
{
	// Read only, whatever fmemopen's signature says.
	std::FILE *file = fmemopen(const_cast<unsigned char *>(caption_font_zirk), caption_font_zirk_size, "rb");
	if (file == nullptr)
		system_fatal(NAME, errno);
	container_reader reader = open_container_stream(file, NAME);
	font_record font;
	if (!read_font(reader, font))
		file_fatal(NAME, "holds no font");
	close_container(reader);
	(void)std::fclose(file);
	return font;
}
