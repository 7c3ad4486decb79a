#pragma once
// Every headword in key order, numbered by base id: a view of the stored
// headword table, or of one listed from glosses.fst at start-up.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.hpp"
#include "format/headword_table.hpp"

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

        // A damaged headword reads as empty.
        std::string_view operator*() const { return list_->at(at_).value_or(std::string_view{}); }
        std::string_view operator[](difference_type n) const { return *(*this + n); }
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

    HeadwordList() = default;
    // A list over a stored table, whose bytes must outlive it.
    explicit HeadwordList(format::HeadwordTable table) : table_(table) {}
    // A list that owns the bytes of its table.
    static Result<HeadwordList> owning(std::vector<std::uint8_t> file) {
        HeadwordList list;
        list.owned_ = std::move(file);
        auto table = format::HeadwordTable::parse(list.owned_);
        if (!table) return forward(table);
        list.table_ = *table;
        return list;
    }

    std::size_t size() const { return table_.size(); }
    bool empty() const { return size() == 0; }
    // Nothing when `id` is out of range or the stored headword is damaged.
    std::optional<std::string_view> at(std::size_t id) const { return table_.at(id); }

    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, size()}; }

private:
    // Moving a vector keeps its buffer, so the table's views stay valid.
    std::vector<std::uint8_t> owned_;
    format::HeadwordTable table_;
};

}  // namespace lomperi::morphology
