#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::testing {

// Just enough of a terminal to read back what a program drew: cursor
// positioning, clearing and text. Styles and mode switches are skipped.
class ScreenModel {
public:
    ScreenModel(std::size_t columns, std::size_t rows);

    void apply(std::string_view output);
    void resize(std::size_t columns, std::size_t rows);

    std::string row(std::size_t index) const;
    bool contains(std::string_view text) const;
    std::string picture() const;

private:
    void put(std::u32string_view text);
    void csi(std::string_view params, char final_byte);

    std::size_t columns_;
    std::size_t rows_;
    std::vector<std::u32string> cells_;
    std::size_t x_ = 0;
    std::size_t y_ = 0;
};

}  // namespace lomperi::testing
