#include "term/title.hpp"

#include "base/utf8.hpp"

namespace lomperi::term {

std::string choose_title(std::span<const std::string> candidates, std::uint16_t width) {
    for (const std::string& candidate : candidates) {
        if (code_point_count(candidate) + 2 <= width) return candidate;
    }
    return candidates.empty() ? std::string() : candidates.back();
}

}  // namespace lomperi::term
