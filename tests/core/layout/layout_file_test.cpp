#include "core/layout/layout_file.hpp"
#include "core/layout/layout_text.hpp"

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <stdlib.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace lomperi::layout {
namespace {

namespace fs = std::filesystem;

struct ParseCase {
    const char* name;
    std::string text;
    LayoutConfig expected;
};

TEST(ParseLayout, Values) {
    const ParseCase cases[] = {
        {"empty", "", {40, 60}},
        {"both", "left_pct = 55\nmatches_pct = 35\n", {55, 35}},
        {"only left, below range", "left_pct = 5\n", {10, 60}},
        {"both out of range", "left_pct = 95\nmatches_pct = 0\n", {90, 10}},
        {"largest value", "left_pct = 65535\n", {90, 60}},
        {"hexadecimal integer", "matches_pct = 0x20\n", {40, 32}},
        {"written text", "# lomperi layout, written automatically. Safe to delete.\nleft_pct = 30\nmatches_pct = 70\n",
         {30, 70}},
        {"carriage returns", "left_pct = 30\r\nmatches_pct = 70\r\n", {30, 70}},
        {"extra key", "left_pct = 30\ntheme = \"dark\"\nmatches_pct = 70\n", {30, 70}},
        {"extra table", "left_pct = 30\n[window]\nleft_pct = \"x\"\n", {30, 60}},
        {"negative", "left_pct = -1\nmatches_pct = 70\n", {40, 60}},
        {"float", "left_pct = 50.0\nmatches_pct = 70\n", {40, 60}},
        {"string", "left_pct = \"50\"\nmatches_pct = 70\n", {40, 60}},
        {"boolean", "matches_pct = true\nleft_pct = 30\n", {40, 60}},
        {"above 65535", "left_pct = 70000\nmatches_pct = 70\n", {40, 60}},
        {"beyond 64 bits", "left_pct = 99999999999999999999\n", {40, 60}},
        {"duplicate key", "left_pct = 30\nleft_pct = 30\nmatches_pct = 70\n", {40, 60}},
        {"dotted key", "left_pct.x = 30\nmatches_pct = 70\n", {40, 60}},
        {"not TOML", "left_pct 30\nmatches_pct = 70\n", {40, 60}},
        {"not UTF-8", "left_pct = 30\n# \xff\n", {40, 60}},
        {"non-ASCII bare key", "\xc3\xa4 = 1\nleft_pct = 20\n", {40, 60}},
        {"non-ASCII where the parser looks for whitespace", std::string("left_pct = 0\x0e\x01\x00\x00x\"\xc3\xa4\"\n", 22), {40, 60}},
        {"non-ASCII in strings and comments", "# p\xc3\xa4iv\xc3\xa4\nname = \"\xc3\xa4\"\nold = '\xc3\xb6'\nleft_pct = 20\n",
         {20, 60}},
        {"brackets and dots inside strings", "note = \"[[[[[[[[[[[[[[[[[[[[[[....................\"\nleft_pct = 20\n",
         {20, 60}},
        {"multi-line strings", "a = \"\"\"x\n\xc3\xa4\"\"\"\"\nb = '''y\n'''\nleft_pct = 20\n", {20, 60}},
        {"deeply nested tables", "[t" + [] {
             std::string dots;
             for (int i = 0; i < 34000; ++i) dots += ".t";
             return dots;
         }() + "]\nleft_pct = 20\n", {40, 60}},
        {"deeply nested arrays", "a = " + std::string(20, '[') + std::string(20, ']') + "\nleft_pct = 20\n", {40, 60}},
        {"longer than 64 KiB", "left_pct = 20\n" + std::string(64 * 1024, '#'), {40, 60}},
        {"just under the limit", "left_pct = 20\n#" + std::string(64 * 1024 - 16, 'x'), {20, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parse_layout(c.text), c.expected);
    }
}

TEST(LayoutText, ExactLinesWithClampedValues) {
    EXPECT_EQ(layout_text({25, 75}),
              "# lomperi layout, written automatically. Safe to delete.\nleft_pct = 25\nmatches_pct = 75\n");
    EXPECT_EQ(layout_text({0, 1000}),
              "# lomperi layout, written automatically. Safe to delete.\nleft_pct = 10\nmatches_pct = 90\n");
    EXPECT_EQ(parse_layout(layout_text({33, 66})), (LayoutConfig{33, 66}));
}

// A fresh directory per test, with the beside-the-executable and home
// locations inside it.
class LayoutFiles : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "lomperi-layout-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "bin");
        paths_.beside_executable = root_ / "bin" / "lomperi.toml";
        paths_.home = root_ / "home" / ".config" / "lomperi" / "lomperi.toml";
    }
    void TearDown() override { fs::remove_all(root_); }

    static void write(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::optional<std::string> read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path root_;
    LayoutPaths paths_;
};

struct LoadCase {
    const char* name;
    std::optional<std::string> beside;  // "<dir>" makes a directory of that name
    std::optional<std::string> home;
    bool beside_location = true;
    LayoutConfig expected;
    bool home_newer = false;
};

// Sets the file's time of last writing `seconds` into the past.
void age(const fs::path& path, int seconds) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(seconds));
}

