#include "NaturalOrder.h"

#include <algorithm>

namespace zendrix {

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

int naturalCompareFolded(QStringView a, QStringView b)
{
    // Long lists share long beginnings ("/home/me/Music/..."): those are skipped at once, back to the
    // start of the run of digits they may end in, since a number is compared as a whole.
    const qsizetype common = std::min(a.size(), b.size());
    qsizetype start = std::mismatch(a.begin(), a.begin() + common, b.begin()).first - a.begin();
    while (start > 0 && a[start - 1].isDigit())
        --start;
    qsizetype i = start;
    qsizetype j = start;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            // Leading zeros do not change a value; the longer run of what remains is the larger number.
            QStringView numberA = a.sliced(i, endA - i);
            QStringView numberB = b.sliced(j, endB - j);
            while (numberA.size() > 1 && numberA.front() == QLatin1Char('0'))
                numberA = numberA.sliced(1);
            while (numberB.size() > 1 && numberB.front() == QLatin1Char('0'))
                numberB = numberB.sliced(1);
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size() ? -1 : 1;
            if (const int order = numberA.compare(numberB); order != 0)
                return sign(order);
            i = endA;
            j = endB;
            continue;
        }
        if (a[i] != b[j])
            return a[i].unicode() < b[j].unicode() ? -1 : 1;
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return (a.size() - i) < (b.size() - j) ? -1 : 1;
    return 0;
}

int naturalCompare(const QString& a, const QString& b)
{
    if (const int order = naturalCompareFolded(naturalFold(a), naturalFold(b)); order != 0)
        return order;
    return sign(a.compare(b)); // names that differ only in case or leading zeros keep one fixed order
}

} // namespace zendrix
