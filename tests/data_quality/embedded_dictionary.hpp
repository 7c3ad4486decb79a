#pragma once
// The data set compiled into the program, loaded once per test program:
// whole, and without its English side (as the program was before it had one).
#include <stdexcept>

#include "core/morphology/dictionary.hpp"
#include "embedded/embedded_data.hpp"

namespace lomperi::morphology {

inline Dictionary load_embedded(bool with_english) {
    auto files = embedded::data_files();
    // A set without its English side is another set: its checksums go too.
    if (!with_english) {
        for (const auto file : {DataFile::english_fst, DataFile::english_bin, DataFile::checksums_bin}) files[file] = {};
    }
    auto loaded = load_dictionary(files);
    if (!loaded) throw std::runtime_error(loaded.error().report());
    return std::move(*loaded);
}

inline const Dictionary& embedded_dictionary() {
    static const Dictionary dictionary = load_embedded(true);
    return dictionary;
}

inline const Dictionary& embedded_dictionary_without_english() {
    static const Dictionary dictionary = load_embedded(false);
    return dictionary;
}

}  // namespace lomperi::morphology
