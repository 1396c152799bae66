// Where each code's glyph comes from when several font files are given: the
// file that has the code's most wanted character, the earliest such file
// where several have it. The glyphs of the files stand on one baseline.
#pragma once

#include "import.h"
#include "placement.h"

#include "../toolkit/command_line.h"

#include <string>
#include <vector>

inline constexpr int NO_FILE = -1;

// How the files' cells stand against the first file's: baseline on
// baseline, or top to top (for fallback fonts that fill whole cells, such
// as box drawings).
enum class alignment {
	baseline,
	cell
};

struct sourced_font {
	// The glyphs taken, described as the first file is; the ascent and
	// descent are set by settle_metrics.
	imported_font font;
	std::array<int, CODES> file;  // the index of the file each glyph came from, or NO_FILE
	std::array<bool, CODES> left_out{};
	// Per file: whether it has no Unicode map, whether its baseline was
	// taken at its bottom row for want of glyphs to guess it by, its
	// ascent and descent.
	std::vector<bool> own_codes;
	std::vector<bool> baseline_unknown;
	std::vector<int> ascents;
	std::vector<int> descents;
};

// Reads every file at size (0: none asked for) and takes each code's glyph
// as above. Faults name the file they are in.
sourced_font read_fonts(const std::vector<std::string> &paths, unsigned size, const code_map &map);

// Drops the glyphs of the codes between the pieces of a --range.
void leave_out_gaps(sourced_font &sourced, const std::vector<number_range> &pieces);

// The cell's ascent and descent: the first file's with --clip or --align
// cell, else the largest of the files that gave a glyph from first to last.
void settle_metrics(sourced_font &sourced, unsigned first, unsigned last, bool clip, alignment align);

// --align cell: raises or lowers each fallback glyph so that its file's cell
// top meets the first file's, and marks it as kept to the cell's rows.
void align_cells(sourced_font &sourced, std::array<bool, CODES> &in_given_rows);

// --report: per code from first to last, the code, the character it stands
// for and the file its glyph came from, and whether the glyph widened the
// cell or --clip cut it.
std::vector<std::string> report_lines(const sourced_font &sourced, const placed_font &placed,
                                      const std::vector<std::string> &paths, const code_map &map, unsigned first,
                                      unsigned last);

// For the summary with several files or a range in pieces: the codes each
// file gave and those left out, and the files whose baseline could not be
// guessed; empty otherwise.
std::string sources_summary(const sourced_font &sourced, const std::vector<std::string> &paths, unsigned first,
                            unsigned last);
