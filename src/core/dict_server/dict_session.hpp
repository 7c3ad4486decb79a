#pragma once
// One client's conversation in the DICT protocol (RFC 2229): a command line
// in, the whole answer out, CRLF-terminated, text lines dot-stuffed. Pure:
// the server moves the bytes.
//
// Databases: "fi-en" (a Finnish word's analysis and entry, as `lomperi WORD`
// prints it), with an English side "en-fi" (the Finnish words for an English
// one), and with the analyser "fi-forms" (the inflection tables of a
// Finnish word, as `lomperi --table` prints them). Strategies: "exact",
// "prefix", "lemma" (any form to the lemmas the analyser gives; "." is
// "lemma") and "suggest".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/dictionary.hpp"

namespace lomperi::dict_server {

// The most matches one MATCH lists.
inline constexpr std::size_t kMaxMatches = 200;

// What the server tells every session about itself.
struct ServerFacts {
    std::string version;
    std::uint64_t started = 0;  // seconds since the epoch
};

struct Reply {
    std::string text;
    bool close = false;
};

class DictSession {
public:
    DictSession(const morphology::Dictionary& dictionary, const ServerFacts& facts, std::string msg_id);

    // The 220 line a client is greeted with.
    std::string banner() const;
    // The answer to one command line (without its CRLF).
    Reply answer(std::string_view line);
    // What to say of the damaged data the last answer met; empty when it met none.
    const std::string& damage() const { return damage_; }

private:
    using Words = std::vector<std::string>;
    // A command of the protocol, one row per line of HELP; the first row of a
    // verb answers it, and a row without usage is not told.
    struct Verb {
        std::string_view name;   // lower case; the client's is read in any case
        std::string_view usage;  // "DEFINE database word"
        std::string_view help;
        Reply (DictSession::*answer)(const Words& words);
    };
    static const Verb kVerbs[];

    Reply answer_command(std::string_view line);
    Reply define(const Words& words);
    Reply match(const Words& words);
    Reply show(const Words& words);
    Reply option(const Words& words);
    Reply client(const Words& words);
    Reply uptime(const Words& words);
    Reply help(const Words& words);
    Reply quit(const Words& words);
    Reply not_implemented(const Words& words);
    std::string definition(std::string_view database, std::string_view word) const;

    const morphology::Dictionary& dictionary_;
    const ServerFacts& facts_;
    std::string msg_id_;
    bool mime_ = false;
    std::string damage_;
};

// Text as the protocol carries it: each line CRLF-terminated, a line that
// starts with "." doubled, and the "." line that ends it.
std::string text_block(std::string_view text);

}  // namespace lomperi::dict_server
