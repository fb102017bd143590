#pragma once

#include <QString>

namespace zendrix {

// The order people expect of names with numbers in them: "Track 2" before "Track 10". Runs of digits
// compare by their value (leading zeros aside, so no run is too long to compare), everything else
// character by character without regard to case. Names that differ only in case or leading zeros still
// keep one fixed order, so the result is a total order: only equal strings compare equal.
[[nodiscard]] int naturalCompare(const QString& a, const QString& b);

inline bool naturalLess(const QString& a, const QString& b)
{
    return naturalCompare(a, b) < 0;
}

// The same order in two steps, for sorting many names: each name made once into a key that compares as
// plain text (its case folded, each run of digits written as a mark, its length and its digits without
// leading zeros), then the keys compared as often as the sort needs. Equal keys (names that differ only
// in case or leading zeros) are left to the caller.
[[nodiscard]] QString naturalKey(const QString& text);

} // namespace zendrix
