#include "core/reading/word_list.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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
    EXPECT_EQ(cut.error().cause()->message(), "File too large");
    EXPECT_EQ(content(), first);
}

// Whatever is not a regular file is refused before anything is written: a
// FIFO without a reader would take the line and lose it (or block the
// screen), a device is no list of words.
TEST_F(WordList, AnythingButARegularFileIsRefused) {
    const std::pair<const char*, std::function<void(const fs::path&)>> cases[] = {
        {"a FIFO without a reader", [](const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); }},
        {"a full device", [](const fs::path& at) { fs::create_symlink("/dev/full", at); }},
        {"the null device", [](const fs::path& at) { fs::create_symlink("/dev/null", at); }},
    };
    for (const auto& [name, make] : cases) {
        fs::remove_all(dir_);
        fs::create_directories(path().parent_path());
        make(path());
        const auto saved = save_review_line(path(), "a\tb\tc\td\te\n");
        ASSERT_FALSE(saved.has_value()) << name;
        ASSERT_NE(saved.error().cause(), nullptr) << name;
        EXPECT_EQ(saved.error().cause()->message(), "not a regular file") << name;
        const auto counted = count_review_lines(path());
        ASSERT_FALSE(counted.has_value()) << name;
        EXPECT_NE(counted.error().report().find("not a regular file"), std::string::npos) << name;
    }
}

// Fields as spreadsheets and flash-card importers read a tab-separated file
// (Python's csv with the excel-tab dialect): a field that begins with a quote
// is quoted, "" in it stands for one quote, and a tab or a line feed inside
// the quotes belongs to the field; after the closing quote the rest of the
// field is taken as it is.
std::vector<std::vector<std::string>> read_as_importers_do(std::string_view text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == '"') {
            for (++at; at < text.size(); ++at) {
                if (text[at] != '"') {
                    field += text[at];
                } else if (at + 1 < text.size() && text[at + 1] == '"') {
                    field += '"';
                    ++at;
                } else {
                    ++at;
                    break;
                }
            }
        }
        while (at < text.size() && text[at] != '\t' && text[at] != '\n') field += text[at++];
        record.push_back(std::exchange(field, {}));
        if (at < text.size() && text[at] == '\n') records.push_back(std::exchange(record, {}));
        ++at;
    }
    if (!record.empty()) records.push_back(record);
    return records;
}

std::string one_line(std::string text) {
    std::ranges::replace(text, '\t', ' ');
    std::ranges::replace(text, '\n', ' ');
    std::ranges::replace(text, '\r', ' ');
    return text;
}

TEST_F(WordList, EveryCardIsReadBackWholeByImporters) {
    const ReviewEntry entries[] = {
        {"Talo", "talo", "basic form", "house, home", "\"Talo on iso."},
        {"sanoi", "sanoa", "past, 3sg", "say, tell", "Kissa sanoi \"hei\" koiralle."},
        {"kotiin", "koti", "illative singular", "home", "Koira juoksi kotiin.\""},
        {"Lintu", "lintu", "basic form", "bird", "\" Lintu lensi."},
        {"Kala", "kala", "basic form", "fish", "\"\" Kala ui."},
        {"yötä", "yö", "partitive singular", "night", "\"Hyvää yötä\", sanoi lapsi."},
        {"Mene", "mennä", "imperative, 2sg", "go", "\"Mene!\""},
        {"on", "olla", "present, 3sg", "be", "Puu\ton\nvihreä\r."},
        {"\"", "", "", "", "\""},
        {"a", "\"so-called\"", "", "\"the\" (article)", "\"\""},
        {"iso", "iso", "", "big", "\t\"Iso\" talo."},
        {"loppu", "loppu", "basic form", "end", "Loppu."},
    };
    std::vector<std::vector<std::string>> expected;
    for (const ReviewEntry& entry : entries) {
        ASSERT_EQ(save_review_line(path(), review_line(entry)), Saved::Added) << entry.sentence;
        expected.push_back({one_line(entry.word), one_line(entry.lemma), one_line(entry.labels),
                            one_line(entry.meaning), one_line(entry.sentence)});
    }
    EXPECT_EQ(read_as_importers_do(content()), expected);
    EXPECT_EQ(count_review_lines(path()), std::size(entries));
    for (const ReviewEntry& entry : entries) {
        EXPECT_EQ(save_review_line(path(), review_line(entry)), Saved::AlreadyThere) << entry.sentence;
    }
}

