#include "NaturalOrder.h"

namespace zendrix {

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

QString naturalKey(const QString& text)
{
    // Written straight into a buffer long enough for the worst case (a digit between each letter takes
    // three characters): sorting a long list makes one key per entry, so this is worth its care.
    QString key(text.size() * 3, Qt::Uninitialized);
    QChar* out = key.data();
    const QChar* in = text.constData();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const char16_t c = in[i].unicode();
        if (!in[i].isDigit()) {
            if (c < 0x80)
                *out++ = QChar(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c);
            else
                *out++ = QChar(QChar::toCaseFolded(c));
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < size && in[end].isDigit())
            ++end;
        qsizetype start = i;
        while (end - start > 1 && in[start] == QLatin1Char('0'))
            ++start;
        // Against any other character a number weighs as its first digit would, and every ASCII digit
        // weighs alike there; between two numbers the shorter is the smaller, then the digits decide.
        *out++ = c < 0x80 ? QLatin1Char('0') : in[i];
        *out++ = QChar(static_cast<char16_t>(end - start));
        for (qsizetype d = start; d < end; ++d)
            *out++ = in[d];
        i = end;
    }
    key.truncate(out - key.constData());
    return key;
}

int naturalCompare(const QString& a, const QString& b)
{
    if (const int order = naturalKey(a).compare(naturalKey(b)); order != 0)
        return sign(order);
    return sign(a.compare(b)); // names that differ only in case or leading zeros keep one fixed order
}

} // namespace zendrix
