#include "support/child_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/pty_session.hpp"

namespace lomperi::testing {

Finished run_program(const std::string& program, const std::vector<std::string>& args, const std::string& input,
                     const std::vector<std::string>& environment) {
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
        for (const auto& entry : environment) putenv(const_cast<char*>(entry.c_str()));
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    signal(SIGPIPE, SIG_IGN);
    Finished finished;
    std::size_t written = 0;
    int to_child = in[1];
    if (input.empty()) {
        close(to_child);
        to_child = -1;
    }
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {to_child, POLLOUT, 0}};
    int open_outputs = 2;
    while (open_outputs > 0) {
        fds[2].fd = to_child;
        if (poll(fds, 3, 10'000) <= 0) break;
        for (int k = 0; k < 2; ++k) {
            if (fds[k].fd < 0 || fds[k].revents == 0) continue;
            char chunk[4096];
            const ssize_t n = read(fds[k].fd, chunk, sizeof chunk);
            if (n <= 0) {
                close(fds[k].fd);
                fds[k].fd = -1;
                --open_outputs;
                continue;
            }
            (k == 0 ? finished.out : finished.err).append(chunk, static_cast<std::size_t>(n));
        }
        if (to_child >= 0 && fds[2].revents != 0) {
            const ssize_t n = write(to_child, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<std::size_t>(n);
            if (n <= 0 || written == input.size()) {
                close(to_child);
                to_child = -1;
            }
        }
    }
    if (to_child >= 0) close(to_child);
    int status = 0;
    waitpid(pid, &status, 0);
    finished.status = exit_code(status);
    return finished;
}

}  // namespace lomperi::testing
