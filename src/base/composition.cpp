#include "base/composition.hpp"

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>
#include <unicode/stringpiece.h>

#include <algorithm>
#include <cstdint>

#include "base/utf8.hpp"

namespace lomperi {
namespace {

// ICU measures text in int32_t: a longer text goes in pieces, each cut
// before a character that nothing before it composes with.
constexpr std::size_t kMaxPiece = std::size_t{1} << 20;

bool is_ascii(std::string_view text) {
    return std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The end of the next piece: the last cut in its second half, else the last
// character boundary (inside half a megabyte of combining marks).
std::size_t piece_end(const icu::Normalizer2& nfc, std::string_view text) {
    if (text.size() <= kMaxPiece) return text.size();
    for (std::size_t cut = kMaxPiece; cut > kMaxPiece / 2; --cut) {
        if (!starts_code_point(text[cut])) continue;
        const Utf8Step step = decode_utf8(text.substr(cut));
        if (step.status != Utf8Step::Ok || nfc.hasBoundaryBefore(static_cast<UChar32>(step.code_point))) return cut;
    }
    for (std::size_t cut = kMaxPiece; cut > kMaxPiece - 4; --cut) {
        if (starts_code_point(text[cut])) return cut;
    }
    return kMaxPiece;
}

}  // namespace

void append_composed(std::string& out, std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status) || nfc == nullptr || is_ascii(text)) {
        out += text;
        return;
    }
    icu::StringByteSink<std::string> sink(&out);
    while (!text.empty()) {
        const std::size_t end = piece_end(*nfc, text);
        const std::size_t had = out.size();
        status = U_ZERO_ERROR;
        nfc->normalizeUTF8(0, icu::StringPiece(text.data(), static_cast<std::int32_t>(end)), sink, nullptr, status);
        if (U_FAILURE(status)) {
            out.resize(had);
            out += text.substr(0, end);
        }
        text.remove_prefix(end);
    }
}

std::string composed(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    append_composed(out, text);
    return out;
}

}  // namespace lomperi
