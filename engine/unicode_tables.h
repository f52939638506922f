// The Unicode data behind caseless matching, generated into
// unicode_tables.cpp by scripts/make_unicode_tables.py. Every table is
// sorted by code point.
#pragma once

#include <cstddef>

namespace kinsight::unicode {

// A character's canonical decomposition, one level: into first alone, or
// first and second (which never decomposes further). Hangul syllables are
// decomposed by arithmetic and are not listed.
struct Decomposition {
    char32_t code;
    char32_t first;
    char32_t second; // 0 when there is none
};
extern const Decomposition kDecompositions[];
extern const std::size_t kDecompositionCount;

// Characters first..last have the canonical combining class combiningClass;
// those in no range have class 0.
struct ClassRange {
    char32_t first;
    char32_t last;
    unsigned char combiningClass;
};
extern const ClassRange kClassRanges[];
extern const std::size_t kClassRangeCount;

// Characters first, first + stride, ... up to last fold to themselves plus
// delta (simple case folding); characters in no run fold to themselves.
struct FoldRun {
    char32_t first;
    char32_t last;
    int delta;
    int stride;
};
extern const FoldRun kFoldRuns[];
extern const std::size_t kFoldRunCount;

} // namespace kinsight::unicode
