#include "catalogues.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lomperi::data_build {
namespace {

// A .mo file of (message, translation) pairs in the given byte order.
std::string mo_file(const std::vector<std::pair<std::string, std::string>>& messages, bool big_endian = false) {
    std::string out;
    const auto u32 = [&](std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            const int shift = big_endian ? 24 - 8 * i : 8 * i;
            out += static_cast<char>((value >> shift) & 0xff);
        }
    };
    const auto count = static_cast<std::uint32_t>(messages.size());
    const std::uint32_t originals = 28;
    const std::uint32_t translations = originals + 8 * count;
    std::uint32_t offset = translations + 8 * count;
    u32(0x950412de);
    u32(0);
    u32(count);
    u32(originals);
    u32(translations);
    u32(0);
    u32(0);
    std::string strings;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> original_entries, translation_entries;
    for (const auto& [message, translation] : messages) {
        original_entries.emplace_back(static_cast<std::uint32_t>(message.size()), offset + static_cast<std::uint32_t>(strings.size()));
        strings += message + '\0';
    }
    for (const auto& [message, translation] : messages) {
        translation_entries.emplace_back(static_cast<std::uint32_t>(translation.size()), offset + static_cast<std::uint32_t>(strings.size()));
        strings += translation + '\0';
    }
    for (const auto& [length, at] : original_entries) u32(length), u32(at);
    for (const auto& [length, at] : translation_entries) u32(length), u32(at);
    return out + strings;
}

const std::vector<std::pair<std::string, std::string>> kMessages{
    {"", "Content-Type: text/plain; charset=UTF-8\n"},
    {"_Settings", "_Asetukset"},
    {"menu\x04" "Print", "Tulosta"},
    {std::string("%d file\0%d files", 16), std::string("%d tiedosto\0%d tiedostoa", 24)},
    {"Untranslated", ""},
    {"OK", "OK"},
};

TEST(Catalogues, MessagesInEitherByteOrder) {
    const std::vector<CataloguePair> expected{
        {"Settings", "Asetukset"}, {"Print", "Tulosta"}, {"file", "tiedosto"}, {"files", "tiedostoa"}};
    for (const bool big_endian : {false, true}) {
        const std::string file = mo_file(kMessages, big_endian);
        const auto pairs = read_mo(as_bytes(file));
        ASSERT_TRUE(pairs.has_value()) << pairs.error().report();
        EXPECT_EQ(*pairs, expected) << (big_endian ? "big-endian" : "little-endian");
    }
}

TEST(Catalogues, DamagedFilesAreErrorsNotReadsPastTheEnd) {
    const std::string good = mo_file(kMessages);
    std::string pointing_past = good;
    pointing_past[28 + 8 + 7] = '\x7f';  // the high byte of the second message's offset
    std::string too_many = good;
    too_many[8] = '\xff', too_many[9] = '\xff', too_many[10] = '\xff';
    std::string tables_past = good;
    tables_past[12] = '\xf0', tables_past[13] = '\xff';
    const std::pair<std::string, std::string> cases[] = {
        {"empty", ""},
        {"short header", good.substr(0, 12)},
        {"not a catalogue", std::string(40, 'x')},
        {"cut in its strings", good.substr(0, good.size() - 8)},
        {"a string past the end", pointing_past},
        {"more messages than bytes", too_many},
        {"tables past the end", tables_past},
    };
    for (const auto& [name, bytes] : cases) EXPECT_FALSE(read_mo(as_bytes(bytes)).has_value()) << name;
}

TEST(Catalogues, MessagesAreCleanedToRunningText) {
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"_Open", "Open"},
        {"&Save As...", "Save As..."},
        {"~Print", "Print"},
        {"<b>Bold</b> text", "Bold text"},
        {"%d files", "files"},
        {"%1$s of %2$s", "of"},
        {"{name} was saved", "was saved"},
        {"50% done", "50 done"},
        {"line\none", "line one"},
        {"100%", "100%"},
    };
    for (const auto& [message, expected] : rows) EXPECT_EQ(clean_message(message), expected) << message;
}

}  // namespace
}  // namespace lomperi::data_build
