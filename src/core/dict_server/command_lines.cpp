#include "core/dict_server/command_lines.hpp"

#include <utility>

namespace lomperi::dict_server {

void CommandLines::add(std::string_view bytes) {
    pending_.erase(0, start_);
    scanned_ -= start_;
    start_ = 0;
    pending_.append(bytes);
}

std::optional<CommandLines::Line> CommandLines::next() {
    const std::size_t end = pending_.find('\n', scanned_);
    if (end == std::string::npos) {
        scanned_ = pending_.size();
        if (scanned_ - start_ >= kMaxCommandLine) {
            // Too long already, wherever it ends.
            pending_.clear();
            start_ = scanned_ = 0;
            skipping_ = true;
        }
        return std::nullopt;
    }
    std::string_view line(pending_.data() + start_, end - start_);
    start_ = scanned_ = end + 1;
    if (std::exchange(skipping_, false) || line.size() + 1 > kMaxCommandLine) return Line{{}, true};
    if (line.ends_with('\r')) line.remove_suffix(1);
    return Line{std::string(line), false};
}

}  // namespace lomperi::dict_server
