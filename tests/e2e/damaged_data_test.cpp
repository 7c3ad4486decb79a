// The real program over damaged or cut-down embedded data: damage found at
// start-up is an error report with nothing on standard output; damage met
// later is said once, and never answered with another word; a data set
// without the analyser says so and still glosses.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program.hpp"
#include "support/child_process.hpp"

namespace lomperi::testing {
namespace {

Finished run_quietly(const std::string& program, const std::vector<std::string>& args = {}, const std::string& input = {}) {
    return run_program(program, args, input, {"HOME=/nonexistent"});
}

std::size_t count_of(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) ++count;
    return count;
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
        const Finished outcome = run_quietly(c.program);
        EXPECT_EQ(outcome.status, 1) << c.program;
        EXPECT_EQ(outcome.err, c.stderr_text) << c.program;
        EXPECT_EQ(outcome.out, "") << c.program;
    }
}

// The shipped data loads; whatever the program then does without a terminal,
// no loading error reaches standard error.
TEST(DefaultData, LoadsWithoutADataError) {
    const Finished outcome = run_quietly(LOMPERI_DEFAULT_PROGRAM);
    EXPECT_TRUE(outcome.status == 0 || outcome.status == 1) << outcome.status << ": " << outcome.err;
    for (const char* sign : {"glosses", "inflections", "zstd", "plain size", "FST error", "non-utf8", "damaged"}) {
        EXPECT_EQ(outcome.err.find(sign), std::string::npos) << outcome.err;
    }
}

std::vector<std::string> headwords_of_damage_set() {
    std::set<std::string> words;
    std::ifstream tsv(LOMPERI_DAMAGE_GLOSSES_TSV);
    for (std::string line; std::getline(tsv, line);) {
        if (!line.empty() && line.front() != '#') words.insert(line.substr(0, line.find('\t')));
    }
    return {words.begin(), words.end()};
}

// A middle chunk of glosses.fst is damaged: some headwords cannot be read.
// Each word typed, each with a capital, and each four-letter beginning (the
// first headword that begins with it is the answer) is answered as on the
// intact data or not at all, then marked damaged; never with a neighbour.
TEST(DamagedData, DamageMetLaterIsToldAndNoNeighbourStandsIn) {
    const std::vector<std::string> headwords = headwords_of_damage_set();
    ASSERT_GT(headwords.size(), 300u);
    std::vector<std::string> queries;
    std::vector<std::string> expected;  // what the intact data answers
    for (const auto& word : headwords) {
        queries.push_back(word);
        expected.push_back(word);
        if (word.front() >= 'a' && word.front() <= 'z') {
            queries.push_back(static_cast<char>(word.front() - 'a' + 'A') + word.substr(1));
            expected.push_back(word);
        }
    }
    std::vector<std::string> args{"--json"};
    args.insert(args.end(), queries.begin(), queries.end());
    const Finished run = run_quietly(LOMPERI_DAMAGED_GLOSSES_FST_PROGRAM, args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: damaged data in glosses.fst: what is damaged reads as absent; reinstall lomperi\n");

    const std::regex object("\\{\"word\":\"([^\"]*)\",\"headword\":(null|\"([^\"]*)\")(.*)\\}");
    std::size_t line_number = 0, damaged = 0;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line); ++line_number) {
        std::smatch found;
        ASSERT_TRUE(std::regex_match(line, found, object)) << line;
        ASSERT_LT(line_number, queries.size());
        EXPECT_EQ(found[1], queries[line_number]);
        const bool told = found[4].str().find("\"damaged\":true") != std::string::npos;
        if (found[2] == "null") {
            EXPECT_TRUE(told) << queries[line_number] << " is a word of the data set";
            ++damaged;
            continue;
        }
        EXPECT_EQ(found[3], expected[line_number]) << queries[line_number];
        EXPECT_FALSE(told) << line;
    }
    EXPECT_EQ(line_number, queries.size());
    EXPECT_GT(damaged, 0u) << "the damaged chunk holds words";

    const Finished version = run_quietly(LOMPERI_DAMAGED_GLOSSES_FST_PROGRAM, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_search(version.out, std::regex("\ndamaged: glosses.fst \\(1 of [0-9]+ parts\\); reinstall lomperi\n")))
        << version.out;
}

// Every record of glosses.bin is in its one damaged frame.
TEST(DamagedData, EveryModeSaysItOnceOnStandardError) {
    const std::string program = LOMPERI_DAMAGED_GLOSSES_BIN_PROGRAM;
    const std::string said = "Error: damaged data in glosses.bin: what is damaged reads as absent; reinstall lomperi\n";
    const Finished words = run_quietly(program, {"talo", "kissa"});
    EXPECT_EQ(words.status, 1);
    EXPECT_EQ(words.out, "");
    EXPECT_EQ(words.err, "talo: (damaged data)\nkissa: (damaged data)\n" + said);

    const Finished json = run_quietly(program, {"--json", "talo"});
    EXPECT_EQ(json.out, "{\"word\":\"talo\",\"headword\":null,\"meaning\":null,\"damaged\":true,\"readings\":[]}\n");
    EXPECT_EQ(json.err, said);

    for (const std::vector<std::string>& args : {std::vector<std::string>{"--gloss"}, {"--gloss", "--interlinear"}}) {
        const Finished gloss = run_quietly(program, args, "talo kissa\nkoira\n");
        EXPECT_EQ(gloss.status, 1) << args.back();
        EXPECT_EQ(gloss.err, said) << args.back();
    }
}

