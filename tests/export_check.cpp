#include "export_check.h"

#include <set>
#include <sstream>

testing::AssertionResult each_character_once(const std::string &font, const scratch_dir &dir)
{
	std::set<unsigned long> seen;
	testing::AssertionResult result = testing::AssertionSuccess();
	const auto add = [&](unsigned long c) {
		if (!seen.insert(c).second && result)
			result = testing::AssertionFailure() << "U+" << std::hex << c << " at two codes";
	};
	std::istringstream lines(font);
	if (font.starts_with("\x72\xb5\x4a\x86")) {
		// kbd reads no larger file, and zirk2psf warns of one.
		if (font.size() > 65536)
			return result;
		const run_result r =
			run_command({"psfxtable", "-i", dir.file("check.psf", font), "-ot", dir.path("check.txt")}, {});
		if (r.status != 0)
			return testing::AssertionFailure() << r.err;
		// Per line a glyph ("0x041") and its characters as U+XXXX.
		lines.str(read_file(dir.path("check.txt")));
	}
	for (std::string line; std::getline(lines, line);) {
		if (line.starts_with("ENCODING ") && line[9] != '-')
			add(std::stoul(line.substr(9)));
		std::istringstream words(line);
		for (std::string word; line.starts_with("0x") && words >> word;)
			if (word.starts_with("U+"))
				add(std::stoul(word.substr(2), nullptr, 16));
	}
	return result;
}
