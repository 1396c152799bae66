#include "charmap.h"

#include <map>
#include <utility>

code_map owned_characters(const code_map &map)
{
	// Per character, its best claim so far: (position in a list, code).
	std::map<char32_t, std::pair<std::size_t, unsigned>> owner;
	for (unsigned code = 0; code < CODES; code++)
		for (std::size_t i = 0; i < map[code].size(); i++) {
			const std::pair claim{i, code};
			auto [at, added] = owner.try_emplace(map[code][i], claim);
			if (!added && claim < at->second)
				at->second = claim;
		}
	code_map owned;
	for (unsigned code = 0; code < CODES; code++)
		for (std::size_t i = 0; i < map[code].size(); i++)
			if (owner.at(map[code][i]) == std::pair{i, code})
				owned[code].push_back(map[code][i]);
	return owned;
}
