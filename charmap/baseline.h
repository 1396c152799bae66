// Where the baseline lies in a font whose file gives none (a console font,
// a zirk font): the rows under the bottom ink row that most glyphs of the
// letters and digits without descenders share, the fewest on a tie. One
// rule, so that every program that guesses agrees with the others.
#pragma once

#include <optional>
#include <vector>

// Whether a glyph of c sits on the baseline in any design: the capitals,
// the digits, and the small letters a c e m n o r s u v w x z.
bool sits_on_baseline(char32_t c);

// The rows under the bottom ink row, counted per glyph of a character that
// sits on the baseline.
class baseline_votes {
public:
	struct glyph {
		char32_t character;
		unsigned rows_under;  // below its bottom ink row
	};
	// A glyph of a character that does not sit on the baseline has no say.
	void add(glyph g);
	// The rows most of them share, the fewest on a tie; none when no glyph
	// had a say, and the caller says so and takes 0.
	std::optional<unsigned> descent() const;

private:
	std::vector<unsigned> votes_;
};

// What a summary says of a font without any of those glyphs.
inline constexpr const char *NO_BASELINE_GLYPH = "no letter or digit that sits on the baseline";
