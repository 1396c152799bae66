#include "run_korvane.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

std::string read_file(const std::string &path)
{
	std::ifstream in(path, std::ios::binary);
	std::ostringstream bytes;
	bytes << in.rdbuf();
	return bytes.str();
}

scratch_dir::scratch_dir()
{
	const char *tmp = std::getenv("TMPDIR");
	std::string templ = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/korvane-test-XXXXXX";
	if (mkdtemp(templ.data()) == nullptr)
		throw std::runtime_error("mkdtemp failed");
	dir = templ;
}

scratch_dir::~scratch_dir()
{
	std::error_code ignored;
	std::filesystem::permissions(dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
	                             ignored);
	std::filesystem::remove_all(dir, ignored);
}

std::string scratch_dir::path(const std::string &name) const
{
	return dir + "/" + name;
}

std::string scratch_dir::file(const std::string &name, const std::string &bytes) const
{
	std::string p = path(name);
	std::ofstream out(p, std::ios::binary | std::ios::trunc);
	out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
	if (!out)
		throw std::runtime_error("cannot write " + p);
	return p;
}

// Opens a pseudo-terminal and returns the slave side, or -1 where the
// platform offers none.
static int open_terminal(int &master)
{
	master = posix_openpt(O_RDWR | O_NOCTTY);
	if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
		return -1;
	const char *name = ptsname(master);
	return name != nullptr ? open(name, O_RDWR | O_NOCTTY) : -1;
}

// Whatever the child wrote to the terminal waits in it after the child has
// gone; reading the master side ends in EIO once it is drained.
static std::string read_terminal(int master)
{
	fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
	std::string out;
	char buffer[4096];
	for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;)
		out.append(buffer, static_cast<std::size_t>(n));
	return out;
}

// The descriptor the child's standard output goes to; -1 for none, or when
// it cannot be opened.
static int open_output(output_to out, const std::string &path, const std::string &target, int terminal)
{
	switch (out) {
	case output_to::capture: return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
	case output_to::dev_full: return open("/dev/full", O_WRONLY);
	case output_to::terminal: return terminal;
	case output_to::dev_null: return open("/dev/null", O_WRONLY);
	case output_to::append: return open(target.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
	case output_to::truncate: return open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
	case output_to::closed: break;
	}
	return -1;
}

// What the child left where its standard output went.
static std::string output_of(output_to out, const std::string &path, const std::string &target,
                             const std::string &terminal_out)
{
	switch (out) {
	case output_to::capture: return read_file(path);
	case output_to::terminal: return terminal_out;
	case output_to::append:
	case output_to::truncate: return read_file(target);
	case output_to::dev_full:
	case output_to::closed:
	case output_to::dev_null: break;
	}
	return {};
}

run_result run_command(const std::vector<std::string> &command, const std::vector<std::string> &args, output_to out,
                       const std::string &cwd, const std::string &input, const std::string &target)
{
	scratch_dir io;
	const std::string out_path = io.path("stdout");
	const std::string err_path = io.path("stderr");

	int master = -1;
	int terminal = -1;
	if (out == output_to::terminal && (terminal = open_terminal(master)) < 0)
		throw std::runtime_error("no pseudo-terminal");

	std::vector<std::string> words = command;
	words.insert(words.end(), args.begin(), args.end());
	std::vector<char *> argv;
	argv.reserve(words.size() + 1);
	for (std::string &w : words)
		argv.push_back(w.data());
	argv.push_back(nullptr);

	// Only so that the child does not repeat what this process has buffered.
	(void)std::fflush(nullptr);
	const pid_t pid = fork();
	if (pid == 0) {
		const int in = open(input.empty() ? "/dev/null" : input.c_str(), O_RDONLY);
		const int o = open_output(out, out_path, target, terminal);
		const int e = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
		if (in < 0 || e < 0 || (out != output_to::closed && o < 0) || (!cwd.empty() && chdir(cwd.c_str()) != 0))
			_exit(125);
		dup2(in, 0);
		dup2(e, 2);
		if (out == output_to::closed)
			close(1);
		else
			dup2(o, 1);
		for (const int fd : {in, e, o, master})
			if (fd > 2)
				close(fd);
		execvp(argv[0], argv.data());
		_exit(127);
	}
	if (terminal >= 0)
		close(terminal);
	int status = 0;
	std::string terminal_out;
	while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
	}
	if (master >= 0) {
		terminal_out = read_terminal(master);
		close(master);
	}

	run_result result;
	result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
	result.out = output_of(out, out_path, target, terminal_out);
	result.err = read_file(err_path);
	return result;
}

std::string progress(const std::string &shown_name)
{
	return "Writing zirk font [" + shown_name + "]..\n";
}
