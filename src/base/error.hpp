#pragma once
#include <expected>
#include <memory>
#include <string>

namespace lomperi {

// An error is a value: a message and, optionally, the error that caused it.
class Error {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    Error(std::string message, Error cause)
        : message_(std::move(message)), cause_(std::make_shared<const Error>(std::move(cause))) {}

    const std::string& message() const { return message_; }
    const Error* cause() const { return cause_.get(); }

    // This error as the cause of a new one that says what was being done.
    Error wrap(std::string context) const& { return Error(std::move(context), *this); }
    Error wrap(std::string context) && { return Error(std::move(context), std::move(*this)); }

    // The message and, when there are causes, an empty line, "Caused by:" and
    // one line per cause, innermost last.
    std::string report() const;

    friend bool operator==(const Error& a, const Error& b);

private:
    std::string message_;
    std::shared_ptr<const Error> cause_;
};

template <class T>
using Result = std::expected<T, Error>;

inline std::unexpected<Error> fail(std::string message) { return std::unexpected(Error(std::move(message))); }

// Passes the error of a failed result on, unchanged or as the cause of a new
// error that says what was being done:
//   if (!header) return forward(header, "parsing glosses.bin header");
template <class T>
std::unexpected<Error> forward(const Result<T>& failed) {
    return std::unexpected(failed.error());
}

template <class T>
std::unexpected<Error> forward(const Result<T>& failed, std::string context) {
    return std::unexpected(failed.error().wrap(std::move(context)));
}

}  // namespace lomperi
