// Random zirk containers for property tests, the odd cases the format can
// hold weighted in: names with bytes after their zero, any spacing byte,
// stored lengths above and below the geometry, set padding bits, heights
// of 128 and above, empty fonts, glyphs of width 0, bytes after the last
// record.
#pragma once

#include "zirkfile.h"

#include <random>

zirk_container random_container(std::mt19937 &rng);
font_record random_font(std::mt19937 &rng);
