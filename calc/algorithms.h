// Whole-range forms of the few standard algorithms the core uses. The
// iterator algorithms underneath are in every standard library the core is
// built with, including the one of the WebAssembly toolchain, which has no
// std::ranges algorithms yet. All but the sort work in constant expressions.
#pragma once

#include <algorithm>
#include <functional>
#include <iterator>

namespace quillon {

// Whether pred holds for every element.   allOf({2, 4}, isEven) -> true
template <class Range, class Pred> constexpr bool allOf(const Range& range, Pred pred)
{
    return std::all_of(std::begin(range), std::end(range), pred);
}

// Whether pred holds for some element.   anyOf({1, 4}, isEven) -> true
template <class Range, class Pred> constexpr bool anyOf(const Range& range, Pred pred)
{
    return std::any_of(std::begin(range), std::end(range), pred);
}

// How many elements pred holds for.   countIf("a1b2", isDigit) -> 2
template <class Range, class Pred> constexpr auto countIf(const Range& range, Pred pred)
{
    return std::count_if(std::begin(range), std::end(range), pred);
}

// Sorts by the value key gives for each element, keeping the order of
// elements whose keys are equal.   stableSortBy(matches, &Match::distance)
template <class Range, class Key> void stableSortBy(Range& range, Key key)
{
    std::stable_sort(std::begin(range), std::end(range),
        [&](const auto& a, const auto& b) { return std::invoke(key, a) < std::invoke(key, b); });
}

} // namespace quillon
