// Where the pixels go: every covered glyph into a cell of one height with
// one baseline, and the record korvane joins.
#pragma once

#include "import.h"
#include "../zirkfile/zirkfile.h"

#include <array>
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
	bool clip = false;                // keep the font's own advances, ascent and descent
	std::optional<std::string> name;  // none: default_name
	// Codes between the pieces of a range: blank, and not counted missing.
	std::array<bool, CODES> left_out{};
	// Glyphs whose ink does not grow the cell: those of a fallback font
	// set top to top in the first font's cell; what lies outside is cut.
	std::array<bool, CODES> in_given_rows{};
};

// What --clip would make of a fixed font that was widened.
struct clip_alternative {
	unsigned width = 0;
	std::uint64_t cut = 0;
};

struct placed_font {
	font_record record;
	unsigned missing = 0;           // covered codes without a glyph
	unsigned missing_controls = 0;  // of them, control codes
	unsigned widened = 0;           // glyphs wider than their advance, to hold their ink
	std::uint64_t clipped = 0;      // ink pixels outside their cell
	// Per code: the width of the box that holds the glyph's ink, whether
	// that widened it past its advance, and its ink pixels cut.
	std::array<unsigned, CODES> ink_width{};
	std::array<bool, CODES> widened_glyph{};
	std::array<std::uint64_t, CODES> cut{};
	bool clip = false;
	// For a fixed font widened without --clip.
	std::optional<clip_alternative> with_clip;
};

// The codes the font has a glyph for, lowest to highest, control codes
// excepted from either end; false when it has none.
bool default_range(const imported_font &font, const code_map &charset, unsigned &first, unsigned &last);

// The record's name unless --name gives one: what the font says it is,
// then its size, at most 16 bytes in all, cut so that the size survives,
// never inside a UTF-8 character nor before a blank or hyphen. A font that
// does not say is named after its file, without directory or extensions;
// one read from standard input or a pipe, "font" and its size.
std::string default_name(const imported_font &font, const std::string &path);

// Refuses (naming path) a font korvane would not join, saying what would
// make it fit.
placed_font place_glyphs(const std::string &path, const imported_font &font, const code_map &charset,
                         const placement_options &options);
