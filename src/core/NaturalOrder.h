#pragma once

#include <QString>

namespace zendrix {

// The order people expect of names with numbers in them: "Track 2" before "Track 10". Runs of digits
// compare by their value (leading zeros aside, so no run is too long to compare), everything else
// character by character without regard to case. Names that differ only in case or leading zeros still
// keep one fixed order, so the result is a total order: only equal strings compare equal.
[[nodiscard]] int naturalCompare(const QString& a, const QString& b);

// The same order in two steps, for sorting many names: each name folded once, then compared folded
// as often as the sort needs. A tie here (names that differ only in case or leading zeros) is left to
// the caller.
[[nodiscard]] inline QString naturalFold(const QString& text)
{
    return text.toCaseFolded();
}
[[nodiscard]] int naturalCompareFolded(QStringView a, QStringView b);

inline bool naturalLess(const QString& a, const QString& b)
{
    return naturalCompare(a, b) < 0;
}

} // namespace zendrix