TEST_F(LayoutFiles, LoadPrecedence) {
    const std::string valid_beside = "left_pct = 20\nmatches_pct = 30\n";
    const std::string valid_home = "left_pct = 70\nmatches_pct = 80\n";
    const LoadCase cases[] = {
        {"no file", std::nullopt, std::nullopt, true, {40, 60}},
        {"beside only", valid_beside, std::nullopt, true, {20, 30}},
        {"home only", std::nullopt, valid_home, true, {70, 80}},
        {"beside wins", valid_beside, valid_home, true, {20, 30}},
        {"invalid beside hides home", "left_pct = 50.0\n", valid_home, true, {40, 60}},
        {"empty beside hides home", "", valid_home, true, {40, 60}},
        {"unreadable beside", "<dir>", valid_home, true, {70, 80}},
        {"a FIFO beside is passed over without blocking", "<fifo>", valid_home, true, {70, 80}},
        {"beside not UTF-8", "left_pct = 20\n# \xc3\n", valid_home, true, {70, 80}},
        {"home not UTF-8", std::nullopt, "left_pct = 20\n# \xc3\n", true, {40, 60}},
        {"no executable path", valid_beside, valid_home, false, {70, 80}},
        {"home clamped", std::nullopt, "left_pct = 95\nmatches_pct = 0\n", true, {90, 10}},
        {"a newer home file wins: the last save went there", valid_beside, valid_home, true, {70, 80}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(*paths_.beside_executable);
        fs::remove_all(paths_.home);
        if (c.beside == "<dir>") {
            fs::create_directories(*paths_.beside_executable);
        } else if (c.beside == "<fifo>") {
            ASSERT_EQ(mkfifo(paths_.beside_executable->c_str(), 0600), 0);
        } else if (c.beside) {
            write(*paths_.beside_executable, *c.beside);
        }
        if (c.home) write(paths_.home, *c.home);
        if (c.home && c.beside && !c.beside->starts_with("<")) age(c.home_newer ? *paths_.beside_executable : paths_.home, 60);
        LayoutPaths paths = paths_;
        if (!c.beside_location) paths.beside_executable.reset();
        EXPECT_EQ(load_layout(paths), c.expected);
    }
}

TEST_F(LayoutFiles, SaveBesideTheExecutable) {
    write(*paths_.beside_executable, "left_pct = 20\nsome = \"much longer old content\"\n");
    save_layout({25, 75}, paths_);
    EXPECT_EQ(read(*paths_.beside_executable), layout_text({25, 75}));
    EXPECT_FALSE(fs::exists(paths_.home));
    EXPECT_EQ(load_layout(paths_), (LayoutConfig{25, 75}));
}

TEST_F(LayoutFiles, SaveFallsBackToHomeCreatingDirectories) {
    struct Case {
        const char* name;
        std::optional<fs::path> beside;
    };
    fs::create_directories(root_ / "plain-file-parent");
    write(root_ / "not-a-directory", "x");
    const Case cases[] = {
        {"executable directory is a file", root_ / "not-a-directory" / "lomperi.toml"},
        {"executable directory missing", root_ / "missing" / "lomperi.toml"},
        {"beside path is a directory", root_ / "plain-file-parent"},
        {"no executable path", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root_ / "home");
        LayoutPaths paths{c.beside, paths_.home};
        save_layout({15, 85}, paths);
        EXPECT_EQ(read(paths_.home), layout_text({15, 85}));
        EXPECT_EQ(load_layout(paths), (LayoutConfig{15, 85}));
    }
}

TEST_F(LayoutFiles, SaveIgnoresFailureEverywhere) {
    write(root_ / "blocker", "x");
    const LayoutPaths paths{root_ / "blocker" / "lomperi.toml", root_ / "blocker" / "home" / "lomperi.toml"};
    save_layout({15, 85}, paths);
    EXPECT_EQ(read(root_ / "blocker"), "x");
    EXPECT_EQ(load_layout(paths), LayoutConfig{});
}

// Under a file-size limit (the same path as a full disk: the write fails
// part-way) the old file stays whole and no partial file is left beside it.
TEST_F(LayoutFiles, AFailedSaveKeepsTheOldFile) {
    const std::string old = layout_text({20, 30});
    write(*paths_.beside_executable, old);
    write(paths_.home, layout_text({70, 80}));
    age(paths_.home, 60);
    const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit tiny = previous;
    tiny.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    save_layout({55, 45}, paths_);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previous_handler);
    EXPECT_EQ(read(*paths_.beside_executable), old);
    EXPECT_EQ(read(paths_.home), layout_text({70, 80}));
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "bin"), fs::directory_iterator{}), 1);
    EXPECT_EQ(load_layout(paths_), (LayoutConfig{20, 30}));
}

