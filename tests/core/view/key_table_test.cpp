#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "core/view/apply_action.hpp"
#include "core/view/key_help.hpp"
#include "core/view/key_table.hpp"
#include "support/kehu_data.hpp"
#include "term/char_width.hpp"

namespace lomperi::view {
namespace {

using term::KeyCode;

// A step of the actions that move or scroll, as (unit, step); none for the others.
std::optional<std::pair<int, std::int64_t>> step_of(const Action& action) {
    if (const auto* a = std::get_if<action::MoveReading>(&action)) return std::pair{static_cast<int>(a->unit), a->step};
    if (const auto* a = std::get_if<action::MoveSelection>(&action)) return std::pair{-1, a->step};
    if (const auto* a = std::get_if<action::ScrollEntry>(&action)) return std::pair{-1, a->step};
    if (const auto* a = std::get_if<action::InsertChar>(&action)) return std::pair{-1, std::int64_t{a->ch}};
    return std::nullopt;
}

bool same(const std::optional<KeyCommand>& got, const std::optional<KeyCommand>& want) {
    if (!got || !want) return got.has_value() == want.has_value();
    if (got->index() != want->index()) return false;
    if (const auto* request = std::get_if<Request>(&*got)) return *request == std::get<Request>(*want);
    const Action& a = std::get<Action>(*got);
    const Action& b = std::get<Action>(*want);
    return a.index() == b.index() && step_of(a) == step_of(b);
}

enum class Shown { Dictionary, TextFromDictionary, TextFromRead, Documents, Table, TextTable };

void show(AppState& state, Shown shown) {
    switch (shown) {
        case Shown::Dictionary: return;
        case Shown::TextFromDictionary: return apply_action(state, action::OpenReading{"text", "kissa on", true});
        case Shown::TextFromRead: return apply_action(state, action::OpenReading{"text", "kissa on", false});
        case Shown::Documents: return apply_action(state, action::OpenDocuments{});
        case Shown::Table: state.table = AppState::TableView{}; return;
        case Shown::TextTable:
            show(state, Shown::TextFromRead);
            state.table = AppState::TableView{};
            return;
    }
}

// The keys whose meaning differs between the screens, and those that do nothing on one.
TEST(KeyTable, EachScreenItsOwnKeys) {
    using action::ReadingUnit;
    using R = Request;
    const auto move = [](ReadingUnit unit, std::int64_t step) { return KeyCommand(Action(action::MoveReading{unit, step})); };
    struct Row {
        Shown shown;
        term::KeyEvent key;
        std::optional<KeyCommand> command;
    };
    const Row rows[] = {
        {Shown::Dictionary, term::key(KeyCode::Esc), R::Quit},
        {Shown::Dictionary, term::char_key(U'c', term::Ctrl), R::Quit},
        {Shown::Dictionary, term::char_key(U'z', term::Ctrl), R::Suspend},
        {Shown::Dictionary, term::char_key(U'e', term::Ctrl), Action(action::ToggleDirection{})},
        {Shown::Dictionary, term::char_key(U's'), Action(action::InsertChar{U's'})},
        {Shown::Dictionary, term::char_key(U' '), Action(action::InsertChar{U' '})},
        {Shown::Dictionary, term::key(KeyCode::Up), Action(action::MoveSelection{-1})},
        {Shown::Dictionary, term::key(KeyCode::Right), std::nullopt},

        {Shown::TextFromDictionary, term::key(KeyCode::Esc), Action(action::LeaveReading{})},
        {Shown::TextFromRead, term::key(KeyCode::Esc), R::Quit},
        {Shown::TextFromRead, term::char_key(U'c', term::Ctrl), R::Quit},
        {Shown::TextFromRead, term::char_key(U'z', term::Ctrl), R::Suspend},
        {Shown::TextFromRead, term::char_key(U's'), R::SaveWord},
        {Shown::TextFromRead, term::char_key(U'S', term::Shift), R::SaveWord},
        {Shown::TextFromRead, term::char_key(U's', term::Alt), std::nullopt},
        {Shown::TextFromRead, term::char_key(U's', term::Ctrl), std::nullopt},
        {Shown::TextFromRead, term::char_key(U'a'), std::nullopt},
        {Shown::TextFromRead, term::char_key(U' '), move(ReadingUnit::Word, 1)},
        {Shown::TextFromRead, term::key(KeyCode::Left), move(ReadingUnit::Word, -1)},
        {Shown::TextFromRead, term::key(KeyCode::Right, term::Ctrl), move(ReadingUnit::Word, 1)},
        {Shown::TextFromRead, term::key(KeyCode::Up), move(ReadingUnit::Line, -1)},
        {Shown::TextFromRead, term::key(KeyCode::Down, term::Ctrl), Action(action::ScrollEntry{1})},
        {Shown::TextFromRead, term::key(KeyCode::PageUp), move(ReadingUnit::Page, -1)},
        {Shown::TextFromRead, term::key(KeyCode::End), move(ReadingUnit::Text, 1)},
        {Shown::TextFromRead, term::char_key(U'f', term::Ctrl), Action(action::ToggleFullscreen{})},
        {Shown::TextFromRead, term::char_key(U'e', term::Ctrl), std::nullopt},
        {Shown::TextFromRead, term::key(KeyCode::Enter), std::nullopt},
        {Shown::TextFromRead, term::key(KeyCode::Tab), std::nullopt},

        {Shown::Dictionary, term::char_key(U't', term::Ctrl), Action(action::ToggleTable{})},
        {Shown::Dictionary, term::char_key(U'n', term::Ctrl), Action(action::StepSuggestion{1})},
        {Shown::TextFromRead, term::char_key(U't', term::Ctrl), Action(action::ToggleTable{})},
        {Shown::Table, term::key(KeyCode::Esc), Action(action::ToggleTable{})},
        {Shown::Table, term::char_key(U'c', term::Ctrl), R::Quit},
        {Shown::TextTable, term::key(KeyCode::Esc), Action(action::ToggleTable{})},

        {Shown::Documents, term::key(KeyCode::Down), Action(action::MoveSelection{1})},
        {Shown::Documents, term::key(KeyCode::Up, term::Ctrl), Action(action::MoveSelection{-1})},
        {Shown::Documents, term::key(KeyCode::Tab), Action(action::SwitchFocus{})},
        {Shown::Documents, term::key(KeyCode::Esc), Action(action::CloseDocuments{})},
        {Shown::Documents, term::char_key(U'c', term::Ctrl), Action(action::CloseDocuments{})},
        {Shown::Documents, term::char_key(U'l', term::Ctrl), Action(action::CloseDocuments{})},
        {Shown::Documents, term::char_key(U'z', term::Ctrl), R::Suspend},
        {Shown::Documents, term::char_key(U'a'), std::nullopt},
        {Shown::Documents, term::key(KeyCode::Enter), std::nullopt},
        {Shown::Documents, term::key(KeyCode::PageDown), std::nullopt},
    };
    for (std::size_t k = 0; k < std::size(rows); ++k) {
        SCOPED_TRACE(::testing::Message() << "row " << k);
        auto data = testing::make_kehu_dictionary(true);
        AppState state(std::move(data.dict));
        show(state, rows[k].shown);
        EXPECT_TRUE(same(key_command(state, rows[k].key), rows[k].command));
    }
}

bool overlap(const Key& a, const Key& b) {
    if (a.code != b.code) return false;
    if (a.code == KeyCode::Char && a.ch != 0 && b.ch != 0 && a.ch != b.ch) return false;
    return a.ctrl == WithCtrl::Either || b.ctrl == WithCtrl::Either || a.ctrl == b.ctrl;
}

// The first row that holds a key wins: a key in two rows would never reach the second.
TEST(KeyTable, NoKeyInTwoRows) {
    for (const KeyTable& table : key_tables()) {
        for (std::size_t i = 0; i < table.rows.size(); ++i) {
            for (std::size_t j = i + 1; j < table.rows.size(); ++j) {
                for (const Key& a : table.rows[i].keys) {
                    for (const Key& b : table.rows[j].keys) {
                        EXPECT_FALSE(overlap(a, b)) << table.screen << ": " << table.rows[i].name << " and " << table.rows[j].name;
                    }
                }
            }
        }
    }
}

TEST(KeyTable, TheHelpNamesEveryRowWithin78Columns) {
    const auto lines = key_help();
    for (const std::string& line : lines) EXPECT_LE(term::display_width(line), 78u) << line;
    for (const KeyTable& table : key_tables()) {
        const std::string heading = "Keys in " + std::string(table.screen) + ":";
        const auto at = std::ranges::find(lines, heading);
        ASSERT_NE(at, lines.end()) << heading;
        for (std::size_t k = 0; k < table.rows.size(); ++k) {
            const auto& line = *(at + 1 + static_cast<std::ptrdiff_t>(k));
            EXPECT_TRUE(line.starts_with("  " + std::string(table.rows[k].name) + " ")) << line;
            EXPECT_TRUE(line.ends_with(table.rows[k].does)) << line;
        }
    }
}

// The arguments of a man page's macro line joined as they are printed:
// `.BR Up ", " Down` is "Up, Down".
std::string macro_text(const std::string& line) {
    std::string text;
    bool quoted = false;
    for (char c : line.substr(line.find(' ') + 1)) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c != ' ' || quoted) {
            text += c;
        }
    }
    return text;
}

// The keys each subsection of KEYS names, by its title.
std::map<std::string, std::set<std::string>> man_page_keys() {
    std::ifstream file(LOMPERI_MAN_PAGE);
    std::map<std::string, std::set<std::string>> keys;
    std::string line;
    std::string section;
    std::string subsection;
    bool tag_next = false;
    while (std::getline(file, line)) {
        if (line.starts_with(".SH ")) section = line.substr(4);
        if (section != "KEYS") continue;
        if (line.starts_with(".SS ")) subsection = macro_text(line);
        if (tag_next) keys[subsection].insert(macro_text(line));
        tag_next = line.starts_with(".TP");
    }
    return keys;
}

TEST(KeyTable, TheManPageNamesTheKeysOfEachTable) {
    const auto documented = man_page_keys();
    ASSERT_EQ(documented.size(), key_tables().size());
    for (const KeyTable& table : key_tables()) {
        const std::string title = "In " + std::string(table.screen);
        ASSERT_TRUE(documented.contains(title)) << title;
        std::set<std::string> names;
        for (const KeyRow& row : table.rows) names.insert(std::string(row.name));
        EXPECT_EQ(documented.at(title), names) << title;
    }
}

}  // namespace
}  // namespace lomperi::view
