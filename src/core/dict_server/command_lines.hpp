#pragma once
// A client's bytes cut into command lines. A line ends at LF, a CR before it
// dropped, and holds at most kMaxCommandLine bytes with its end; a longer
// one is one line too long, however long, its bytes let go as they come.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lomperi::dict_server {

// Longer command lines are refused (the RFC's bound, CRLF included).
inline constexpr std::size_t kMaxCommandLine = 1024;

class CommandLines {
public:
    struct Line {
        std::string text;  // empty when too long
        bool too_long = false;
        friend bool operator==(const Line&, const Line&) = default;
    };

    // Bytes as they arrive; call next() until it gives nothing before adding more.
    void add(std::string_view bytes);
    // The next whole line, in order.
    std::optional<Line> next();
    // Whether a line has begun and not ended.
    bool in_line() const { return skipping_ || start_ < pending_.size(); }

private:
    std::string pending_;
    std::size_t start_ = 0;    // where the next line starts in pending_
    std::size_t scanned_ = 0;  // pending_ holds no LF from start_ up to here
    bool skipping_ = false;    // the line under way is too long: its bytes are dropped
};

}  // namespace lomperi::dict_server