// Lines written by earlier versions, which wrote every field as it was, are
// recognised as the same word and sentence.
TEST_F(WordList, ALineWrittenEarlierIsRecognised) {
    struct Case {
        const char* stored;
        ReviewEntry entry;
        Saved expected;
    };
    const Case cases[] = {
        {"kissa\tkissa\t\tcat\tKissa nukkuu.\n", {"kissa", "kissa", "", "cat", "Kissa nukkuu."}, Saved::AlreadyThere},
        {"Talo\ttalo\tbasic form\thouse\t\"Talo on iso.\n", {"Talo", "talo", "", "house", "\"Talo on iso."},
         Saved::AlreadyThere},
        {"Mene\tmennä\t\tgo\t\"Mene!\"\n", {"Mene", "mennä", "", "go", "\"Mene!\""}, Saved::AlreadyThere},
        {"Mene\tmennä\t\tgo\t\"Mene!\"\n", {"Mene", "mennä", "", "go", "Mene!"}, Saved::Added},
        {"sanoi\tsanoa\t\tsay\tHän sanoi \"ei\".\n", {"sanoi", "sanoa", "", "say", "Hän sanoi \"ei\"."},
         Saved::AlreadyThere},
        {"on\tolla\t\tbe\tPuu on vihreä.\n", {"on", "olla", "", "be", "Puu\ton\nvihreä."}, Saved::AlreadyThere},
        {"on\tolla\t\tbe\tPuu on vihreä.", {"Puu", "puu", "", "tree", "Puu on vihreä."}, Saved::Added},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir_);
        fs::create_directories(path().parent_path());
        std::ofstream(path()) << c.stored;
        EXPECT_EQ(save_review_line(path(), review_line(c.entry)), c.expected) << c.stored;
        const std::string stored_line = std::string(c.stored).ends_with('\n') ? c.stored : c.stored + std::string("\n");
        if (c.expected == Saved::Added) {
            EXPECT_EQ(content(), stored_line + review_line(c.entry)) << c.stored;
        }
    }
}

// A file far over what is read on a save (a sparse one here): the line of
// the same word and sentence at its end is still found, a new line is added
// on a line of its own, and only the end of the file is read.
TEST_F(WordList, ALargeFileIsSearchedAtItsEnd) {
    constexpr off_t kLarge = off_t{100} << 20;
    const std::string kissa = review_line({"kissa", "kissa", "", "cat", "\"Kissa\" nukkuu."});
    fs::create_directories(path().parent_path());
    {
        std::ofstream(path()) << "";
        fs::resize_file(path(), kLarge);
        std::ofstream out(path(), std::ios::app);
        out << "\n" << kissa;
        for (int k = 0; k < 2000; ++k) out << review_line({"talo", "talo", "", "house", "Talo " + std::to_string(k) + "."});
        out << "koira\tkoira\t\tdog\tKoira.";
    }
    EXPECT_EQ(save_review_line(path(), kissa), Saved::AlreadyThere);
    const std::string hiiri = review_line({"hiiri", "hiiri", "", "mouse", "Hiiri."});
    EXPECT_EQ(save_review_line(path(), hiiri), Saved::Added);
    std::ifstream in(path());
    in.seekg(-static_cast<std::streamoff>(hiiri.size() + 32), std::ios::end);
    std::string tail(std::istreambuf_iterator<char>(in), {});
    EXPECT_TRUE(tail.ends_with("Koira.\n" + hiiri)) << tail;
}

}  // namespace
}  // namespace lomperi::reading
