// Where the pixels go: every covered glyph into a cell of one height with
// one baseline, and the record korvane joins.
#pragma once

#include "import.h"
#include "../zirkfile/zirkfile.h"

#include <cstdint>
#include <optional>
#include <string>

enum class spacing_choice {
	automatic,
	fixed,
	proportional
};

struct placement_options {
	unsigned first = 0;
	unsigned last = 0;
	spacing_choice spacing = spacing_choice::automatic;
	bool clip = false;                // keep the font's own ascent and descent
	std::optional<std::string> name;  // none: the font's own, cut to fit
	// Codes between the pieces of a range: blank, and not counted missing.
	std::array<bool, CODES> left_out{};
};

struct placed_font {
	font_record record;
	unsigned missing = 0;       // covered codes without a glyph
	std::uint64_t clipped = 0;  // ink pixels outside their cell
};

// The codes the font has a glyph for, lowest to highest, control codes
// excepted from either end; false when it has none.
bool default_range(const imported_font &font, const code_map &charset, unsigned &first, unsigned &last);

// The name field: at most 16 bytes, never cut inside a UTF-8 character.
std::string record_name(const std::string &name);

// Refuses (naming path) a font korvane would not join, saying what would
// make it fit.
placed_font place_glyphs(const std::string &path, const imported_font &font, const placement_options &options);
