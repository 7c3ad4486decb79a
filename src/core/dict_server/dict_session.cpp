#include "core/dict_server/dict_session.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <chrono>

#include "base/text.hpp"
#include "core/answer/answer_text.hpp"
#include "core/answer/inflection_tables.hpp"
#include "core/dict_server/dict_command.hpp"
#include "core/expand/table_lines.hpp"
#include "core/morphology/analysis.hpp"
#include "core/morphology/damage_report.hpp"
#include "core/morphology/english_search.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/suggest/suggester.hpp"

namespace lomperi::dict_server {
namespace {

struct Database {
    std::string_view name;
    std::string_view title;
    std::string_view info;
};

constexpr Database kFinnishEnglish{
    "fi-en", "Finnish-English, every form analysed (lomperi)",
    "Finnish-English dictionary of lomperi. Any inflected form, compound or\n"
    "derived word is analysed and answered with the lines that tell which form\n"
    "it is, then the entry of its word. Meanings: FreeDict/WikDict (CC BY-SA\n"
    "3.0); analysis: voikko-fi (GPL-2.0-or-later)."};
constexpr Database kFinnishEnglishWithoutAnalyser{
    "fi-en", "Finnish-English, forms as listed (lomperi)",
    "Finnish-English dictionary of lomperi, from a data set without the\n"
    "analyser (mor.vfst): no word is analysed. A word is found as a headword or\n"
    "as a word form its word lists hold, and answered with the entry of its\n"
    "word. Meanings: FreeDict/WikDict (CC BY-SA 3.0)."};
constexpr Database kEnglishFinnish{
    "en-fi", "English-Finnish (lomperi)",
    "The Finnish words whose meanings hold an English word or phrase, best\n"
    "first, one per line: the Finnish word, a tab, the meaning."};

constexpr Database kFinnishForms{
    "fi-forms", "Finnish inflection tables (lomperi)",
    "The inflection table of each word a Finnish word is a form of: a noun's or\n"
    "an adjective's cases in the singular and the plural, a verb's moods and\n"
    "tenses by person, affirmative and negative, its infinitives and\n"
    "participles. Generated from voikko-fi's analyser (GPL-2.0-or-later)."};

constexpr std::string_view kStrategies[][2] = {
    {"exact", "Match headwords exactly"},
    {"prefix", "Match headwords that begin with the word"},
    {"lemma", "Match the lemmas of any inflected form (the default)"},
    {"suggest", "Match the words a misspelt word may stand for"},
};

// Definitions are wrapped as a terminal of 80 columns shows them.
constexpr std::uint16_t kDefinitionWidth = 80;

constexpr std::string_view kMimeHeaders = "Content-type: text/plain; charset=utf-8\nContent-transfer-encoding: 8bit\n\n";

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

Reply status(std::string_view line, bool close = false) { return {std::string(line) + "\r\n", close}; }

std::string ok() { return "250 ok\r\n"; }

}  // namespace

std::string text_block(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with('.')) out += '.';
        out += line;
        out += "\r\n";
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return out + ".\r\n";
}

DictSession::DictSession(const morphology::Dictionary& dictionary, const ServerFacts& facts, std::string msg_id)
    : dictionary_(dictionary), facts_(facts), msg_id_(std::move(msg_id)) {}

std::string DictSession::banner() const {
    return fmt::format("220 lomperi {} <mime> {}\r\n", facts_.version, msg_id_);
}

