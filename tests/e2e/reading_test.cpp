// The reading pane in a pseudo-terminal: a file, standard input with the keys
// from the terminal, a paste, saving words, resizing.
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "program.hpp"

namespace lomperi::testing {
namespace {

constexpr std::string_view kRight = "\x1b[C";
constexpr std::string_view kEnd = "\x1b[F";

// A script in the program's directory that runs `command` with "$dir" set to it.
PtySession start_script(const Program& program, const std::string& command, unsigned short columns = 100,
                        unsigned short rows = 30) {
    const fs::path script = program.dir() / "run";
    {
        std::ofstream out(script);
        out << "#!/bin/sh\ndir=\"$(dirname \"$0\")\"\nexport HOME=\"$dir/home\"\n" << command << "\n";
    }
    fs::permissions(script, fs::perms::owner_all);
    PtySession::Options options;
    options.columns = columns;
    options.rows = rows;
    return PtySession(script.string(), options);
}

void write_text(const Program& program, std::string_view text) {
    std::ofstream(program.dir() / "text.txt") << text;
}

std::string saved_words(const Program& program) {
    std::ifstream in(program.dir() / "home" / ".local" / "share" / "lomperi" / "words.tsv");
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

TEST(Reading, AFileWordByWordAndAWordSavedForReview) {
    Program program;
    write_text(program, "Talo on iso.\nKissa ja koira.\n");
    auto session = start_script(program, "exec \"$dir/lomperi\" --read \"$dir/text.txt\"");
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "word 1 of 6")) << screen.row(0);
    EXPECT_TRUE(shows(session, screen, seen, "house"));
    session.write(std::string(kRight) + std::string(kRight));
    ASSERT_TRUE(shows(session, screen, seen, "word 3 of 6"));
    EXPECT_TRUE(shows(session, screen, seen, "big, large"));
    session.write("s");
    ASSERT_TRUE(shows(session, screen, seen, "saved iso"));
    session.write("s");
    ASSERT_TRUE(shows(session, screen, seen, "already saved iso"));
    EXPECT_EQ(saved_words(program), "iso\tiso\t\tbig, large\tTalo on iso.\n");
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

TEST(Reading, StandardInputWithTheKeysFromTheTerminal) {
    Program program;
    auto session = start_script(program, "printf 'kissa koira\\n' | \"$dir/lomperi\" --read -");
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "standard input · word 1 of 2")) << screen.row(0);
    session.write(kRight);
    ASSERT_TRUE(shows(session, screen, seen, "word 2 of 2"));
    EXPECT_TRUE(shows(session, screen, seen, "dog"));
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

TEST(Reading, APastedTextOpensTheReadingPaneAndEscGoesBack) {
    Program program;
    auto session = program.start();
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "lomperi"));
    session.write("\x1b[200~kissa ja koira\x1b[201~");
    ASSERT_TRUE(shows(session, screen, seen, "pasted text · word 1 of 3"));
    session.write("\x1b");
    ASSERT_TRUE(wait_for_screen(session, screen, seen, [](const ScreenModel& s) { return !s.contains("pasted text"); }));
    EXPECT_TRUE(screen.contains("lomperi"));
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

// A full disk: the file size limit fails the write the same way (the full
// device is no regular file and is refused before anything is written).
TEST(Reading, AFullDiskIsShownAndTheReadingGoesOn) {
    Program program;
    write_text(program, "talo kissa\n");
    auto session = start_script(program, "ulimit -f 0\nexec \"$dir/lomperi\" --read \"$dir/text.txt\"");
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "word 1 of 2"));
    session.write("s");
    ASSERT_TRUE(shows(session, screen, seen, "not saved: File too large"));
    session.write(kRight);
    EXPECT_TRUE(shows(session, screen, seen, "word 2 of 2"));
    session.write("\x1b");
    expect_clean_exit(session, 0);
    EXPECT_EQ(saved_words(program), "");
}

