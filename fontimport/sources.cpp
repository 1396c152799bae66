#include "sources.h"

#include "../charmap/baseline.h"
#include "../toolkit/text.h"

#include <algorithm>

namespace {

imported_font read_font(const std::string &path, unsigned size, const code_map &map)
{
	const std::vector<unsigned char> bytes = read_font_file(path);
	return is_psf(bytes) ? read_psf(path, bytes, size, map) : read_with_freetype(path, bytes, size, map);
}

// The character a code's glyph was found by, else the one most wanted;
// none for a code that stands for none or whose glyph came by its code.
std::optional<char32_t> character_of(const sourced_font &sourced, const code_map &map, unsigned code)
{
	const int file = sourced.file[code];
	if (file != NO_FILE && sourced.own_codes[static_cast<std::size_t>(file)])
		return std::nullopt;
	if (file != NO_FILE)
		return map[code][sourced.font.found_by[code]];
	// Else the most wanted character that could have given a glyph.
	for (const char32_t c : map[code])
		if (!is_control(c))
			return c;
	if (!map[code].empty())
		return map[code].front();
	return std::nullopt;
}

bool all_controls(const std::vector<char32_t> &characters)
{
	return !characters.empty() && std::all_of(characters.begin(), characters.end(), is_control);
}

// ", box 6 wide, widened to hold its ink" for a glyph that widened the
// cell, ", box 6 wide, 2 pixels cut by --clip" for one --clip cut.
std::string placed_note(const placed_font &placed, unsigned code)
{
	std::string note;
	if (!placed.widened_glyph[code] && placed.cut[code] == 0)
		return note;
	note.append(", box ").append(std::to_string(placed.ink_width[code])).append(" wide");
	if (placed.widened_glyph[code])
		note.append(", widened to hold its ink");
	if (placed.cut[code] != 0)
		note.append(", ")
			.append(plural(placed.cut[code], "pixel", "pixels"))
			.append(placed.clip ? " cut by --clip" : " cut");
	return note;
}

}  // namespace

sourced_font read_fonts(const std::vector<std::string> &paths, unsigned size, const code_map &map)
{
	sourced_font sourced;
	sourced.file.fill(NO_FILE);
	// One file's bytes and glyphs at a time: however many files are given,
	// only the glyphs taken are kept.
	for (std::size_t i = 0; i < paths.size(); i++) {
		imported_font font = read_font(paths[i], size, map);
		if (i == 0) {
			sourced.font.described = font.described;
			sourced.font.size = font.size;
		}
		// A smaller size can help only where every file has one.
		sourced.font.smaller_size = font.smaller_size && (i == 0 || sourced.font.smaller_size);
		sourced.own_codes.push_back(font.own_codes);
		sourced.baseline_unknown.push_back(font.baseline_unknown);
		sourced.ascents.push_back(font.ascent);
		sourced.descents.push_back(font.descent);
		for (unsigned code = 0; code < CODES; code++) {
			if (!font.glyphs[code] ||
			    (sourced.file[code] != NO_FILE && font.found_by[code] >= sourced.font.found_by[code]))
				continue;
			sourced.font.glyphs[code] = std::move(font.glyphs[code]);
			sourced.font.found_by[code] = font.found_by[code];
			sourced.file[code] = static_cast<int>(i);
		}
	}
	sourced.font.own_codes =
		std::all_of(sourced.own_codes.begin(), sourced.own_codes.end(), [](bool b) { return b; });
	return sourced;
}

void leave_out_gaps(sourced_font &sourced, const std::vector<number_range> &pieces)
{
	for (std::size_t i = 1; i < pieces.size(); i++)
		for (unsigned code = pieces[i - 1].last + 1; code < pieces[i].first; code++) {
			sourced.font.glyphs[code].reset();
			sourced.file[code] = NO_FILE;
			sourced.left_out[code] = true;
		}
}

void settle_metrics(sourced_font &sourced, unsigned first, unsigned last, bool clip, alignment align)
{
	sourced.font.ascent = sourced.ascents.front();
	sourced.font.descent = sourced.descents.front();
	if (clip || align == alignment::cell)
		return;
	std::vector<bool> gave(sourced.ascents.size());
	for (unsigned code = first; code <= last; code++)
		if (sourced.file[code] != NO_FILE)
			gave[static_cast<std::size_t>(sourced.file[code])] = true;
	bool any = false;
	for (std::size_t i = 0; i < gave.size(); i++) {
		if (!gave[i])
			continue;
		sourced.font.ascent = any ? std::max(sourced.font.ascent, sourced.ascents[i]) : sourced.ascents[i];
		sourced.font.descent = any ? std::max(sourced.font.descent, sourced.descents[i]) : sourced.descents[i];
		any = true;
	}
}

void align_cells(sourced_font &sourced, std::array<bool, CODES> &in_given_rows)
{
	for (unsigned code = 0; code < CODES; code++) {
		const int file = sourced.file[code];
		if (file <= 0)
			continue;
		sourced.font.glyphs[code]->top +=
			sourced.ascents.front() - sourced.ascents[static_cast<std::size_t>(file)];
		in_given_rows[code] = true;
	}
}

std::vector<std::string> report_lines(const sourced_font &sourced, const placed_font &placed,
                                      const std::vector<std::string> &paths, const code_map &map, unsigned first,
                                      unsigned last)
{
	std::vector<std::string> lines;
	for (unsigned code = first; code <= last; code++) {
		std::string line = code_notation(code);
		if (const std::optional<char32_t> c = character_of(sourced, map, code))
			line.append(" ").append(unicode_notation(*c));
		const int file = sourced.file[code];
		if (sourced.left_out[code])
			line.append(" left out by --range");
		else if (file != NO_FILE)
			line.append(" from ").append(shown_text(paths[static_cast<std::size_t>(file)]));
		else if (map[code].empty())
			line.append(" stands for no character");
		else if (all_controls(map[code]))
			line.append(" is a control character");
		else
			line.append(" in no font");
		if (file != NO_FILE && sourced.own_codes[static_cast<std::size_t>(file)])
			line.append(" by its own code");
		if (file != NO_FILE)
			line.append(placed_note(placed, code));
		lines.push_back(line);
	}
	return lines;
}

std::string sources_summary(const sourced_font &sourced, const std::vector<std::string> &paths, unsigned first,
                            unsigned last)
{
	std::vector<unsigned> gave(paths.size());
	unsigned left_out = 0;
	for (unsigned code = first; code <= last; code++) {
		if (sourced.file[code] != NO_FILE)
			gave[static_cast<std::size_t>(sourced.file[code])]++;
		left_out += sourced.left_out[code] ? 1 : 0;
	}
	std::string summary;
	for (std::size_t i = 0; i < paths.size() && paths.size() > 1; i++)
		summary.append(i == 0 ? "; " : ", ")
			.append(plural(gave[i], "code", "codes"))
			.append(" from ")
			.append(shown_text(paths[i]));
	if (left_out != 0)
		summary.append(summary.empty() ? "; " : ", ")
			.append(plural(left_out, "code", "codes"))
			.append(" left out by --range");
	for (std::size_t i = 0; i < paths.size(); i++)
		if (sourced.baseline_unknown[i] && (gave[i] != 0 || i == 0))
			summary.append("; ")
				.append(shown_text(paths[i]))
				.append(" has ")
				.append(NO_BASELINE_GLYPH)
				.append(": its bottom row taken as the baseline");
	return summary;
}
