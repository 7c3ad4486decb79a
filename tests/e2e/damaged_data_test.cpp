// The real program over damaged embedded data: the error report on standard
// error and exit status 1, with nothing written to standard output.
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const std::filesystem::path& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        std::array<char, 4096> buffer;
        std::size_t n;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) text.append(buffer.data(), n);
        std::fclose(file);
    }
    return text;
}

// Runs the program with no terminal: stdin from /dev/null, both outputs to files.
Outcome run_program(const std::string& program) {
    const auto dir = std::filesystem::temp_directory_path() / ("lomperi-damaged-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto out = dir / "out";
    const auto err = dir / "err";
    const std::string command = "HOME='" + dir.string() + "' '" + program + "' </dev/null >'" + out.string() + "' 2>'" +
                                err.string() + "'";
    const int raw = std::system(command.c_str());
    Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
    std::filesystem::remove_all(dir);
    return outcome;
}

TEST(DamagedData, StartUpFailsWithTheExactReport) {
    const struct {
        const char* program;
        const char* stderr_text;
    } cases[] = {
        {LOMPERI_DAMAGED_MAGIC_PROGRAM, "Error: parsing glosses.bin header\n\nCaused by:\n    bad magic\n"},
        {LOMPERI_DAMAGED_MULTI_PROGRAM, "Error: parsing inflections-multi.bin\n\nCaused by:\n    bad multi magic\n"},
        {LOMPERI_DAMAGED_ANALYSER_PROGRAM, "Error: parsing mor.vfst\n\nCaused by:\n    vfst: not a little-endian transducer\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run_program(c.program);
        EXPECT_EQ(outcome.status, 1) << c.program;
        EXPECT_EQ(outcome.err, c.stderr_text) << c.program;
        EXPECT_EQ(outcome.out, "") << c.program;
    }
}

// The shipped data loads; whatever the program then does without a terminal,
// no loading error reaches standard error.
TEST(DefaultData, LoadsWithoutADataError) {
    const Outcome outcome = run_program(LOMPERI_DEFAULT_PROGRAM);
    EXPECT_TRUE(outcome.status == 0 || outcome.status == 1) << outcome.status << ": " << outcome.err;
    for (const char* sign : {"glosses", "inflections", "zstd", "plain size", "FST error", "non-utf8"}) {
        EXPECT_EQ(outcome.err.find(sign), std::string::npos) << outcome.err;
    }
}

}  // namespace
