// zirk2png --text: a text as it looks in each chosen font, drawn by
// zirkfont, the code that draws it on the device.
#pragma once

#include "sheet_options.h"

// The picture on standard output: one block per chosen font, top to
// bottom, each the text's lines one font height apart, nothing else.
void write_text_picture(const sheet_options &options);
