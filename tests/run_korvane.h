// Runs a program as a separate process and collects what a caller sees:
// the bytes on standard output, the text on standard error, the status.
#pragma once

#include <string>
#include <vector>

// Where the child's standard output goes.
enum class output_to {
	capture,   // a file, read back into result.out
	dev_full,  // /dev/full: every write fails for want of space
	closed,    // descriptor 1 closed before the program starts
	terminal,  // the slave side of a pseudo-terminal, read back into result.out
	dev_null,  // /dev/null
	append,    // the file named by target, opened as the shell's >> opens it
	truncate,  // the file named by target, opened as the shell's > opens it
};

struct run_result {
	std::string out;
	std::string err;
	int status = -1;  // the exit status, or 128 + signal number
};

// Runs a command with args in working directory cwd (left empty, the
// test's own): command is its words (a program under test is started by
// run_program, which puts the wrapper first). The file named by input, when
// not empty, is its standard input instead of /dev/null. For append and
// truncate, result.out is the whole target file after the run.
run_result run_command(const std::vector<std::string> &command, const std::vector<std::string> &args,
                       output_to out = output_to::capture, const std::string &cwd = {}, const std::string &input = {},
                       const std::string &target = {});

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