// A save that could not write beside the executable is read back next time.
TEST_F(LayoutFiles, AHomeSaveIsReadBackOverAnOlderBesideFile) {
    write(*paths_.beside_executable, "left_pct = 20\n");
    age(*paths_.beside_executable, 60);
    save_layout({70, 70}, {std::nullopt, paths_.home});
    EXPECT_EQ(load_layout(paths_), (LayoutConfig{70, 70}));
}

// A layout file that is a link stays one: the file it points at is rewritten.
TEST_F(LayoutFiles, ASaveWritesThroughALink) {
    const fs::path target = root_ / "dotfiles" / "lomperi.toml";
    write(target, "left_pct = 20\n");
    fs::create_symlink(target, *paths_.beside_executable);
    save_layout({33, 44}, paths_);
    EXPECT_TRUE(fs::is_symlink(*paths_.beside_executable));
    EXPECT_EQ(read(target), layout_text({33, 44}));
    EXPECT_EQ(load_layout(paths_), (LayoutConfig{33, 44}));
}

TEST(DefaultLayoutPaths, HomeAndExecutable) {
    const char* saved = std::getenv("HOME");
    const std::optional<std::string> old = saved ? std::optional<std::string>(saved) : std::nullopt;

    setenv("HOME", "/home/someone", 1);
    LayoutPaths paths = default_layout_paths();
    EXPECT_EQ(paths.home, fs::path("/home/someone/.config/lomperi/lomperi.toml"));
    ASSERT_TRUE(paths.beside_executable.has_value());
    EXPECT_EQ(paths.beside_executable->filename(), "lomperi.toml");
    EXPECT_TRUE(fs::is_directory(paths.beside_executable->parent_path()));

    setenv("HOME", "/home/\xff", 1);
    EXPECT_EQ(default_layout_paths().home, fs::path("./.config/lomperi/lomperi.toml"));
    unsetenv("HOME");
    EXPECT_EQ(default_layout_paths().home, fs::path("./.config/lomperi/lomperi.toml"));

    if (old) setenv("HOME", old->c_str(), 1);
}

}  // namespace
}  // namespace lomperi::layout