namespace {

std::vector<Database> databases_of(const morphology::Dictionary& dictionary) {
    std::vector<Database> all{dictionary.analyser.available() ? kFinnishEnglish : kFinnishEnglishWithoutAnalyser};
    if (morphology::has_english(dictionary)) all.push_back(kEnglishFinnish);
    if (dictionary.analyser.available()) all.push_back(kFinnishForms);
    return all;
}

// The databases a DEFINE or MATCH names: one, all ("*" and "!"), or none when unknown.
std::vector<Database> named_databases(const morphology::Dictionary& dictionary, std::string_view name) {
    const auto all = databases_of(dictionary);
    if (name == "*" || name == "!") return all;
    for (const auto& database : all) {
        if (database.name == name) return {database};
    }
    return {};
}

std::vector<std::string> matches_in(const morphology::Dictionary& dictionary, std::string_view database,
                                    std::string_view strategy, std::string_view word) {
    std::vector<std::string> found;
    const auto add = [&](std::string headword) {
        if (found.size() < kMaxMatches && std::ranges::find(found, headword) == found.end()) found.push_back(std::move(headword));
    };
    const bool english = database == kEnglishFinnish.name;
    const word_map::WordMap& keys = english ? dictionary.english->words : dictionary.glosses;
    if (strategy == "prefix") {
        const std::string lower = english ? lower_case(word) : std::string(word);
        for (auto& match : morphology::search_headwords(keys, lower, kMaxMatches)) add(std::move(match.headword));
        return found;
    }
    if (strategy == "suggest" && !english) {
        for (auto& suggestion : suggest::suggest(dictionary, word).words) add(std::move(suggestion.word));
        return found;
    }
    if (strategy == "exact" || english) {
        if (keys.get(word)) add(std::string(word));
        if (const std::string lower = lower_case(word); lower != word && keys.get(lower)) add(lower);
        return found;
    }
    const auto choice = answer::choose_entry(dictionary, word);
    for (const auto& reading : choice.readings) {
        if (morphology::has_entry(dictionary, reading)) add(reading.lemma);
    }
    if (choice.headword && dictionary.glosses.get(*choice.headword)) add(*choice.headword);
    return found;
}

}  // namespace

// Only the word's own definitions: a headword that merely begins like it is
// what MATCH with the prefix strategy is for.
std::string DictSession::definition(std::string_view database, std::string_view word) const {
    if (database == kEnglishFinnish.name) {
        return answer::translation_lines(morphology::exact_english_translations(dictionary_, word, morphology::kListLimit));
    }
    if (database == kFinnishForms.name) {
        return expand::table_text(answer::inflection_tables(dictionary_, word), kDefinitionWidth);
    }
    const auto found = answer::answer(dictionary_, word, answer::Detail::Entry);
    if (!found.entry) return {};
    return answer::answer_text(found, kDefinitionWidth, false);
}

Reply DictSession::define(const Words& words) {
    if (words.size() != 3) return status("501 Syntax error, illegal parameters");
    const auto databases = named_databases(dictionary_, words[1]);
    if (databases.empty()) return status("550 Invalid database, use \"SHOW DB\" for list of databases");
    std::string body;
    std::size_t count = 0;
    for (const auto& database : databases) {
        const std::string text = definition(database.name, words[2]);
        if (text.empty()) continue;
        ++count;
        body += fmt::format("151 {} {} {}\r\n", quoted(words[2]), database.name, quoted(database.title));
        body += text_block(mime_ ? std::string(kMimeHeaders) + text : text);
        if (words[1] == "!") break;
    }
    if (count == 0) return status("552 No match");
    return {fmt::format("150 {} definitions retrieved\r\n", count) + body + ok(), false};
}

Reply DictSession::match(const Words& words) {
    if (words.size() != 4) return status("501 Syntax error, illegal parameters");
    const auto databases = named_databases(dictionary_, words[1]);
    if (databases.empty()) return status("550 Invalid database, use \"SHOW DB\" for list of databases");
    const std::string strategy = words[2] == "." ? "lemma" : lower_case(words[2]);
    const bool known = std::ranges::any_of(kStrategies, [&](const auto& row) { return row[0] == strategy; });
    if (!known) return status("551 Invalid strategy, use \"SHOW STRAT\" for a list of strategies");
    std::string lines;
    std::size_t count = 0;
    for (const auto& database : databases) {
        const auto found = matches_in(dictionary_, database.name, strategy, words[3]);
        for (const auto& headword : found) lines += std::string(database.name) + " " + quoted(headword) + "\n";
        count += found.size();
        if (words[1] == "!" && !found.empty()) break;
    }
    if (count == 0) return status("552 No match");
    return {fmt::format("152 {} matches found\r\n", count) + text_block(lines) + ok(), false};
}

