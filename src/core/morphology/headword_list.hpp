#pragma once
// Every headword in key order, numbered by base id: the texts end to end in
// one arena with their end offsets, so that hundreds of thousands of
// headwords cost two allocations and no per-word header.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::morphology {

class HeadwordList {
public:
    class Iterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using iterator_category = std::random_access_iterator_tag;

        Iterator() = default;
        Iterator(const HeadwordList* list, std::size_t at) : list_(list), at_(at) {}

        std::string_view operator*() const { return (*list_)[at_]; }
        std::string_view operator[](difference_type n) const { return (*list_)[at_ + n]; }
        Iterator& operator++() { return *this += 1; }
        Iterator operator++(int) { auto old = *this; ++*this; return old; }
        Iterator& operator--() { return *this -= 1; }
        Iterator operator--(int) { auto old = *this; --*this; return old; }
        Iterator& operator+=(difference_type n) { at_ += n; return *this; }
        Iterator& operator-=(difference_type n) { at_ -= n; return *this; }
        friend Iterator operator+(Iterator i, difference_type n) { return i += n; }
        friend Iterator operator+(difference_type n, Iterator i) { return i += n; }
        friend Iterator operator-(Iterator i, difference_type n) { return i -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b) {
            return static_cast<difference_type>(a.at_) - static_cast<difference_type>(b.at_);
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.at_ == b.at_; }
        friend auto operator<=>(const Iterator& a, const Iterator& b) { return a.at_ <=> b.at_; }

    private:
        const HeadwordList* list_ = nullptr;
        std::size_t at_ = 0;
    };

    void reserve(std::size_t count, std::size_t text_bytes) {
        ends_.reserve(count);
        text_.reserve(text_bytes);
    }
    void push_back(std::string_view headword) {
        text_.append(headword);
        ends_.push_back(static_cast<std::uint32_t>(text_.size()));
    }

    std::size_t size() const { return ends_.size(); }
    std::size_t text_size() const { return text_.size(); }
    bool empty() const { return ends_.empty(); }
    // `id` < size().
    std::string_view operator[](std::size_t id) const {
        const std::uint32_t start = id == 0 ? 0 : ends_[id - 1];
        return std::string_view(text_).substr(start, ends_[id] - start);
    }

    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, size()}; }

private:
    std::string text_;
    std::vector<std::uint32_t> ends_;
};

}  // namespace lomperi::morphology
