#include "baseline.h"

#include <algorithm>
#include <string_view>

bool sits_on_baseline(char32_t c)
{
	constexpr std::u32string_view small = U"acemnorsuvwxz";
	return (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') || small.find(c) != std::u32string_view::npos;
}

void baseline_votes::add(glyph g)
{
	if (!sits_on_baseline(g.character))
		return;
	if (votes_.size() <= g.rows_under)
		votes_.resize(g.rows_under + 1);
	votes_[g.rows_under]++;
}

std::optional<unsigned> baseline_votes::descent() const
{
	// max_element keeps the first of equals: the fewest rows.
	const auto most = std::max_element(votes_.begin(), votes_.end());
	if (most == votes_.end())
		return std::nullopt;
	return static_cast<unsigned>(most - votes_.begin());
}