TEST(DamagedData, TheEntryPaneSaysIt) {
    PtySession::Options options;
    options.environment = {"HOME=/nonexistent", "NO_COLOR="};
    PtySession session(LOMPERI_DAMAGED_GLOSSES_BIN_PROGRAM, options);
    ASSERT_TRUE(session.wait_for("lomperi", kPatience));
    session.write("talo");
    ScreenModel screen(options.columns, options.rows);
    std::size_t seen = 0;
    EXPECT_TRUE(shows(session, screen, seen, "damaged data in glosses.bin")) << session.output();
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

// The server on a loopback port the system chooses, asked at once and read to its end.
std::string serve_and_ask(const std::string& program, const std::string& commands, std::string& server_output) {
    Program place;
    const fs::path script = place.dir() / "serve";
    std::ofstream(script) << "#!/bin/sh\nexec '" << program << "' --serve --listen 127.0.0.1:0\n";
    fs::permissions(script, fs::perms::owner_all);
    PtySession session(script.string(), PtySession::Options{});
    if (!session.wait_for("serving", kPatience)) return {};
    session.drain(200ms);
    std::smatch port;
    const std::string greeting = session.output();
    if (!std::regex_search(greeting, port, std::regex("127\\.0\\.0\\.1:([0-9]+)"))) return {};
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(std::stoi(port[1])));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answers;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        (void)::send(fd, commands.data(), commands.size(), MSG_NOSIGNAL);
        char chunk[4096];
        for (pollfd p{fd, POLLIN, 0}; ::poll(&p, 1, 10000) > 0;) {
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0) break;
            answers.append(chunk, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    session.drain(200ms);
    server_output = session.output();
    session.signal(SIGTERM);
    (void)session.wait_exit(kPatience);
    return answers;
}

TEST(DamagedData, TheServerSaysItOnce) {
    std::string output;
    const std::string answers = serve_and_ask(LOMPERI_DAMAGED_GLOSSES_BIN_PROGRAM,
                                              "DEFINE fi-en talo\r\nDEFINE fi-en kissa\r\nDEFINE fi-en talo\r\nQUIT\r\n", output);
    EXPECT_EQ(count_of(answers, "552 No match"), 3u) << answers;
    EXPECT_EQ(count_of(output, "lomperi: damaged data in glosses.bin: what is damaged reads as absent; reinstall lomperi"), 1u)
        << output;
}

// glosses.fst, glosses.bin, inflections.fst and inflections-multi.bin only.
TEST(RequiredFilesOnly, SaysWhatIsMissingAndGlossesFromTheEntries) {
    const std::string program = LOMPERI_REQUIRED_FILES_PROGRAM;
    const std::string missing = "no word is analysed; words are found as the word lists spell them";
    const Finished version = run_quietly(program, {"--version"});
    EXPECT_NE(version.out.find("\nwithout mor.vfst: " + missing + "\n"), std::string::npos) << version.out;
    const Finished help = run_quietly(program, {"--help"});
    EXPECT_TRUE(help.out.ends_with("\nThis data set has no analyser (mor.vfst): " + missing + ".\n")) << help.out;

    const Finished interlinear = run_quietly(program, {"--gloss", "--interlinear"}, "Talossa on kissa.\n");
    EXPECT_EQ(interlinear.out, "Talossa  on  kissa.\nTalossa  on  kissa\nhouse    ?   cat\n\n");
    EXPECT_EQ(interlinear.status, 3) << "on is no word of the data set";

    std::string output;
    const std::string answers = serve_and_ask(program, "SHOW DB\r\nSHOW INFO fi-en\r\nQUIT\r\n", output);
    EXPECT_NE(answers.find("fi-en \"Finnish-English, forms as listed (lomperi)\""), std::string::npos) << answers;
    EXPECT_NE(answers.find("without the\r\nanalyser (mor.vfst): no word is analysed."), std::string::npos) << answers;
    EXPECT_EQ(answers.find("every form analysed"), std::string::npos) << answers;
}

// A word that the analyser does not know is glossed by its entry.
TEST(Interlinear, AWordWithAnEntryButNoReadingIsGlossed) {
    const Finished run = run_quietly(LOMPERI_DEFAULT_PROGRAM, {"--gloss", "--interlinear"}, "ćevapi\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "ćevapi\nćevapi\ncevapi\n\n");
}

// A control character splits a token in two words, as --gloss reads it:
// each gets its column, the byte shown as U+FFFD, and the exit status
// counts both.
TEST(Interlinear, AControlCharacterInAWordKeepsBothParts) {
    const Finished run = run_quietly(LOMPERI_E2E_PROGRAM, {"--gloss", "--interlinear"}, "kissa\x1bxyz talo\n");
    EXPECT_EQ(run.status, 3) << "xyz is no word";
    EXPECT_EQ(run.out, "kissa  \xEF\xBF\xBDxyz  talo\nkissa  xyz   talo\ncat    ?     house\n\n");
}

}  // namespace
}  // namespace lomperi::testing
