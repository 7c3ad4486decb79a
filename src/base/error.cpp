#include "base/error.hpp"

#include <fmt/format.h>

#include <vector>

namespace lomperi {
namespace {

void append_indented(std::string& out, std::string_view message, std::string_view continuation) {
    std::size_t start = 0;
    while (true) {
        const auto newline = message.find('\n', start);
        out.append(message.substr(start, newline - start));
        if (newline == std::string_view::npos) return;
        out += '\n';
        out.append(continuation);
        start = newline + 1;
    }
}

}  // namespace

std::string Error::report() const {
    std::string out = message_;
    std::vector<const Error*> causes;
    for (const Error* cause = this->cause(); cause != nullptr; cause = cause->cause()) causes.push_back(cause);
    if (causes.empty()) return out;
    out += "\n\nCaused by:";
    const bool numbered = causes.size() > 1;
    for (std::size_t i = 0; i < causes.size(); ++i) {
        out += '\n';
        if (numbered) {
            out += fmt::format("{:>5}: ", i);
        } else {
            out += "    ";
        }
        append_indented(out, causes[i]->message(), numbered ? "       " : "    ");
    }
    return out;
}

bool operator==(const Error& a, const Error& b) {
    if (a.message_ != b.message_) return false;
    if (!a.cause_ || !b.cause_) return !a.cause_ && !b.cause_;
    return *a.cause_ == *b.cause_;
}

}  // namespace lomperi
