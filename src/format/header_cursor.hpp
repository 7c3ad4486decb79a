#pragma once
// Reading the head of a data file: a cursor that bounds every read, and the
// four-byte magic with its version byte that each "LMP?" file starts with.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/bytes.hpp"
#include "base/error.hpp"

namespace lomperi::format {

// A read past the end marks the cursor truncated and gives nothing from then
// on, so a parse checks once per step of its format.
class HeaderCursor {
public:
    explicit HeaderCursor(Bytes bytes) : bytes_(bytes) {}

    Bytes take(std::size_t count) {
        if (truncated_ || count > bytes_.size() - at_) {
            truncated_ = true;
            return {};
        }
        const Bytes taken = bytes_.subspan(at_, count);
        at_ += count;
        return taken;
    }
    std::uint8_t u8() {
        const Bytes taken = take(1);
        return taken.empty() ? 0 : taken[0];
    }
    std::uint32_t u32() {
        const Bytes taken = take(4);
        return taken.empty() ? 0 : read_u32(taken, 0);
    }
    bool truncated() const { return truncated_; }
    std::size_t position() const { return at_; }
    // The bytes after the cursor.
    Bytes rest() const { return bytes_.subspan(at_); }

private:
    Bytes bytes_;
    std::size_t at_ = 0;
    bool truncated_ = false;
};

// What a file's head says it is; `name` goes into the messages: "truncated
// {name} header", "bad {name} magic", "unsupported {name} version {}"
// (glosses.bin has none: "bad magic").
struct FileKind {
    std::string_view magic;
    std::uint8_t version = 1;
    std::string_view name;
    // Bytes the whole head takes, checked before anything else: a file
    // shorter than its head is truncated whatever its bytes say.
    std::size_t head_size = 0;
};

// Takes the magic and the version byte, checking them in that order.
Result<void> read_file_head(HeaderCursor& cursor, const FileKind& kind);

}  // namespace lomperi::format
