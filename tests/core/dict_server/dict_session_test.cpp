#include "core/dict_server/dict_session.hpp"

#include <gtest/gtest.h>

#include "core/dict_server/dict_command.hpp"
#include "support/analysed_data.hpp"
#include "support/test_data.hpp"

namespace lomperi::dict_server {
namespace {

TEST(DictCommand, WordsQuotesAndEscapes) {
    using Words = std::vector<std::string>;
    const std::pair<std::string_view, std::optional<Words>> cases[] = {
        {"DEFINE fi-en talo", Words{"DEFINE", "fi-en", "talo"}},
        {"  MATCH\t* prefix  \"to be\" ", Words{"MATCH", "*", "prefix", "to be"}},
        {"DEFINE fi-en 'it''s'", Words{"DEFINE", "fi-en", "its"}},
        {"DEFINE fi-en a\\ b\\\"", Words{"DEFINE", "fi-en", "a b\""}},
        {"DEFINE fi-en \"open", std::nullopt},
        {"DEFINE fi-en end\\", std::nullopt},
        {"", Words{}},
    };
    for (const auto& [line, words] : cases) EXPECT_EQ(command_words(line), words) << line;
}

TEST(DictCommand, TextLinesAreDotStuffedAndEnded) {
    EXPECT_EQ(text_block("one\n.two\n..three\r\nfour"), "one\r\n..two\r\n...three\r\nfour\r\n.\r\n");
    EXPECT_EQ(text_block(""), ".\r\n");
}

class Session : public ::testing::Test {
protected:
    Session()
        : data_(testing::make_test_dictionary({{"talo", {{"noun", {"house"}}}},
                                               {".com", {{"noun", {"commercial domain"}}}},
                                               {"talot", {{"noun", {"plural of talo"}}}},
                                               {"kynsi", {{"noun", {"talon"}}}}},
                                              {{"talossa", {"talo"}}},
                                              {{"house", {{"talo", 0}}}, {"talon", {{"kynsi", 0}}}})),
          session_(data_.dict, facts_, "<1.1@test>") {}
    std::string say(std::string_view line) { return session_.answer(line).text; }

    testing::TestDictionary data_;
    ServerFacts facts_{"1.0", 0};
    DictSession session_;
};

TEST_F(Session, StatusCodesOfEveryCommand) {
    EXPECT_EQ(session_.banner(), "220 lomperi 1.0 <mime> <1.1@test>\r\n");
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"CLIENT test 1.0", "250 ok\r\n"},
        {"DEFINE fi-en qqqq", "552 No match\r\n"},
        {"DEFINE xx talo", "550 Invalid database, use \"SHOW DB\" for list of databases\r\n"},
        {"DEFINE fi-en", "501 Syntax error, illegal parameters\r\n"},
        {"MATCH fi-en soundex talo", "551 Invalid strategy, use \"SHOW STRAT\" for a list of strategies\r\n"},
        {"MATCH fi-en exact qqqq", "552 No match\r\n"},
        {"MATCH fi-en prefix tal", "152 2 matches found\r\nfi-en \"talo\"\r\nfi-en \"talot\"\r\n.\r\n250 ok\r\n"},
        {"match ! exact talo", "152 1 matches found\r\nfi-en \"talo\"\r\n.\r\n250 ok\r\n"},
        {"SHOW DB", "110 2 databases present\r\nfi-en \"Finnish-English, forms as listed (lomperi)\"\r\n"
                    "en-fi \"English-Finnish (lomperi)\"\r\n.\r\n250 ok\r\n"},
        {"SHOW INFO *", "550 Invalid database, use \"SHOW DB\" for list of databases\r\n"},
        {"SHOW NOTHING", "501 Syntax error, illegal parameters\r\n"},
        {"OPTION FOO", "501 Syntax error, illegal parameters\r\n"},
        {"AUTH user secret", "502 Command not implemented\r\n"},
        {"XYZZY", "500 Syntax error, command not recognized\r\n"},
        {"DEFINE fi-en \"open", "501 Syntax error, illegal parameters\r\n"},
    };
    for (const auto& [line, reply] : cases) EXPECT_EQ(say(line), reply) << line;
    for (const std::string_view line : {"SHOW STRAT", "SHOW INFO fi-en", "SHOW SERVER", "HELP"}) {
        const std::string reply = say(line);
        EXPECT_TRUE(reply.ends_with("\r\n.\r\n250 ok\r\n")) << reply;
    }
    EXPECT_TRUE(say("STATUS").starts_with("210 "));
    const Reply quit = session_.answer("QUIT");
    EXPECT_EQ(quit.text, "221 Closing Connection\r\n");
    EXPECT_TRUE(quit.close);
}

