// The layout file parser over arbitrary text: defaults or two clamped
// percentages, never a crash or undefined behaviour inside the TOML parser.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/layout/layout_text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto config = lomperi::layout::parse_layout(std::string_view(reinterpret_cast<const char*>(data), size));
    if (config.left_pct < 10 || config.left_pct > 90 || config.matches_pct < 10 || config.matches_pct > 90) {
        __builtin_trap();
    }
    return 0;
}
