// The two formats a zirk font goes out as. Each builds the whole font in
// memory, so that nothing is written before everything is checked, and a
// summary of what it did for standard error.
#pragma once

#include "export.h"

#include <optional>
#include <string>
#include <vector>

struct written_font {
	std::string bytes;
	std::string summary;
};

// BDF 2.1, glyphs named and encoded by their Unicode character. descent:
// the rows below the baseline; none, a guess from the glyphs.
written_font bdf_font(const chosen_font &chosen, const code_map &labels, std::optional<unsigned> descent);

// PSF2 of 256 glyphs with a Unicode table, a proportional font centred in
// cells as wide as its widest glyph.
written_font psf_font(const chosen_font &chosen, const code_map &labels);
