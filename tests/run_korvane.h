// Runs the built korvane as a separate process and collects what a caller
// sees: the bytes on standard output, the text on standard error, the status.
#pragma once

#include <string>
#include <vector>

// Where the child's standard output goes.
enum class output_to {
	capture,   // a file, read back into result.out
	dev_full,  // /dev/full: every write fails for want of space
	closed,    // descriptor 1 closed before the program starts
	terminal,  // the slave side of a pseudo-terminal, read back into result.out
};

struct run_result {
	std::string out;
	std::string err;
	int status = -1;  // the exit status, or 128 + signal number
};

// The command words that start korvane (an emulator may come first), taken
// from the test program's own arguments, which CTest supplies.
void set_korvane_command(std::vector<std::string> words);

// Runs korvane with args in working directory cwd (left empty, the test's own).
run_result run_korvane(const std::vector<std::string> &args, output_to out = output_to::capture,
                       const std::string &cwd = {});

// Runs any program the same way: command is its words (an emulator or a
// checker may come first), and the file named by input, when not empty,
// is its standard input instead of /dev/null.
run_result run_command(const std::vector<std::string> &command, const std::vector<std::string> &args,
                       output_to out = output_to::capture, const std::string &cwd = {}, const std::string &input = {});

// The line korvane writes to standard error before a font's record.
std::string progress(const std::string &shown_name);

// A fresh directory for one test's files, removed with its contents at the end.
struct scratch_dir {
	scratch_dir();
	~scratch_dir();
	scratch_dir(const scratch_dir &) = delete;
	scratch_dir &operator=(const scratch_dir &) = delete;

	// Writes bytes to name inside the directory and returns the full path.
	std::string file(const std::string &name, const std::string &bytes) const;
	std::string path(const std::string &name) const;

	std::string dir;
};

std::string read_file(const std::string &path);
