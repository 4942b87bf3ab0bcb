// The order of a sorted list box: the system's locale comparison of two texts with case ignored
// (CompareStringW with NORM_IGNORECASE, which a list box with LBS_SORT asks for every insert). It is not a
// code-point order: '-' and '\'' count only when all else is equal, other punctuation sorts before digits and
// digits before letters, accented letters sit beside their base letter, full-width forms beside the ASCII
// ones, katakana beside hiragana.
//
// Modelled on the sort keys Wine 8 gives in the en-US locale (the real platform of this project), exactly for
// the characters file names are mostly made of: ASCII, Latin-1 and Latin Extended-A, combining accents,
// general punctuation, Japanese kana and punctuation, full- and half-width forms. Greek, Cyrillic, Hangul and
// ideographs keep their place among the scripts and sort by code point within it; anything else sorts after
// them by code point.
#pragma once

#include <string>

namespace sim {
namespace detail {

// A byte string whose order is the comparison's: two texts compare as their keys do (std::string's <).
// Texts that differ only in case have the same key.
std::string SortKey(const std::wstring& text);

} // namespace detail
} // namespace sim
