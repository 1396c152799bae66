// The font the sheet's captions and labels are drawn in: caption_font.txt,
// made a container by txt2zirk and compiled in at build time.
#pragma once

#include "zirkfile.h"

#include <cstddef>

extern const unsigned char caption_font_zirk[];
extern const std::size_t caption_font_zirk_size;

// The compiled-in container's one font, read as any other is.
font_record caption_font();
