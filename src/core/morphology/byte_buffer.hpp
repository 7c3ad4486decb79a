#pragma once
// An owned byte buffer allocated at its final size without being zeroed, for
// buffers that are filled right away (a frame of the gloss body is written by
// the decompressor).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "base/bytes.hpp"

namespace lomperi::morphology {

class ByteBuffer {
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::size_t size) : data_(size ? new std::uint8_t[size] : nullptr), size_(size) {}
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;
    ByteBuffer(ByteBuffer&& other) noexcept
        : data_(std::move(other.data_)), size_(std::exchange(other.size_, 0)) {}
    ByteBuffer& operator=(ByteBuffer&& other) noexcept {
        data_ = std::move(other.data_);
        size_ = std::exchange(other.size_, 0);
        return *this;
    }

    std::uint8_t* data() { return data_.get(); }
    const std::uint8_t* data() const { return data_.get(); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    std::uint8_t* begin() { return data(); }
    std::uint8_t* end() { return data() + size_; }
    const std::uint8_t* begin() const { return data(); }
    const std::uint8_t* end() const { return data() + size_; }

    std::uint8_t& operator[](std::size_t i) { return data_[i]; }
    std::uint8_t operator[](std::size_t i) const { return data_[i]; }

    Bytes bytes() const { return {data(), size_}; }
    operator Bytes() const { return bytes(); }

private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t size_ = 0;
};

}  // namespace lomperi::morphology
