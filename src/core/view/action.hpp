#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "core/answer/entry_choice.hpp"

namespace lomperi::view {

using Focus = answer::ListFocus;

// The things input can ask of the application state.
namespace action {
struct InsertChar { char32_t ch; };
struct InsertText { std::string text; };  // typed or pasted together
struct DeleteBack {};
struct MoveSelection { std::int64_t step; };
struct ScrollEntry { std::int64_t step; };
struct Confirm {};
struct SwitchFocus {};
struct FocusPane { Focus focus; };
struct ToggleFullscreen {};
struct SelectMatch { std::size_t index; };
struct SelectInflection { std::size_t index; };
struct SetQuery { std::string word; };
struct OpenDocuments {};
struct CloseDocuments {};
struct ClearQuery {};
struct DeleteWord {};
struct ToggleDirection {};
// The inflection table of the word shown, full-screen, and back.
struct ToggleTable {};
// Show the entry of the next (or previous) suggestion for a word not found.
struct StepSuggestion { std::int64_t step; };
// The reading pane.
// `cut`: a paste longer than the decoder keeps, its rest dropped.
struct OpenReading { std::string name; std::string text; bool from_dictionary = false; bool cut = false; };
struct LeaveReading {};
enum class ReadingUnit : std::uint8_t { Word, Line, Page, Text };
struct MoveReading { ReadingUnit unit; std::int64_t step; };
struct SelectWord { std::size_t index; };
struct ScrollReading { std::int64_t step; };
struct SetReadingStatus { std::string text; bool failed; };
}  // namespace action

using Action = std::variant<action::InsertChar, action::DeleteBack, action::MoveSelection, action::ScrollEntry,
                            action::Confirm, action::SwitchFocus, action::FocusPane, action::ToggleFullscreen,
                            action::SelectMatch, action::SelectInflection, action::SetQuery, action::OpenDocuments,
                            action::CloseDocuments, action::ClearQuery, action::DeleteWord,
                            action::ToggleDirection, action::InsertText, action::OpenReading, action::LeaveReading,
                            action::MoveReading, action::SelectWord, action::ScrollReading, action::SetReadingStatus,
                            action::StepSuggestion, action::ToggleTable>;

}  // namespace lomperi::view
