#include "term/decoder.hpp"

#include <algorithm>
#include <cstdint>

#include "term/csi.hpp"
#include "base/utf8.hpp"

namespace lomperi::term {
namespace {

constexpr char kEsc = '\x1b';
constexpr std::string_view kPasteEnd = "\x1b[201~";
constexpr std::chrono::milliseconds kEscWait{50};
constexpr std::chrono::milliseconds kPasteWait{1000};

std::uint8_t byte_at(std::string_view s, std::size_t i) { return static_cast<std::uint8_t>(s[i]); }

// One decoding step at the front of the held bytes.
struct Step {
    bool need_more = false;
    std::size_t used = 0;
    CsiMeaning meaning{};
    bool skip_rest = false;  // an overlong sequence: drop its remaining bytes as they come
};

Step need_more() { return Step{.need_more = true}; }
Step drop(std::size_t used) { return Step{.used = used}; }
Step emit(std::size_t used, Event ev) { return Step{.used = used, .meaning = std::move(ev)}; }
Step emit_key(std::size_t used, std::optional<KeyEvent> k) {
    return k ? emit(used, Event{*k}) : drop(used);
}

std::optional<KeyEvent> ascii_key(std::uint8_t b) {
    switch (b) {
        case 0x00: return char_key(U' ', Ctrl);
        case 0x09: return key(KeyCode::Tab);
        case 0x0a:
        case 0x0d: return key(KeyCode::Enter);
        case 0x08:
        case 0x7f: return key(KeyCode::Backspace);
        case 0x1b: return key(KeyCode::Esc);
        default: break;
    }
    if (b >= 0x01 && b <= 0x1a) return char_key(U'a' + (b - 1), Ctrl);
    if (b >= 0x1c && b <= 0x1f) return char_key(U'4' + (b - 0x1c), Ctrl);
    if (b < 0x7f) return char_key(b);
    return std::nullopt;
}

// A character typed as UTF-8; invalid bytes and C1 controls are dropped.
Step utf8_char(std::string_view s, std::uint8_t mods) {
    const Utf8Step u = decode_utf8(s);
    if (u.status == Utf8Step::Incomplete) return need_more();
    if (u.status == Utf8Step::Invalid) return drop(u.length);
    std::optional<KeyEvent> k;
    if (u.code_point < 0x80) {
        k = ascii_key(static_cast<std::uint8_t>(u.code_point));
    } else if (u.code_point >= 0xa0) {
        k = char_key(u.code_point);
    }
    if (k) k->modifiers |= mods;
    return emit_key(u.length, k);
}

Step x10_mouse(std::string_view s) {
    if (s.size() < 6) return need_more();
    const std::uint32_t b = byte_at(s, 3), x = byte_at(s, 4), y = byte_at(s, 5);
    if (b < 32 || x < 32 || y < 32) return drop(6);
    if (auto ev = decode_mouse(b - 32, x - 32, y - 32, MouseEncoding::X10, false)) return emit(6, Event{*ev});
    return drop(6);
}

// The Linux console's F1 to F5: ESC "[[" A..E.
Step linux_function_key(std::string_view s) {
    if (s.size() < 4) return need_more();
    const char c = s[3];
    if (c >= 'A' && c <= 'E') return emit(4, Event{function_key(static_cast<std::uint8_t>(c - 'A' + 1))});
    return drop(3);
}

Step csi(std::string_view s) {
    if (s.size() < 3) return need_more();
    if (s[2] == 'M') return x10_mouse(s);
    if (s[2] == '[') return linux_function_key(s);
    for (std::size_t i = 2; i < s.size(); ++i) {
        const std::uint8_t c = byte_at(s, i);
        if (i >= Decoder::kMaxSequence) return Step{.used = i, .skip_rest = true};
        if (c >= 0x20 && c <= 0x3f) continue;
        if (c >= 0x40 && c <= 0x7e) {
            return Step{.used = i + 1, .meaning = interpret_csi(s.substr(2, i - 2), static_cast<char>(c))};
        }
        // A new ESC starts over; any other byte breaks the sequence and goes with it.
        return drop(c == 0x1b ? i : i + 1);
    }
    if (s.size() >= Decoder::kMaxSequence) return Step{.used = s.size(), .skip_rest = true};
    return need_more();
}

// SS3 with at most kMaxSs3 bytes before its final byte; a longer one is
// dropped up to that length only, so that what follows is decoded however
// the bytes were split into reads.
constexpr std::size_t kMaxSs3 = 8;

Step ss3(std::string_view s) {
    for (std::size_t i = 2; i < s.size() && i < kMaxSs3; ++i) {
        const std::uint8_t c = byte_at(s, i);
        if ((c >= '0' && c <= '9') || c == ';') continue;
        if (c >= 0x40 && c <= 0x7e) return emit_key(i + 1, interpret_ss3(s.substr(2, i - 2), static_cast<char>(c)));
        return drop(c == 0x1b ? i : i + 1);
    }
    return s.size() < kMaxSs3 ? need_more() : drop(kMaxSs3);
}

Step escape(std::string_view s) {
    if (s.size() < 2) return need_more();
    if (s[1] == '[') return csi(s);
    if (s[1] == 'O') return ss3(s);
    if (s[1] == kEsc) return emit(1, Event{key(KeyCode::Esc)});
    // ESC before a key is that key with Alt.
    Step inner = utf8_char(s.substr(1), Alt);
    if (!inner.need_more) inner.used += 1;
    return inner;
}

Step step(std::string_view s) {
    if (s[0] == kEsc) return escape(s);
    return utf8_char(s, NoKeyModifier);
}

// Length of the longest tail of s that is a proper start of the paste end marker.
std::size_t marker_prefix_at_end(std::string_view s) {
    for (std::size_t n = std::min(s.size(), kPasteEnd.size() - 1); n > 0; --n) {
        if (s.substr(s.size() - n) == kPasteEnd.substr(0, n)) return n;
    }
    return 0;
}

// A cut paste ends with whole characters only.
void drop_incomplete_tail(std::string& text) {
    const std::size_t n = text.size();
    for (std::size_t back = 1; back <= std::min<std::size_t>(n, 4); ++back) {
        const std::size_t start = n - back;
        if ((static_cast<std::uint8_t>(text[start]) & 0xc0) == 0x80) continue;
        const Utf8Step u = decode_utf8(std::string_view(text).substr(start));
        if (u.status == Utf8Step::Incomplete) text.erase(start);
        return;
    }
}

}  // namespace

std::vector<Event> Decoder::feed(std::string_view bytes) {
    std::vector<Event> out;
    pending_.append(bytes);
    decode_pending(out);
    return out;
}

std::optional<std::chrono::milliseconds> Decoder::pending_wait() const {
    if (in_paste_) return kPasteWait;
    if (!pending_.empty() || skipping_) return kEscWait;
    return std::nullopt;
}

std::vector<Event> Decoder::flush_pending() {
    std::vector<Event> out;
    skipping_ = false;
    if (in_paste_) {
        append_paste(pending_);
        pending_.clear();
        end_paste(out);
        return out;
    }
    if (pending_ == "\x1b") {
        out.emplace_back(key(KeyCode::Esc));
    } else if (pending_.size() == 2 && pending_[0] == kEsc && (pending_[1] == '[' || pending_[1] == 'O')) {
        out.emplace_back(char_key(static_cast<char32_t>(pending_[1]), Alt));
    }
    pending_.clear();
    return out;
}

void Decoder::decode_pending(std::vector<Event>& out) {
    std::size_t pos = 0;
    while (pos < pending_.size()) {
        const std::string_view rest = std::string_view(pending_).substr(pos);
        if (in_paste_) {
            pos += take_paste(rest, out);
            if (in_paste_) break;
            continue;
        }
        if (skipping_) {
            pos += skip_sequence_rest(rest);
            continue;
        }
        Step s = step(rest);
        if (s.need_more) break;
        pos += std::max<std::size_t>(s.used, 1);
        skipping_ = s.skip_rest;
        if (std::holds_alternative<PasteStart>(s.meaning)) {
            in_paste_ = true;
        } else if (auto* ev = std::get_if<Event>(&s.meaning)) {
            out.push_back(std::move(*ev));
        }
    }
    pending_.erase(0, pos);
}

std::size_t Decoder::skip_sequence_rest(std::string_view rest) {
    std::size_t i = 0;
    while (i < rest.size()) {
        const auto c = static_cast<std::uint8_t>(rest[i]);
        if (c >= 0x20 && c <= 0x3f) {
            ++i;
            continue;
        }
        skipping_ = false;
        return (c >= 0x40 && c <= 0x7e) ? i + 1 : i;
    }
    return i;
}

std::size_t Decoder::take_paste(std::string_view rest, std::vector<Event>& out) {
    const std::size_t end = rest.find(kPasteEnd);
    if (end != std::string_view::npos) {
        append_paste(rest.substr(0, end));
        end_paste(out);
        return end + kPasteEnd.size();
    }
    const std::size_t keep = marker_prefix_at_end(rest);
    append_paste(rest.substr(0, rest.size() - keep));
    return rest.size() - keep;
}

void Decoder::append_paste(std::string_view text) {
    if (paste_full_) return;
    const std::size_t room = kMaxPaste - std::min(kMaxPaste, paste_.size());
    if (text.size() <= room) {
        paste_.append(text);
        return;
    }
    paste_.append(text.substr(0, room));
    drop_incomplete_tail(paste_);
    paste_full_ = true;
}

void Decoder::end_paste(std::vector<Event>& out) {
    out.emplace_back(Paste{std::move(paste_), paste_full_});
    paste_.clear();
    paste_full_ = false;
    in_paste_ = false;
}

}  // namespace lomperi::term
