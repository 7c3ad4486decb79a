#include "base/file_descriptor.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>

#include <cerrno>
#include <filesystem>
#include <string>

namespace lomperi {
namespace {

class TemporaryFile {
public:
    TemporaryFile() : path_(std::filesystem::temp_directory_path() / ("lomperi-fd-test-" + std::to_string(::getpid()))) {}
    ~TemporaryFile() { std::filesystem::remove(path_); }
    FileDescriptor open(int flags) const { return FileDescriptor(::open(path_.c_str(), flags | O_CLOEXEC, 0644)); }

private:
    std::filesystem::path path_;
};

// What is written comes back whole; a read stops one byte past its limit.
TEST(FileDescriptor, WritesWholeAndReadsUpToOnePastTheLimit) {
    std::string text(300'000, '\0');
    for (std::size_t k = 0; k < text.size(); ++k) text[k] = static_cast<char>(k * 7);
    const TemporaryFile file;
    const Written written = file.open(O_WRONLY | O_CREAT | O_TRUNC).write_all(text);
    EXPECT_TRUE(written.whole());
    EXPECT_EQ(written.bytes, text.size());
    const struct {
        std::size_t limit;
        std::size_t expected;
    } reads[] = {{text.size(), text.size()}, {text.size() + 5, text.size()}, {text.size() - 1, text.size()}, {1000, 1001}, {0, 1}};
    for (const auto& read : reads) {
        const auto got = file.open(O_RDONLY).read_limited(read.limit);
        ASSERT_TRUE(got.has_value()) << read.limit;
        EXPECT_EQ(*got, text.substr(0, read.expected)) << read.limit;
    }
}

// Each way a write stops says how far it came and why.
TEST(FileDescriptor, AWriteThatStopsSaysWhy) {
    const std::string big(1 << 20, 'x');
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC | O_NONBLOCK), 0);
    FileDescriptor reader(ends[0]);
    const FileDescriptor writer(ends[1]);
    const Written full = writer.write_all(big);
    EXPECT_EQ(full.error, EAGAIN);
    EXPECT_GT(full.bytes, 0u);
    EXPECT_LT(full.bytes, big.size());

    const Written stopped = write_all(writer.get(), "x", [] { return true; });
    EXPECT_EQ(stopped.error, EINTR);
    EXPECT_EQ(stopped.bytes, 0u);

    reader = FileDescriptor();
    const auto previous = ::signal(SIGPIPE, SIG_IGN);
    EXPECT_EQ(writer.write_all("x").error, EPIPE);
    ::signal(SIGPIPE, previous);

    const FileDescriptor device_full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
    if (device_full.get() >= 0) {
        EXPECT_EQ(device_full.write_all("x").error, ENOSPC);
    }
    EXPECT_EQ(FileDescriptor().write_all("x").error, EBADF);
    EXPECT_TRUE(FileDescriptor().write_all("").whole());
    EXPECT_EQ(FileDescriptor().read_limited(10).error(), EBADF);
}

}  // namespace
}  // namespace lomperi
