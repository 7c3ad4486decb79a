#include "support/screen_model.hpp"

#include <charconv>

#include "base/utf8.hpp"

namespace lomperi::testing {
namespace {

std::size_t parameter(std::string_view params, std::size_t index, std::size_t fallback) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) {
        start = params.find(';', start);
        if (start == std::string_view::npos) return fallback;
        ++start;
    }
    const auto end = params.find(';', start);
    const auto field = params.substr(start, end == std::string_view::npos ? params.size() - start : end - start);
    std::size_t value = 0;
    const auto [ptr, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || value == 0) return fallback;
    return value;
}

}  // namespace

ScreenModel::ScreenModel(std::size_t columns, std::size_t rows) { resize(columns, rows); }

void ScreenModel::resize(std::size_t columns, std::size_t rows) {
    columns_ = columns;
    rows_ = rows;
    cells_.assign(rows, std::u32string(columns, U' '));
    x_ = y_ = 0;
}

void ScreenModel::apply(std::string_view output) {
    std::size_t i = 0;
    std::u32string text;
    while (i < output.size()) {
        const auto byte = static_cast<unsigned char>(output[i]);
        if (byte == 0x1b && i + 1 < output.size() && output[i + 1] == '[') {
            put(text);
            text.clear();
            std::size_t end = i + 2;
            while (end < output.size() && (output[end] < 0x40 || output[end] > 0x7e)) ++end;
            if (end >= output.size()) return;
            csi(output.substr(i + 2, end - i - 2), output[end]);
            i = end + 1;
            continue;
        }
        if (byte < 0x20) {
            ++i;
            continue;
        }
        const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t ch = length == 1 ? byte : byte & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < output.size(); ++k) {
            ch = (ch << 6) | (static_cast<unsigned char>(output[i + k]) & 0x3F);
        }
        text += ch;
        i += length;
    }
    put(text);
}

void ScreenModel::put(std::u32string_view text) {
    for (char32_t ch : text) {
        if (y_ < rows_ && x_ < columns_) cells_[y_][x_] = ch;
        ++x_;
    }
}

void ScreenModel::csi(std::string_view params, char final_byte) {
    if (!params.empty() && params[0] == '?') return;
    if (final_byte == 'H') {
        y_ = parameter(params, 0, 1) - 1;
        x_ = parameter(params, 1, 1) - 1;
    } else if (final_byte == 'J' && params == "2") {
        for (auto& row : cells_) row.assign(columns_, U' ');
    }
}

std::string ScreenModel::row(std::size_t index) const {
    std::string out;
    if (index >= rows_) return out;
    for (char32_t ch : cells_[index]) lomperi::append_utf8(out, ch);
    return out;
}

bool ScreenModel::contains(std::string_view text) const {
    for (std::size_t y = 0; y < rows_; ++y) {
        if (row(y).find(text) != std::string::npos) return true;
    }
    return false;
}

std::string ScreenModel::picture() const {
    std::string out;
    for (std::size_t y = 0; y < rows_; ++y) out += row(y) + "\n";
    return out;
}

}  // namespace lomperi::testing
