#pragma once
// The real program, copied into a temporary directory, in a pseudo-terminal.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "support/pty_session.hpp"
#include "support/screen_model.hpp"

namespace lomperi::testing {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

inline constexpr std::string_view kStartup = "\x1b[?1049h\x1b[?1000h\x1b[?1002h\x1b[?1003h\x1b[?1015h\x1b[?1006h\x1b[?2004h";
inline constexpr std::string_view kTeardown = "\x1b[?2004l\x1b[?1006l\x1b[?1015l\x1b[?1003l\x1b[?1002l\x1b[?1000l\x1b[?1049l\x1b[?25h";
inline constexpr auto kPatience = 10s;

// A private copy of the program in a temporary directory, so that the layout
// file it writes beside itself lands there, with HOME inside it as well.
class Program {
public:
    explicit Program(const char* program = LOMPERI_E2E_PROGRAM) {
        char pattern[] = "/tmp/lomperi-e2e-XXXXXX";
        dir_ = mkdtemp(pattern);
        fs::copy_file(program, dir_ / "lomperi");
        fs::create_directories(dir_ / "home");
    }
    ~Program() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path dir() const { return dir_; }
    PtySession start(unsigned short columns = 100, unsigned short rows = 30) const {
        PtySession::Options options;
        options.columns = columns;
        options.rows = rows;
        options.environment = {"HOME=" + (dir_ / "home").string(), "NO_COLOR="};
        return PtySession((dir_ / "lomperi").string(), options);
    }

private:
    fs::path dir_;
};

// Reads the program's output into a screen model until the screen satisfies
// the condition.
inline bool wait_for_screen(PtySession& session, ScreenModel& screen, std::size_t& seen,
                     const std::function<bool(const ScreenModel&)>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        session.drain(50ms);
        screen.apply(std::string_view(session.output()).substr(seen));
        seen = session.output().size();
        if (condition(screen)) return true;
    }
    return false;
}

inline bool shows(PtySession& session, ScreenModel& screen, std::size_t& seen, std::string_view text) {
    return wait_for_screen(session, screen, seen, [&](const ScreenModel& s) { return s.contains(text); });
}

inline std::string sgr_mouse(int button, int column, int row, bool release = false) {
    return "\x1b[<" + std::to_string(button) + ";" + std::to_string(column + 1) + ";" + std::to_string(row + 1) +
           (release ? "m" : "M");
}

inline void expect_clean_exit(PtySession& session, int expected_status) {
    auto status = session.wait_exit(kPatience);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    EXPECT_EQ(exit_code(*status), expected_status);
    EXPECT_TRUE(session.output().ends_with(kTeardown)) << "the terminal must be restored last";
}

}  // namespace lomperi::testing
