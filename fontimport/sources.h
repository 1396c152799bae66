// Where each code's glyph comes from when several font files are given: the
// file that has the code's most wanted character, the earliest such file
// where several have it. The glyphs of the files stand on one baseline.
#pragma once

#include "import.h"

#include "../toolkit/command_line.h"

#include <string>
#include <vector>

inline constexpr int NO_FILE = -1;

struct sourced_font {
	// The glyphs taken, described as the first file is; the ascent and
	// descent are set by settle_metrics.
	imported_font font;
	std::array<int, CODES> file;  // the index of the file each glyph came from, or NO_FILE
	std::array<bool, CODES> left_out{};
	// Per file: whether it has no Unicode map, its ascent and descent.
	std::vector<bool> own_codes;
	std::vector<int> ascents;
	std::vector<int> descents;
};

// Reads every file at size (0: none asked for) and takes each code's glyph
// as above. Faults name the file they are in.
sourced_font read_fonts(const std::vector<std::string> &paths, unsigned size, const code_map &map);

// Drops the glyphs of the codes between the pieces of a --range.
void leave_out_gaps(sourced_font &sourced, const std::vector<number_range> &pieces);

// The cell's ascent and descent: the largest of the files that gave a glyph
// from first to last.
void settle_metrics(sourced_font &sourced, unsigned first, unsigned last);

// --report: per code from first to last, the code, the character it stands
// for and the file its glyph came from.
std::vector<std::string> report_lines(const sourced_font &sourced, const std::vector<std::string> &paths,
                                      const code_map &map, unsigned first, unsigned last);

// For the summary with several files or a range in pieces: the codes each
// file gave and those left out; empty otherwise.
std::string sources_summary(const sourced_font &sourced, const std::vector<std::string> &paths, unsigned first,
                            unsigned last);
