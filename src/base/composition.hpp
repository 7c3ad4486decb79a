#pragma once
// Composed text (Unicode normalization form C), as a keyboard types it: a
// letter followed by a combining mark becomes one character ("a" + U+0308 is
// "ä"). Text copied from a PDF or named by macOS comes decomposed, and its
// words would otherwise match no headword or word form.
#include <string>
#include <string_view>

namespace lomperi {

// Appends `text` composed. Bytes that are not UTF-8 pass through as they are.
void append_composed(std::string& out, std::string_view text);

std::string composed(std::string_view text);

}  // namespace lomperi
