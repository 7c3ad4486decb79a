#pragma once
#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace lomperi::testing {

// Runs a program in a pseudo-terminal so that tests can type at it and read
// everything it writes, byte for byte.
class PtySession {
public:
    struct Options {
        std::vector<std::string> environment;  // extra NAME=value entries
        unsigned short columns = 100;
        unsigned short rows = 30;
        std::string working_directory;
    };

    PtySession(const std::string& program, const Options& options);
    ~PtySession();
    PtySession(const PtySession&) = delete;
    PtySession& operator=(const PtySession&) = delete;

    bool started() const { return pid_ > 0; }
    void write(std::string_view bytes);
    void resize(unsigned short columns, unsigned short rows);
    void signal(int signo);

    // Reads until `needle` has appeared in the output after `from`, or the
    // timeout passes. Returns whether it appeared.
    bool wait_for(std::string_view needle, std::chrono::milliseconds timeout, std::size_t from = 0);
    // Reads whatever arrives within the window.
    void drain(std::chrono::milliseconds window);
    // Waits for the program to end; the raw wait status, or nothing on timeout.
    std::optional<int> wait_exit(std::chrono::milliseconds timeout);

    // Waits for the program to end without reading what it writes, as a
    // terminal that stopped reading would; the raw wait status, or nothing.
    std::optional<int> wait_exit_unread(std::chrono::milliseconds timeout);
    // The terminal settings the program left (those of the pty's slave side).
    std::optional<termios> settings() const;

    const std::string& output() const { return output_; }
    std::size_t mark() const { return output_.size(); }

private:
    bool read_some(std::chrono::milliseconds timeout);

    pid_t pid_ = -1;
    int master_ = -1;
    std::string output_;
    std::optional<int> status_;
};

// The exit code of a finished program, or 128 + the signal that ended it.
int exit_code(int wait_status);

}  // namespace lomperi::testing