Reply DictSession::show(const Words& words) {
    if (words.size() < 2) return status("501 Syntax error, illegal parameters");
    const std::string what = lower_case(words[1]);
    if ((what == "db" || what == "databases") && words.size() == 2) {
        const auto all = databases_of(dictionary_);
        std::string lines;
        for (const auto& database : all) lines += std::string(database.name) + " " + quoted(database.title) + "\n";
        return {fmt::format("110 {} databases present\r\n", all.size()) + text_block(lines) + ok(), false};
    }
    if ((what == "strat" || what == "strategies") && words.size() == 2) {
        std::string lines;
        for (const auto& row : kStrategies) lines += std::string(row[0]) + " " + quoted(row[1]) + "\n";
        return {fmt::format("111 {} strategies available\r\n", std::size(kStrategies)) + text_block(lines) + ok(), false};
    }
    if (what == "info" && words.size() == 3) {
        const auto named = named_databases(dictionary_, words[2]);
        if (named.size() != 1 || words[2] == "*" || words[2] == "!") {
            return status("550 Invalid database, use \"SHOW DB\" for list of databases");
        }
        return {"112 database information follows\r\n" + text_block(named.front().info) + ok(), false};
    }
    if (what == "server" && words.size() == 2) {
        const std::string info = fmt::format(
            "lomperi {}: a Finnish-English dictionary that {}.\n"
            "{} headwords, {} word forms.\n",
            facts_.version, dictionary_.analyser.available() ? "analyses every word form" : "finds the word forms it lists",
            dictionary_.glosses.len(), dictionary_.inflections.len());
        return {"114 server information follows\r\n" + text_block(info) + ok(), false};
    }
    return status("501 Syntax error, illegal parameters");
}

Reply DictSession::answer(std::string_view line) {
    const DamageWatch watch;
    Reply reply = answer_command(line);
    damage_ = watch.met() ? morphology::damage_message(dictionary_) : std::string();
    return reply;
}

const DictSession::Verb DictSession::kVerbs[] = {
    {"define", "DEFINE database word", "look up word in database", &DictSession::define},
    {"match", "MATCH database strategy word", "match words in database using strategy", &DictSession::match},
    {"show", "SHOW DB", "list all accessible databases", &DictSession::show},
    {"show", "SHOW STRAT", "list available matching strategies", &DictSession::show},
    {"show", "SHOW INFO database", "provide information about the database", &DictSession::show},
    {"show", "SHOW SERVER", "provide site-specific information", &DictSession::show},
    {"option", "OPTION MIME", "use MIME headers", &DictSession::option},
    {"client", "CLIENT info", "identify client to server", &DictSession::client},
    {"status", "STATUS", "display timing information", &DictSession::uptime},
    {"help", "HELP", "display this help information", &DictSession::help},
    {"quit", "QUIT", "terminate connection", &DictSession::quit},
    {"auth", "", "", &DictSession::not_implemented},
    {"saslauth", "", "", &DictSession::not_implemented},
    {"saslresp", "", "", &DictSession::not_implemented},
};

Reply DictSession::answer_command(std::string_view line) {
    const auto words = command_words(line);
    if (!words) return status("501 Syntax error, illegal parameters");
    if (words->empty()) return status("500 Syntax error, command not recognized");
    const std::string name = lower_case((*words)[0]);
    for (const Verb& verb : kVerbs) {
        if (verb.name == name) return (this->*verb.answer)(*words);
    }
    return status("500 Syntax error, command not recognized");
}

Reply DictSession::option(const Words& words) {
    if (words.size() != 2 || lower_case(words[1]) != "mime") return status("501 Syntax error, illegal parameters");
    mime_ = true;
    return status("250 ok - using MIME headers");
}

Reply DictSession::client(const Words&) { return {ok(), false}; }

Reply DictSession::uptime(const Words&) {
    const auto now =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    return status(fmt::format("210 up {} seconds", now - static_cast<std::int64_t>(facts_.started)));
}

Reply DictSession::help(const Words&) {
    std::string text;
    for (const Verb& verb : kVerbs) {
        if (!verb.usage.empty()) text += fmt::format("{:29}-- {}\n", verb.usage, verb.help);
    }
    return {"113 help text follows\r\n" + text_block(text) + ok(), false};
}

Reply DictSession::quit(const Words&) { return status("221 Closing Connection", true); }

Reply DictSession::not_implemented(const Words&) { return status("502 Command not implemented"); }

}  // namespace lomperi::dict_server