// HELP tells every command the server answers, in the words of RFC 2229's
// example, and no command it does not implement.
TEST_F(Session, HelpTellsEveryCommand) {
    EXPECT_EQ(say("help"),
              "113 help text follows\r\n"
              "DEFINE database word         -- look up word in database\r\n"
              "MATCH database strategy word -- match words in database using strategy\r\n"
              "SHOW DB                      -- list all accessible databases\r\n"
              "SHOW STRAT                   -- list available matching strategies\r\n"
              "SHOW INFO database           -- provide information about the database\r\n"
              "SHOW SERVER                  -- provide site-specific information\r\n"
              "OPTION MIME                  -- use MIME headers\r\n"
              "CLIENT info                  -- identify client to server\r\n"
              "STATUS                       -- display timing information\r\n"
              "HELP                         -- display this help information\r\n"
              "QUIT                         -- terminate connection\r\n"
              ".\r\n250 ok\r\n");
    EXPECT_EQ(say("SASLAUTH x"), "502 Command not implemented\r\n");
    EXPECT_EQ(say("Option Mime"), "250 ok - using MIME headers\r\n");
}

// DEFINE gives the word's own definitions only (a form's lemma's among
// them); a headword that merely begins like it is what MATCH prefix finds.
TEST_F(Session, DefineIsTheWordsOwnAndNeverAWordThatBeginsLikeIt) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"DEFINE en-fi talo", "552 No match\r\n"},
        {"DEFINE en-fi hous", "552 No match\r\n"},
        {"DEFINE fi-en tal", "552 No match\r\n"},
        {"DEFINE * tal", "552 No match\r\n"},
        {"MATCH fi-en lemma tal", "552 No match\r\n"},
        {"DEFINE en-fi house", "150 1 definitions retrieved\r\n151 \"house\" en-fi \"English-Finnish (lomperi)\"\r\n"
                               "talo\thouse\r\n.\r\n250 ok\r\n"},
        {"MATCH en-fi prefix talo", "152 1 matches found\r\nen-fi \"talon\"\r\n.\r\n250 ok\r\n"},
        {"MATCH fi-en prefix tal", "152 2 matches found\r\nfi-en \"talo\"\r\nfi-en \"talot\"\r\n.\r\n250 ok\r\n"},
        {"MATCH fi-en lemma talossa", "152 1 matches found\r\nfi-en \"talo\"\r\n.\r\n250 ok\r\n"},
    };
    for (const auto& [line, reply] : cases) EXPECT_EQ(say(line), reply) << line;
    const std::string form = say("DEFINE fi-en talossa");
    EXPECT_TRUE(form.starts_with("150 1 definitions retrieved\r\n")) << form;
    EXPECT_NE(form.find("house"), std::string::npos) << form;
}

TEST_F(Session, ADefinitionIsTheEntryDotStuffedWithMimeHeadersWhenAsked) {
    const std::string form = say("DEFINE fi-en talossa");
    EXPECT_TRUE(form.starts_with("150 1 definitions retrieved\r\n151 \"talossa\" fi-en \"")) << form;
    EXPECT_NE(form.find("\r\ntalo\r\n"), std::string::npos) << form;
    const std::string dotted = say("DEFINE fi-en .com");
    EXPECT_NE(dotted.find("\r\n..com\r\n"), std::string::npos) << dotted;
    EXPECT_TRUE(dotted.ends_with("\r\n.\r\n250 ok\r\n"));
    EXPECT_EQ(say("OPTION MIME"), "250 ok - using MIME headers\r\n");
    const std::string mime = say("DEFINE * talo");
    EXPECT_NE(mime.find("\"\r\nContent-type: text/plain; charset=utf-8\r\nContent-transfer-encoding: 8bit\r\n\r\ntalo\r\n"),
              std::string::npos)
        << mime;
}

// With the analyser, the inflection tables are a database of their own.
TEST(SessionWithAnalyser, InflectionTablesAreTheDatabaseFiForms) {
    const auto data = testing::fresh_analysed_dictionary();
    const ServerFacts facts{"1.0", 0};
    DictSession session(data.dict, facts, "<1.1@test>");
    const std::string databases = session.answer("SHOW DB").text;
    EXPECT_NE(databases.find("\r\nfi-forms \"Finnish inflection tables (lomperi)\"\r\n"), std::string::npos) << databases;
    const std::string table = session.answer("DEFINE fi-forms talossa").text;
    EXPECT_TRUE(table.starts_with("150 1 definitions retrieved\r\n151 \"talossa\" fi-forms \"")) << table;
    EXPECT_NE(table.find("\r\ntalo (noun)\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\ninessive     talossa"), std::string::npos) << table;
    EXPECT_EQ(session.answer("DEFINE fi-forms qqqq").text, "552 No match\r\n");
}

}  // namespace
}  // namespace lomperi::dict_server
