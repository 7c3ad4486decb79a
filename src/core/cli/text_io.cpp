#include "core/cli/text_io.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fmt/format.h>

#include "base/file_descriptor.hpp"
#include "base/utf8.hpp"
#include "term/char_width.hpp"

namespace lomperi::cli {
namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::size_t kOutputChunk = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::unexpected<Error> cannot_read(const std::string& name, int error) {
    return fail(fmt::format("cannot read {}: {}", name, std::strerror(error)));
}

// The bytes of `text` up to `limit`, not splitting a character.
std::size_t character_boundary(std::string_view text, std::size_t limit) {
    if (limit >= text.size()) return text.size();
    while (limit > 0 && !starts_code_point(text[limit])) --limit;
    return limit;
}

}  // namespace

Result<LineReader> LineReader::open(const std::string& name) {
    if (name == "-") return LineReader(STDIN_FILENO, false, "standard input");
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return cannot_read(name, errno);
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return cannot_read(name, EISDIR);
    }
    return LineReader(fd, true, name);
}

LineReader::LineReader(LineReader&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      owned_(std::exchange(other.owned_, false)),
      name_(std::move(other.name_)),
      buffer_(std::move(other.buffer_)),
      start_(other.start_),
      at_end_(other.at_end_),
      first_(other.first_),
      skipping_(other.skipping_),
      cut_(other.cut_),
      line_(other.line_),
      consumed_(other.consumed_),
      line_offset_(other.line_offset_) {}

LineReader::~LineReader() {
    if (owned_ && fd_ >= 0) ::close(fd_);
}

// Reads more input after what is buffered; false at the end.
Result<bool> LineReader::fill() {
    if (start_ > 0) {
        consumed_ += start_;
        buffer_.erase(0, start_);
        start_ = 0;
    }
    const std::size_t had = buffer_.size();
    buffer_.resize(had + kReadChunk);
    ssize_t got = 0;
    while ((got = ::read(fd_, buffer_.data() + had, kReadChunk)) < 0 && errno == EINTR) {
    }
    if (got < 0) {
        const int error = errno;
        buffer_.resize(had);
        return cannot_read(name_, error);
    }
    buffer_.resize(had + static_cast<std::size_t>(got));
    if (first_) {
        // A byte-order mark is told once three bytes are in, or the input ended.
        const std::string_view head = std::string_view(buffer_).substr(0, kByteOrderMark.size());
        if (!kByteOrderMark.starts_with(head) || head.size() == kByteOrderMark.size() || got == 0) {
            first_ = false;
            if (head == kByteOrderMark) start_ = kByteOrderMark.size();
        }
    }
    return got > 0;
}

std::string_view LineReader::take_line(std::size_t begin, std::size_t length) {
    ++line_;
    line_offset_ = consumed_ + begin;
    return std::string_view(buffer_).substr(begin, length);
}

Result<std::optional<std::string_view>> LineReader::next() {
    cut_ = false;
    std::size_t searched = start_;
    for (;;) {
        if (const std::size_t end = buffer_.find('\n', searched); end != std::string::npos) {
            const std::size_t begin = start_;
            start_ = end + 1;
            searched = start_;
            if (std::exchange(skipping_, false)) continue;
            const std::string_view line = std::string_view(buffer_).substr(begin, end - begin);
            cut_ = line.size() > kMaxLineBytes;
            return std::optional<std::string_view>(take_line(begin, character_boundary(line, kMaxLineBytes)));
        }
        if (skipping_) start_ = buffer_.size();
        if (!skipping_ && buffer_.size() - start_ > kMaxLineBytes) {
            // Too long: the start of the line now, the rest skipped up to its end.
            const std::size_t begin = start_;
            start_ = buffer_.size();
            skipping_ = true;
            cut_ = true;
            return std::optional<std::string_view>(
                take_line(begin, character_boundary(std::string_view(buffer_).substr(begin), kMaxLineBytes)));
        }
        if (at_end_) break;
        // fill() moves what is left to the buffer's start.
        const std::size_t searched_bytes = buffer_.size() - start_;
        auto more = fill();
        if (!more) return forward(more);
        at_end_ = !*more;
        searched = std::max(start_, searched_bytes);
    }
    if (skipping_ || start_ >= buffer_.size()) return std::optional<std::string_view>{};
    const std::size_t begin = start_;
    start_ = buffer_.size();
    return std::optional<std::string_view>(take_line(begin, buffer_.size() - begin));
}

Output::Output(int fd) : fd_(fd) {
    struct stat info {};
    line_buffered_ = ::isatty(fd) || (::fstat(fd, &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)));
}

void Output::write(std::string_view text) {
    if (error_ != 0) return;
    buffer_ += text;
    if (buffer_.size() >= kOutputChunk) flush();
}

void Output::end_line() {
    if (line_buffered_) flush();
}

void Output::flush() {
    if (error_ == 0) error_ = write_all(fd_, buffer_).error;
    buffer_.clear();
}

Result<void> Output::finish(std::string_view name) {
    flush();
    if (error_ != 0) return fail(fmt::format("cannot write to {}: {}", name, std::strerror(error_)));
    return {};
}

}  // namespace lomperi::cli
