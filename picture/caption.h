// The words above each font of the sheet.
#pragma once

#include "zirkfile.h"

#include <string>
#include <vector>

struct caption_line {
	std::string text;   // printable ASCII only: the caption font has nothing else
	bool note = false;  // a warning: what korvane refuses, bytes missing or left over
};

// Number and name; fixed or proportional, widths and height; the range;
// then a note for each thing wrong with the font.
std::vector<caption_line> caption_lines(const font_record &font, unsigned number);

// "0x41": how the sheet writes a character code.
std::string hex_code(unsigned code);
