// The sheet as a PNG image on standard output, through libpng.
#pragma once

#include "draw.h"

#include <cstdint>
#include <functional>

// Fills a row of the image, one palette index a byte, for the row number
// given; rows are asked for in order, from the top, and row holds the one
// before, so that a row repeated need not be drawn again.
using row_source = std::function<void(std::uint32_t y, std::vector<unsigned char> &row)>;

// Writes a width by height image of PALETTE's colours, four bits a pixel.
// Any fault on the way, libpng's own included, ends the run with a message.
void write_png(std::uint32_t width, std::uint32_t height, const row_source &rows);
