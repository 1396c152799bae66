// make_psf_seeds <dir>: writes the starting corpus of the psf target, one
// console font a file: both versions, with and without a Unicode table, with
// sequences, a glyph wider than a byte, a gzip'd one, and fonts font2zirk
// refuses. fuzz/run adds console fonts of the machine's own.
#include "font_builder.h"
#include "zirk_builder.h"

#include <string>
#include <vector>

namespace {

struct size {
	unsigned width;
	unsigned height;
};

std::vector<std::vector<std::string>> glyphs(unsigned count, size s)
{
	std::vector<std::vector<std::string>> all;
	for (unsigned g = 0; g < count; g++) {
		std::vector<std::string> rows;
		for (unsigned y = 0; y < s.height; y++) {
			std::string row;
			for (unsigned x = 0; x < s.width; x++)
				row += (x + y + g) % 3 == 0 ? '@' : '.';
			rows.push_back(row);
		}
		all.push_back(rows);
	}
	return all;
}

std::vector<std::u16string> psf1_table(unsigned count)
{
	std::vector<std::u16string> table(count);
	for (unsigned g = 0; g < count; g++)
		table[g] = std::u16string(1, static_cast<char16_t>(g < 95 ? 32 + g : 0xa0 + g));
	table[1] += u"\xfffe"
		    u"A\x0308";
	return table;
}

std::vector<std::string> psf2_table(unsigned count)
{
	std::vector<std::string> table(count);
	for (unsigned g = 0; g < count; g++)
		table[g] = std::string(1, static_cast<char>(33 + g % 90));
	table[0] += "\xc3\x84\xe2\x82\xac\xfe"
		    "A\xcc\x88";
	return table;
}

std::vector<generated_file> seeds()
{
	const std::string psf2 = psf2_bytes(8, glyphs(16, {8, 4}), psf2_table(16), true);
	return {
		{"psf1-256-table", psf1_bytes(glyphs(256, {8, 2}), psf1_table(256), true)},
		{"psf1-512-table", psf1_bytes(glyphs(512, {8, 1}), psf1_table(512), true)},
		{"psf1-own-codes", psf1_bytes(glyphs(256, {8, 3}), {}, false)},
		{"psf2-table", psf2},
		{"psf2-own-codes", psf2_bytes(12, glyphs(40, {12, 3}), {}, false)},
		{"psf2-wide", psf2_bytes(17, glyphs(4, {17, 2}), psf2_table(4), true)},
		{"psf2-gzip", gzip_bytes(psf2)},
		{"psf2-truncated-table", psf2.substr(0, psf2.size() - 3)},
		{"psf2-truncated-glyphs", psf2.substr(0, 40)},
	};
}

}  // namespace

int main(int argc, char **argv)
{
	return write_generated_files(argc, argv, seeds);
}
