// The end-to-end tests take the command that runs korvane as their trailing
// arguments, so that the same suite can drive a binary under an emulator.
#include "run_korvane.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
	testing::InitGoogleTest(&argc, argv);
	set_korvane_command(std::vector<std::string>(argv + 1, argv + argc));
	return RUN_ALL_TESTS();
}