TEST(Reading, AFifoIsNoPlaceForTheWords) {
    Program program;
    write_text(program, "talo kissa\n");
    const fs::path words = program.dir() / "home" / ".local" / "share" / "lomperi" / "words.tsv";
    fs::create_directories(words.parent_path());
    ASSERT_EQ(::mkfifo(words.c_str(), 0600), 0);
    auto session = start_script(program, "exec \"$dir/lomperi\" --read \"$dir/text.txt\"");
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "word 1 of 2"));
    session.write("s");
    ASSERT_TRUE(shows(session, screen, seen, "not saved: not a regular file")) << screen.row(1);
    session.write(kRight);
    EXPECT_TRUE(shows(session, screen, seen, "word 2 of 2"));
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

TEST(Reading, AResizeRewrapsAndKeepsTheCurrentWordInView) {
    Program program;
    std::string text;
    for (int i = 0; i < 200; ++i) text += "talo kissa koira ";
    text += "loppusana\n";
    write_text(program, text);
    auto session = start_script(program, "exec \"$dir/lomperi\" --read \"$dir/text.txt\"");
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "word 1 of 601"));
    session.write(kEnd);
    ASSERT_TRUE(shows(session, screen, seen, "601 of 601"));
    EXPECT_TRUE(screen.contains("loppusana"));
    session.resize(60, 12);
    screen = ScreenModel(60, 12);
    ASSERT_TRUE(wait_for_screen(session, screen, seen, [](const ScreenModel& s) { return s.contains("loppusana"); }));
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

// Lines ended as old Macs end them, letters decomposed as a PDF's are: the
// words are the words typed.
TEST(Reading, CarriageReturnsEndLinesAndDecomposedLettersAreComposed) {
    Program program;
    write_text(program, "kissa\rhyva\u0308\rkoira\r");
    auto session = start_script(program, "exec \"$dir/lomperi\" --read \"$dir/text.txt\"");
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "word 1 of 3")) << screen.row(0);
    session.write(kRight);
    ASSERT_TRUE(shows(session, screen, seen, "word 2 of 3"));
    EXPECT_TRUE(shows(session, screen, seen, "good"));
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

// A word list of a million lines opens, goes to its end and rewraps on a
// resize at once, as a short text does.
TEST(Reading, AMillionLineWordListOpensAndRewraps) {
    Program program;
    {
        std::ofstream out(program.dir() / "text.txt");
        for (int k = 1; k <= 1'000'000; ++k) out << "sana" << k << '\n';
    }
    auto session = start_script(program, "exec \"$dir/lomperi\" --read \"$dir/text.txt\"");
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "word 1 of 1000000")) << screen.row(0);
    session.write(kEnd);
    ASSERT_TRUE(shows(session, screen, seen, "1000000 of 1000000"));
    EXPECT_TRUE(screen.contains("sana1000000"));
    session.resize(60, 12);
    screen = ScreenModel(60, 12);
    ASSERT_TRUE(wait_for_screen(session, screen, seen, [](const ScreenModel& s) { return s.contains("sana1000000"); }));
    session.write("\x1b[A");
    EXPECT_TRUE(shows(session, screen, seen, "sana999999"));
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

// 63 MB of one-letter lines, the longest kind of text to open: a SIGTERM
// while it opens ends the program with the terminal given back.
TEST(Reading, SigtermWhileALongTextOpensRestoresTheTerminal) {
    Program program;
    {
        constexpr std::size_t kBytes = std::size_t{63} << 20;
        std::string text;
        text.reserve(kBytes);
        while (text.size() < kBytes) text += "a\n";
        std::ofstream(program.dir() / "text.txt") << text;
    }
    auto session = start_script(program, "exec \"$dir/lomperi\" --read \"$dir/text.txt\"");
    ASSERT_TRUE(session.wait_for(kStartup, kPatience));
    session.signal(SIGTERM);
    expect_clean_exit(session, 128 + SIGTERM);
}

}  // namespace
}  // namespace lomperi::testing
