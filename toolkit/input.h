// Input files of the toolkit programs: "-" is standard input, and every
// failure is told in the system's words, naming the file as given.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class input_file {
public:
	// "-" reads standard input, which is never closed here. Standard output
	// being the same file, named or standard input, is refused before
	// anything is read.
	explicit input_file(std::string path);
	// A stream the caller opened and closes, such as fmemopen() of data
	// compiled into a program; name stands for it in messages.
	input_file(std::FILE *stream, std::string name);
	~input_file();
	input_file(const input_file &) = delete;
	input_file &operator=(const input_file &) = delete;

	// Up to size bytes; fewer only at the end of the file. A failing read
	// (a directory, an I/O error) ends the run.
	std::size_t read(void *bytes, std::size_t size) const;
	std::FILE *stream() const { return file_; }
	const std::string &path() const { return path_; }

private:
	std::string path_;
	std::FILE *file_;
	bool owned_ = false;
};
