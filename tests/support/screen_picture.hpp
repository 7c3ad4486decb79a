#pragma once
// Screen tests of the main screen: a small dictionary with the state and cache
// drawn from it, frames rendered into an in-memory buffer, and pictures (one
// string per row) compared with what a test expects.
//
//   lomperi::testing::Scene scene(lomperi::testing::make_kehu_dictionary());
//   scene.type("kehu");
//   EXPECT_TRUE(lomperi::testing::same_picture(scene.frame(50, 12), {"┌ lmp 10 ─…", ...}));
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/expand/entry_view.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "core/morphology/phrase_lookup.hpp"
#include "core/view/draw.hpp"
#include "support/buffer_picture.hpp"
#include "support/test_data.hpp"

namespace lomperi::testing {

// The rows of `area` (the whole buffer by default), trailing spaces dropped.
inline std::vector<std::string> picture(const term::Buffer& buffer, std::optional<term::Rect> area = std::nullopt) {
    const term::Rect r = area.value_or(buffer.area());
    std::vector<std::string> rows;
    for (std::uint32_t y = r.y; y < std::uint32_t{r.y} + r.height; ++y) {
        std::string row;
        for (std::uint32_t x = r.x; x < std::uint32_t{r.x} + r.width; ++x) {
            append_utf8(row, buffer.get(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)).ch);
        }
        row.erase(row.find_last_not_of(' ') + 1);
        rows.push_back(std::move(row));
    }
    return rows;
}

// The style letters (see style_letter) of `width` cells from x,y.
inline std::string styles_at(const term::Buffer& buffer, std::uint16_t x, std::uint16_t y, std::uint16_t width) {
    std::string out;
    for (std::uint32_t k = x; k < std::uint32_t{x} + width; ++k) {
        out.push_back(style_letter(buffer.get(static_cast<std::uint16_t>(k), y).style));
    }
    return out;
}

// Success when the pictures are equal; otherwise both pictures, the differing rows marked.
inline ::testing::AssertionResult same_picture(const std::vector<std::string>& actual,
                                               const std::vector<std::string>& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    const std::size_t rows = std::max(actual.size(), expected.size());
    auto row_of = [](const std::vector<std::string>& p, std::size_t k) { return k < p.size() ? p[k] : "<none>"; };
    failure << "pictures differ (* marks a differing row)\n-- actual:\n";
    for (std::size_t k = 0; k < rows; ++k) {
        failure << (row_of(actual, k) == row_of(expected, k) ? "  " : "* ") << '|' << row_of(actual, k) << "|\n";
    }
    failure << "-- expected:\n";
    for (std::size_t k = 0; k < rows; ++k) {
        failure << (row_of(actual, k) == row_of(expected, k) ? "  " : "* ") << '|' << row_of(expected, k) << "|\n";
    }
    return failure;
}

inline ::testing::AssertionResult same_picture(const term::Buffer& buffer, const std::vector<std::string>& expected) {
    return same_picture(picture(buffer), expected);
}

// A dictionary's bytes with the state that owns the dictionary and the cache
// the draws fill. Fields are set directly, as the update code would leave them.
class Scene {
public:
    explicit Scene(TestDictionary t) : data_(std::move(t.data)), state(std::move(t.dict)) {}
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The query with both lists searched, selections at the top, and the
    // first match's entry shown.
    void type(std::string_view query) {
        state.query = query;
        const bool typed = !state.query.empty();
        state.matches = typed ? morphology::search_headwords(state.dictionary.glosses, query, morphology::kListLimit)
                              : std::vector<morphology::HeadwordMatch>{};
        state.candidates = typed ? morphology::inflection_candidates(state.dictionary, query)
                                 : std::vector<morphology::InflectionCandidate>{};
        state.selected = {0, 0};
        state.focus = view::Focus::Matches;
        state.no_results = typed && state.matches.empty() && state.candidates.empty();
        state.kept_headword.reset();
        state.kept_record.reset();
        state.kept_lines.clear();
        if (state.matches.empty()) {
            clear_entry();
        } else {
            show(state.matches.front().headword);
        }
    }

    // Shows the headword's entry (only the headword when it has no record).
    void show(std::string_view headword) {
        clear_entry();
        state.shown_headword = std::string{headword};
        state.shown_record = state.dictionary.gloss_record(headword);
        if (state.shown_record) {
            auto view = expand::build_entry_view(state.dictionary, headword, *state.shown_record);
            state.shown_lines = std::move(view.lines);
            state.shown_links = std::move(view.links);
        }
        ++state.revision;
    }

    // What Enter does: the shown entry stays on screen, dimmed, and the query is cleared.
    void keep() {
        state.kept_headword = std::move(state.shown_headword);
        state.kept_record = std::move(state.shown_record);
        state.kept_lines = std::move(state.shown_lines);
        clear_entry();
        state.query.clear();
        state.matches.clear();
        state.candidates.clear();
        state.no_results = false;
        ++state.revision;
    }

    void clear_entry() {
        state.shown_headword.reset();
        state.shown_record.reset();
        state.shown_lines.clear();
        state.shown_links.clear();
        ++state.revision;
    }

    // One frame of the given size, as the main loop would draw it.
    term::Buffer frame(std::uint16_t width, std::uint16_t height) {
        term::Buffer buffer(term::Rect{0, 0, width, height});
        view::draw_frame(buffer, state, cache);
        return buffer;
    }

private:
    morphology::DataSet data_;  // the dictionary's word maps read these bytes

public:
    view::AppState state;
    view::ViewCache cache;
};

}  // namespace lomperi::testing
