// Inputs that change while korvane runs. The input path is a link to a named
// pipe; each opening of it is served by a pipe of its own, and the link moves
// on to the next pipe the moment korvane has opened the current one. So the
// change lands at an exact point of the run, however slow the machine.
#include "run_program.h"
#include "zirk_builder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

class changing_file {
public:
	// Opening k of path reads openings[k]; once they are used up the path
	// is gone.
	changing_file(std::string path, std::vector<std::string> openings)
	    : path_(std::move(path)), openings_(std::move(openings))
	{
		// Cannot fail: SIGPIPE is a valid signal to ignore.
		(void)std::signal(SIGPIPE, SIG_IGN);
		for (std::size_t k = 0; k < openings_.size(); k++)
			if (mkfifo(pipe_name(k).c_str(), 0600) != 0)
				throw std::runtime_error("mkfifo failed");
		point_at(0);
		writer_ = std::thread([this] { serve(); });
	}

	~changing_file()
	{
		// A run that ended early leaves the writer waiting for a reader.
		for (std::size_t k = 0; k < openings_.size(); k++) {
			const int fd = open(pipe_name(k).c_str(), O_RDONLY | O_NONBLOCK);
			if (fd >= 0)
				close(fd);
		}
		writer_.join();
	}

private:
	std::string pipe_name(std::size_t k) const { return path_ + ".pipe" + std::to_string(k); }

	void point_at(std::size_t k)
	{
		unlink(path_.c_str());
		if (k < openings_.size() && symlink(pipe_name(k).c_str(), path_.c_str()) != 0)
			throw std::runtime_error("symlink failed");
	}

	void serve()
	{
		for (std::size_t k = 0; k < openings_.size(); k++) {
			const int fd = open(pipe_name(k).c_str(), O_WRONLY);
			if (fd < 0)
				return;
			point_at(k + 1);
			const char *p = openings_[k].data();
			std::size_t left = openings_[k].size();
			for (ssize_t n; left > 0 && (n = write(fd, p, left)) > 0;) {
				p += n;
				left -= static_cast<std::size_t>(n);
			}
			close(fd);
		}
	}

	std::string path_;
	std::vector<std::string> openings_;
	std::thread writer_;
};

const test_font steady{.name = "steady", .seed = 1};
const test_font moving{.name = "moving", .seed = 2};

}  // namespace

// korvane opens an input to check it, again to take its count before copying,
// then once for every font it loads.

TEST(changing_input, file_that_gains_a_font_is_refused_before_the_extra_one)
{
	const scratch_dir dir;
	const std::string fixed = dir.file("steady.zirk", container_of({steady}));
	const std::string one = container_of({moving});
	const std::string two = container_of({moving, moving});
	changing_file pipe(dir.path("moving"), {one, two, two});

	const run_result r = run_program("korvane", {fixed, dir.path("moving")});
	EXPECT_EQ(r.status, 1);
	EXPECT_EQ(r.out, container_with_count(2, record(steady) + record(moving)));
	EXPECT_EQ(r.err, progress("steady") + progress("moving") + "Error: font file changed while joining\n");
}

TEST(changing_input, file_that_loses_its_fonts_is_refused_at_the_end)
{
	const scratch_dir dir;
	const std::string fixed = dir.file("steady.zirk", container_of({steady}));
	changing_file pipe(dir.path("moving"), {container_of({moving}), container({})});

	const run_result r = run_program("korvane", {dir.path("moving"), fixed});
	EXPECT_EQ(r.status, 1);
	EXPECT_EQ(r.out, container_with_count(2, record(steady)));
	EXPECT_EQ(r.err, progress("steady") + "Error: font file changed while joining\n");
}

// The file is the same at the check and when its count is taken; the
// loader's own opening then finds it changed.
TEST(changing_input, file_that_changes_under_the_loader_is_refused)
{
	const std::string one = container_of({moving});
	struct row {
		const char *change;
		std::vector<std::string> openings;
		std::string err;
	};
	const std::vector<row> rows{
		{"count shrinks", {one, one, container({})}, "Error: requested fontno not in fontfile\n"},
		{"file vanishes", {one, one}, "Error: File not found.\n"},
		{"cut inside the container header", {one, one, one.substr(0, 5)}, "Error: font file is truncated\n"},
	};
	for (const row &w : rows) {
		SCOPED_TRACE(w.change);
		const scratch_dir dir;
		const std::string fixed = dir.file("steady.zirk", container_of({steady}));
		changing_file pipe(dir.path("moving"), w.openings);

		const run_result r = run_program("korvane", {fixed, dir.path("moving")});
		EXPECT_EQ(r.status, 1);
		EXPECT_EQ(r.out, container_with_count(2, record(steady)));
		EXPECT_EQ(r.err, progress("steady") + w.err);
	}
}
