// The check every BDF and PSF the suite writes goes through: no character
// stands for two codes.
#pragma once

#include "run_korvane.h"

#include <gtest/gtest.h>

#include <string>

// font: the bytes zirk2bdf or zirk2psf wrote. A PSF's table as psfxtable
// lists it, or as the file holds it where psfxtable takes no file so large;
// a BDF's encodings.
testing::AssertionResult each_character_once(const std::string &font, const scratch_dir &dir);
