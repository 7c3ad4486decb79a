#include "support/pty_session.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

namespace lomperi::testing {

PtySession::PtySession(const std::string& program, const Options& options) {
    winsize size{};
    size.ws_col = options.columns;
    size.ws_row = options.rows;
    pid_ = forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ == 0) {
        if (!options.working_directory.empty() && chdir(options.working_directory.c_str()) != 0) _exit(126);
        for (const auto& entry : options.environment) putenv(const_cast<char*>(entry.c_str()));
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

PtySession::~PtySession() {
    if (pid_ > 0 && !status_) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    if (master_ >= 0) close(master_);
}

void PtySession::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void PtySession::resize(unsigned short columns, unsigned short rows) {
    winsize size{};
    size.ws_col = columns;
    size.ws_row = rows;
    ioctl(master_, TIOCSWINSZ, &size);
}

void PtySession::signal(int signo) { kill(pid_, signo); }

bool PtySession::read_some(std::chrono::milliseconds timeout) {
    pollfd fd{master_, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(timeout.count())) <= 0) return false;
    char chunk[4096];
    const ssize_t n = ::read(master_, chunk, sizeof chunk);
    if (n <= 0) return false;
    output_.append(chunk, static_cast<std::size_t>(n));
    return true;
}

bool PtySession::wait_for(std::string_view needle, std::chrono::milliseconds timeout, std::size_t from) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (output_.find(needle, from) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        if (!read_some(left) && status_) return false;
    }
    return true;
}

void PtySession::drain(std::chrono::milliseconds window) {
    const auto deadline = std::chrono::steady_clock::now() + window;
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return;
        read_some(left);
    }
}

std::optional<int> PtySession::wait_exit(std::chrono::milliseconds timeout) {
    if (status_) return status_;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        read_some(std::chrono::milliseconds(20));
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            while (read_some(std::chrono::milliseconds(20))) {
            }
            status_ = status;
            return status_;
        }
    }
    return std::nullopt;
}

std::optional<int> PtySession::wait_exit_unread(std::chrono::milliseconds timeout) {
    if (status_) return status_;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = status;
            return status_;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}

std::optional<termios> PtySession::settings() const {
    termios t{};
    if (tcgetattr(master_, &t) != 0) return std::nullopt;
    return t;
}

int exit_code(int wait_status) {
    if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
    if (WIFSIGNALED(wait_status)) return 128 + WTERMSIG(wait_status);
    return -1;
}

}  // namespace lomperi::testing
