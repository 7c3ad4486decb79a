#include "catalogues.hpp"

#include <fmt/format.h>

#include <cstdint>

#include "text.hpp"

namespace lomperi::data_build {
namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::uint32_t kMagicSwapped = 0xde120495;
constexpr std::size_t kHeaderBytes = 20;

struct MoReader {
    Bytes bytes;
    bool swapped = false;

    std::uint32_t u32(std::size_t at) const {
        const std::uint32_t value = read_u32(bytes, at);
        if (!swapped) return value;
        return (value >> 24) | ((value >> 8) & 0xff00) | ((value << 8) & 0xff0000) | (value << 24);
    }

    // The string the table entry at `at` (length, offset) describes.
    Result<std::string_view> string_at(std::size_t at) const {
        if (at > bytes.size() || bytes.size() - at < 8) return fail("a string table entry lies past the end");
        const std::uint32_t length = u32(at);
        const std::uint32_t offset = u32(at + 4);
        if (offset > bytes.size() || length > bytes.size() - offset) return fail("a string lies past the end");
        return as_text(bytes.subspan(offset, length));
    }
};

// "first\0second" -> the two; a message without a plural has one.
std::pair<std::string_view, std::string_view> forms(std::string_view text) {
    const auto nul = text.find('\0');
    if (nul == std::string_view::npos) return {text, {}};
    const std::string_view rest = text.substr(nul + 1);
    return {text.substr(0, nul), rest.substr(0, rest.find('\0'))};
}

void add_pair(std::string_view english, std::string_view finnish, std::vector<CataloguePair>& out) {
    auto e = clean_message(english);
    auto f = clean_message(finnish);
    if (e.empty() || f.empty() || e == f) return;
    out.push_back({std::move(e), std::move(f)});
}

bool is_directive_char(char c) {
    return (c >= '0' && c <= '9') || c == '$' || c == '.' || c == '-' || c == '+' || c == '#' || c == 'l' ||
           c == 'h' || c == 'z' || c == 'j' || c == 't' || c == 'q' || c == 'L' || c == '*' || c == '\'';
}

}  // namespace

std::string clean_message(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '_' || c == '&' || c == '~') continue;
        if (c == '<') {
            const auto close = text.find('>', at);
            if (close != std::string_view::npos) {
                at = close;
                out += ' ';
                continue;
            }
        }
        if (c == '{') {
            const auto close = text.find('}', at);
            if (close != std::string_view::npos) {
                at = close;
                out += ' ';
                continue;
            }
        }
        if (c == '%' && at + 1 < text.size()) {
            std::size_t end = at + 1;
            while (end < text.size() && is_directive_char(text[end])) ++end;
            if (end < text.size() && text[end] != ' ') ++end;  // the conversion letter
            at = end - 1;
            out += ' ';
            continue;
        }
        out += (c == '\n' || c == '\t' || c == '\r') ? ' ' : c;
    }
    return collapse_spaces(trim(out));
}

Result<std::vector<CataloguePair>> read_mo(Bytes bytes) {
    if (bytes.size() < kHeaderBytes) return fail("a .mo file shorter than its header");
    MoReader reader{bytes};
    const std::uint32_t magic = read_u32(bytes, 0);
    if (magic == kMagicSwapped) {
        reader.swapped = true;
    } else if (magic != kMagic) {
        return fail("not a .mo file");
    }
    const std::uint32_t count = reader.u32(8);
    const std::uint32_t originals = reader.u32(12);
    const std::uint32_t translations = reader.u32(16);
    if (count > bytes.size() / 16) return fail(fmt::format("a .mo file that claims {} messages", count));
    std::vector<CataloguePair> out;
    for (std::uint32_t k = 0; k < count; ++k) {
        auto original = reader.string_at(std::size_t{originals} + 8 * std::size_t{k});
        if (!original) return forward(original, fmt::format("message {}", k));
        auto translation = reader.string_at(std::size_t{translations} + 8 * std::size_t{k});
        if (!translation) return forward(translation, fmt::format("translation {}", k));
        std::string_view message = *original;
        if (message.empty()) continue;  // the header
        if (const auto context = message.find('\x04'); context != std::string_view::npos) {
            message.remove_prefix(context + 1);
        }
        const auto [singular, plural] = forms(message);
        const auto [first, second] = forms(*translation);
        add_pair(singular, first, out);
        if (!plural.empty() && !second.empty()) add_pair(plural, second, out);
    }
    return out;
}

}  // namespace lomperi::data_build
