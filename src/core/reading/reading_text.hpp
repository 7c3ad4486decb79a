#pragma once
// A text opened for reading: its characters made safe for the screen and
// for a tab-separated file, and its words with where they stand.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::reading {

// Longer texts are refused: opening and wrapping stay within a frame's time.
inline constexpr std::size_t kMaxReadingBytes = std::size_t{64} << 20;
// A sentence saved for review is cut to this, at a character boundary.
inline constexpr std::size_t kMaxSentenceBytes = 1000;

// A word longer than this is taken as its first bytes.
inline constexpr std::size_t kMaxWordBytes = 255;

// Asked now and then while a long text is opened or wrapped: true stops the
// work where it is, leaving the text or its lines cut short, as the program
// is about to end.
using Interrupted = std::function<bool()>;
// Words or lines of the text between two questions: a few milliseconds' work.
inline constexpr std::size_t kWorkBetweenQuestions = std::size_t{1} << 16;

struct TextWord {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

class ReadingText {
public:
    ReadingText() = default;
    // Bytes that are not UTF-8 become U+FFFD; a line ends at a line feed, a
    // carriage return or both (old Macs, Windows) and becomes a line feed;
    // tabs and other control characters become spaces; a byte-order mark at
    // the start goes; the text is composed (base/composition.hpp). The
    // caller keeps `text` within kMaxReadingBytes.
    ReadingText(std::string name, std::string_view text, const Interrupted& interrupted = {});

    const std::string& name() const { return name_; }
    const std::string& text() const { return text_; }
    std::size_t word_count() const { return offsets_.size(); }
    // Where the word stands; the caller keeps index below word_count().
    TextWord at(std::size_t index) const { return {offsets_[index], lengths_[index]}; }
    std::string_view word(std::size_t index) const;
    // The first word at or after a byte of the text; word_count() for none.
    std::size_t first_word_from(std::size_t offset) const;
    // The bytes kept besides the text, for the memory budget.
    std::size_t index_bytes() const { return offsets_.capacity() * 4 + lengths_.capacity(); }

    // The sentence the word stands in, on one line: from after the previous
    // sentence's end (".", "!", "?", "…" before a space, or an empty line) to
    // its own end, at most kMaxSentenceBytes around the word.
    std::string sentence_of(std::size_t index) const;

private:
    std::string name_;
    std::string text_;
    // Apart, so that a word costs five bytes: a long text is mostly words.
    std::vector<std::uint32_t> offsets_;
    std::vector<std::uint8_t> lengths_;
};

}  // namespace lomperi::reading
