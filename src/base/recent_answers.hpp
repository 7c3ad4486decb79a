#pragma once
// The answers to the keys asked last, a slot per hash of the key and of who
// answered (a number that tells one opened file from another), each slot
// keeping the last key that fell into it. Meant to be held per thread: the
// same words are looked up again and again, a lemma for each of its forms,
// a headword by each rule that reads it. The caller keeps only answers read
// without meeting damage, so that every read of damaged bytes meets it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lomperi {

template <class Value, std::size_t Slots>
class RecentAnswers {
    static_assert((Slots & (Slots - 1)) == 0, "a power of two");

public:
    // Longer keys are not kept: their slots would hold long strings.
    static constexpr std::size_t kLongestKey = 64;

    // The answer kept for the key; none when its slot holds another.
    const Value* find(std::uint64_t owner, std::string_view key) const {
        if (owner == 0 || key.size() > kLongestKey) return nullptr;
        const Slot& slot = slots_[slot_of(owner, key)];
        return slot.owner == owner && slot.key == key ? &slot.value : nullptr;
    }

    void keep(std::uint64_t owner, std::string_view key, const Value& value) {
        if (owner == 0 || key.size() > kLongestKey) return;
        Slot& slot = slots_[slot_of(owner, key)];
        slot.owner = owner;
        slot.key.assign(key);
        slot.value = value;
    }

private:
    struct Slot {
        std::uint64_t owner = 0;
        std::string key;
        Value value{};
    };

    static std::size_t slot_of(std::uint64_t owner, std::string_view key) {
        return (std::hash<std::string_view>{}(key) ^ (owner * 0x9E3779B97F4A7C15ull)) & (Slots - 1);
    }

    std::array<Slot, Slots> slots_;
};

}  // namespace lomperi
