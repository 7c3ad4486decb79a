// The real program used from the shell: words, --gloss, help, version and
// the exit status of each.
#include <gtest/gtest.h>

#include <fstream>

#include "program.hpp"
#include "support/child_process.hpp"

namespace lomperi::testing {
namespace {

const std::string kProgram = LOMPERI_E2E_PROGRAM;

TEST(CommandLine, ModesAndExitStatus) {
    const auto found = run_program(kProgram, {"talo"});
    EXPECT_EQ(found.status, 0);
    EXPECT_TRUE(found.out.starts_with("talo\n\n(noun)\n- house\n")) << found.out;
    EXPECT_EQ(found.out.find('\x1b'), std::string::npos) << "no styles into a pipe";

    const auto missing = run_program(kProgram, {"talo", "xyzzy"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.err, "xyzzy: (no matches)\n");

    const auto glossed = run_program(kProgram, {"--gloss"}, "Talossa on kissa.\n");
    EXPECT_EQ(glossed.status, 3) << glossed.err;
    EXPECT_NE(glossed.out.find("kissa\tkissa\tcat\t\n"), std::string::npos) << glossed.out;

    const auto invalid = run_program(kProgram, {"--gloss", "-"}, "kissa \xff\n");
    EXPECT_EQ(invalid.status, 1);
    EXPECT_TRUE(invalid.err.starts_with("Error: standard input is not UTF-8 text")) << invalid.err;

    const auto unreadable = run_program(kProgram, {"--gloss", "/nonexistent/text"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.err, "Error: cannot read /nonexistent/text: No such file or directory\n");

    const auto no_english = run_program(kProgram, {"--english", "house"});
    EXPECT_EQ(no_english.status, 1);
    EXPECT_EQ(no_english.err, "Error: this data set has no English side\n");

    const auto usage = run_program(kProgram, {"--frobnicate"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.err.starts_with("lomperi: unknown option --frobnicate\nUsage: ")) << usage.err;

    const auto help = run_program(kProgram, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Exit status:"), std::string::npos);
    // The keys come from the screens' key tables, each screen's under its heading.
    for (const auto* heading : {"Keys in the dictionary:\n", "Keys in the reading pane:\n", "Keys in the document viewer:\n"}) {
        EXPECT_NE(help.out.find(heading), std::string::npos) << heading;
    }

    // A misspelt word: the words it may stand for, on standard error.
    const auto misspelt = run_program(kProgram, {"kisssa"});
    EXPECT_EQ(misspelt.status, 3);
    EXPECT_TRUE(misspelt.err.starts_with("kisssa: (no matches); did you mean: kissa")) << misspelt.err;
    const auto misspelt_json = run_program(kProgram, {"--json", "kisssa"});
    EXPECT_NE(misspelt_json.out.find("\"suggestions\":[\"kissa\""), std::string::npos) << misspelt_json.out;

    const auto version = run_program(kProgram, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("headwords"), std::string::npos) << version.out;

    const auto no_terminal = run_program(kProgram, {});
    EXPECT_EQ(no_terminal.status, 1);
    EXPECT_EQ(no_terminal.err,
              "Error: standard input is not a terminal\n(lomperi WORD looks a word up without one)\n");

    const auto columns = run_program(kProgram, {"talo"}, {}, {"COLUMNS=30"});
    for (std::size_t at = 0, end; (end = columns.out.find('\n', at)) != std::string::npos; at = end + 1) {
        EXPECT_LE(end - at, 30u) << columns.out;
    }
}

// Failures are reported as failures, and no control byte of the input
// reaches the output.
TEST(CommandLine, FailuresAndHostileInput) {
    const auto directory = run_program(kProgram, {"--gloss", "/tmp"});
    EXPECT_EQ(directory.status, 1);
    EXPECT_EQ(directory.err, "Error: cannot read /tmp: Is a directory\n");

    for (const std::string redirect : {"talo > /dev/full", "--gloss < /etc/hostname > /dev/full", "talo >&-"}) {
        const auto failed = run_program("/bin/sh", {"-c", "exec \"$0\" " + redirect, kProgram});
        EXPECT_EQ(failed.status, 1) << redirect;
        EXPECT_TRUE(failed.err.starts_with("Error: cannot write to standard output: ")) << failed.err;
    }

    using namespace std::string_literals;
    const auto hostile = run_program(kProgram, {"--gloss"}, "\xEF\xBB\xBFkissa\0talo \x1b]52;c;eA==\x07 \x1b[2J\xC2\x9B" "1m\n"s);
    EXPECT_TRUE(hostile.out.starts_with("kissa\tkissa\tcat\t\ntalo\ttalo\thouse\t\n")) << hostile.out;
    for (const char c : hostile.out) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_TRUE(byte >= 0x20 || c == '\t' || c == '\n') << "control byte " << int(byte) << " in " << hostile.out;
    }
    EXPECT_EQ(hostile.out.find("\xC2\x9B"), std::string::npos) << "C1 controls are no words either";

    const auto word = run_program(kProgram, {"\x1b[31mzzz"});
    EXPECT_EQ(word.status, 3);
    EXPECT_EQ(word.err, "\xEF\xBF\xBD[31mzzz: (no matches)\n");
}

// A filter answers each line as it comes, not at the end of its input.
TEST(CommandLine, GlossAnswersLineByLine) {
    Program program;
    {
        std::ofstream script(program.dir() / "gloss");
        script << "#!/bin/sh\nexec \"$(dirname \"$0\")/lomperi\" --gloss\n";
    }
    fs::permissions(program.dir() / "gloss", fs::perms::owner_all);
    PtySession::Options options;
    PtySession session((program.dir() / "gloss").string(), options);
    session.write("kissa\n");
    EXPECT_TRUE(session.wait_for("kissa\tcat", kPatience)) << "the first line is answered while the input goes on";
    session.write("talo\n");
    EXPECT_TRUE(session.wait_for("talo\thouse", kPatience));
    session.write("\x04");
    const auto status = session.wait_exit(kPatience);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(exit_code(*status), 0);
}

// --table: the cells aligned, a negative with its verb; --json --table: a
// line per table; a word without one named, status 3.
TEST(CommandLine, TablesAsTextAndAsData) {
    const auto text = run_program(LOMPERI_DEFAULT_PROGRAM, {"--table", "kissa", "qqqqzx"});
    EXPECT_EQ(text.status, 3);
    EXPECT_EQ(text.err, "qqqqzx: (no inflection table)\n");
    EXPECT_TRUE(text.out.starts_with("kissa (noun)\n")) << text.out;
    EXPECT_NE(text.out.find("\ngenitive     kissan    kissojen"), std::string::npos) << text.out;
    const auto json = run_program(LOMPERI_DEFAULT_PROGRAM, {"--json", "--table", "kissoissa"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_TRUE(json.out.starts_with(R"({"word":"kissoissa","lemma":"kissa","class":"noun","cells":[)")) << json.out;
    EXPECT_NE(json.out.find(R"({"form":"kissoissa","case":"inessive","number":"plural"})"), std::string::npos);
    const auto refused = run_program(kProgram, {"--gloss", "--table"});
    EXPECT_EQ(refused.status, 2);
}

TEST(CommandLine, EnglishWordsGiveRankedFinnishHeadwords) {
    const auto english = run_program(LOMPERI_DEFAULT_PROGRAM, {"--english", "house", "qqqqzx"});
    EXPECT_EQ(english.status, 3);
    EXPECT_TRUE(english.out.starts_with("talo\t")) << english.out.substr(0, 200);
    EXPECT_EQ(english.err, "qqqqzx: (no matches)\n");
}

// Letters decomposed (text from a PDF, a macOS file name) are read as the
// letters typed: a word given to look up, and every style of --gloss.
TEST(CommandLine, DecomposedLettersAreReadAsTyped) {
    const std::string hyva = "hyva\u0308";
    const auto word = run_program(kProgram, {hyva});
    EXPECT_EQ(word.status, 0) << word.err;
    EXPECT_TRUE(word.out.starts_with("hyvä\n")) << word.out;
    const auto json = run_program(kProgram, {"--json", hyva});
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(json.out.find(R"("headword":"hyvä","meaning":"good")"), std::string::npos) << json.out;

    const std::string text = "hyva\u0308a\u0308 kissa\n";
    const struct {
        std::vector<std::string> args;
        std::string expected;
    } glosses[] = {
        {{"--gloss"}, "hyvää\thyvä\tgood\t"},
        {{"--gloss", "--json"}, R"({"word":"hyvää","headword":"hyvä","meaning":"good")"},
        {{"--gloss", "--interlinear"}, "hyvää"},
    };
    for (const auto& gloss : glosses) {
        const auto glossed = run_program(kProgram, gloss.args, text);
        EXPECT_NE(glossed.out.find(gloss.expected), std::string::npos) << glossed.out;
        EXPECT_EQ(glossed.out.find("\u0308"), std::string::npos) << glossed.out;
    }
}

TEST(CommandLine, ADamagedDataSetIsReportedInEveryMode) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"talo"}, {"--gloss"}, {"--version"}}) {
        const auto damaged = run_program(LOMPERI_DAMAGED_MAGIC_PROGRAM, args, "talo\n");
        EXPECT_EQ(damaged.status, 1);
        EXPECT_TRUE(damaged.err.starts_with("Error: parsing glosses.bin header")) << damaged.err;
    }
}

}  // namespace
}  // namespace lomperi::testing
