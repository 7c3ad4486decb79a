#pragma once
// The command line's text in and out: input read a line at a time with a
// bound on the line, so that a filter's memory does not grow with its input;
// output written as it is made, each failure to write reported.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/error.hpp"
#include "term/char_width.hpp"

namespace lomperi::cli {

inline constexpr std::size_t kMaxLineBytes = 1 << 20;

class LineReader {
public:
    // A file, or standard input for "-". Fails with "cannot read NAME: reason".
    static Result<LineReader> open(const std::string& name);
    LineReader(LineReader&& other) noexcept;
    LineReader& operator=(LineReader&&) = delete;
    ~LineReader();

    // The next line without its line feed (and without a byte-order mark at
    // the start of the input); nothing at the end. A line longer than
    // kMaxLineBytes comes cut at a character boundary, and the rest of it is
    // skipped. The view is valid until the next call.
    Result<std::optional<std::string_view>> next();
    bool was_cut() const { return cut_; }
    // The number of the line last returned, from 1, and where it starts.
    std::uint64_t line_number() const { return line_; }
    std::uint64_t line_offset() const { return line_offset_; }
    const std::string& name() const { return name_; }

private:
    LineReader(int fd, bool owned, std::string name) : fd_(fd), owned_(owned), name_(std::move(name)) {}
    Result<bool> fill();
    std::string_view take_line(std::size_t begin, std::size_t length);

    int fd_ = -1;
    bool owned_ = false;
    std::string name_;
    std::string buffer_;
    std::size_t start_ = 0;  // where the next line begins in buffer_
    bool at_end_ = false;
    bool first_ = true;
    bool skipping_ = false;  // inside the rest of a cut line
    bool cut_ = false;
    std::uint64_t line_ = 0;
    std::uint64_t consumed_ = 0;  // bytes of the input before buffer_
    std::uint64_t line_offset_ = 0;
};

// Writes to a file descriptor through a buffer: flushed after every line
// when it goes to a terminal or a pipe (someone may be reading as it comes),
// else when full. The first failure is kept and every later write skipped.
class Output {
public:
    explicit Output(int fd);
    void write(std::string_view text);
    // Ends a unit of output: a line of a filter, a word's entry.
    void end_line();
    // Writes what is buffered; the first failure, "cannot write to NAME: reason".
    Result<void> finish(std::string_view name);

private:
    void flush();

    int fd_;
    bool line_buffered_;
    std::string buffer_;
    int error_ = 0;
};

using term::append_printable;
using term::printable;

}  // namespace lomperi::cli
