#include "core/reading/word_list.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/reading/review_entry.hpp"

namespace lomperi::reading {
namespace {

namespace fs = std::filesystem;

class WordList : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("lomperi-words-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path path() const { return dir_ / "lomperi" / "words.tsv"; }
    std::string content() const {
        std::ifstream in(path());
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    fs::path dir_;
};

TEST_F(WordList, ALineIsAddedOncePerWordAndSentence) {
    const std::string kissa = review_line({"kissa", "kissa", "basic form", "cat", "Talossa on kissa."});
    const std::string other = review_line({"kissa", "kissa", "basic form", "cat", "Kissa\tnukkuu.\n"});
    EXPECT_EQ(other, "kissa\tkissa\tbasic form\tcat\tKissa nukkuu. \n");
    EXPECT_EQ(save_review_line(path(), kissa), Saved::Added);
    EXPECT_EQ(save_review_line(path(), kissa), Saved::AlreadyThere);
    EXPECT_EQ(save_review_line(path(), other), Saved::Added);
    EXPECT_EQ(content(), kissa + other);
    EXPECT_EQ(count_review_lines(path()), 2u);
    EXPECT_EQ(count_review_lines(dir_ / "none.tsv"), 0u);
}

// A write cut short (the file size limit here, a full disk in use) leaves
// the file as it was, and says so.
TEST_F(WordList, AWriteCutShortLeavesTheFileAsItWas) {
    const std::string first = review_line({"talo", "talo", "basic form", "house", "Talo."});
    ASSERT_EQ(save_review_line(path(), first), Saved::Added);
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = first.size() + 5;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto cut = save_review_line(path(), review_line({"kissa", "kissa", "", "cat", "Kissa."}));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);
    ASSERT_FALSE(cut.has_value());
    EXPECT_NE(cut.error().report().find("cannot save to"), std::string::npos) << cut.error().report();
    ASSERT_NE(cut.error().cause(), nullptr);
    EXPECT_EQ(content(), first);
}

TEST_F(WordList, AFullDeviceIsAnError) {
    fs::create_directories(path().parent_path());
    fs::create_symlink("/dev/full", path());
    const auto saved = save_review_line(path(), "a\tb\tc\td\te\n");
    ASSERT_FALSE(saved.has_value());
    EXPECT_NE(saved.error().report().find("No space left"), std::string::npos) << saved.error().report();
}

}  // namespace
}  // namespace lomperi::reading
