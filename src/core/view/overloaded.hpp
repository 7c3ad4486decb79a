#pragma once

namespace lomperi::view {

// One visitor from several lambdas, for std::visit over actions and screens.
template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// Spelled out for compilers without deduction for aggregates (clang 16).
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace lomperi::view
