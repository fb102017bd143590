#include "DrawText.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <vector>

namespace zendrix {

namespace {

// Letters measured and drawn as the classic platform does it for a font without a bold face of its
// own (MS Sans Serif): a bold request draws each letter twice, one pixel apart, and widens each
// letter's advance by that pixel.
class Letters
{
public:
    explicit Letters(const QFont& font) : m_font(font), m_metrics(font)
    {
        if (!font.bold())
            return;
        const QString family = QFontInfo(font).family();
        bool hasBold = false;
        for (const QString& style : QFontDatabase::styles(family))
            hasBold = hasBold || QFontDatabase::weight(family, style) >= QFont::DemiBold;
        m_synthetic = !hasBold;
        if (m_synthetic) {
            m_font.setBold(false);
            m_metrics = QFontMetrics(m_font);
        }
    }
    const QFont& font() const { return m_font; }
    const QFontMetrics& metrics() const { return m_metrics; }
    int advance(const QString& text) const
    {
        return m_metrics.horizontalAdvance(text) + (m_synthetic ? static_cast<int>(text.size()) : 0);
    }
    void draw(QPainter& painter, int x, int baseline, const QString& text) const
    {
        if (!m_synthetic) {
            painter.drawText(x, baseline, text);
            return;
        }
        for (const QChar letter : text) {
            painter.drawText(x, baseline, QString(letter));
            painter.drawText(x + 1, baseline, QString(letter));
            x += advance(QString(letter));
        }
    }

private:
    QFont m_font;
    QFontMetrics m_metrics;
    bool m_synthetic = false;
};

// One line as it is shown: its letters and which of them an "&" underlines.
struct TextLine
{
    QString text;
    std::vector<int> underlined;
};

TextLine stripPrefixes(const QString& text, bool noPrefix)
{
    TextLine result;
    result.text.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (!noPrefix && text[i] == u'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != u'&')
                result.underlined.push_back(static_cast<int>(result.text.size()));
        } else if (!noPrefix && text[i] == u'&') {
            continue; // a lone "&" at the very end shows nothing
        }
        result.text.append(text[i]);
    }
    return result;
}

TextLine slice(const TextLine& from, int start, int end)
{
    TextLine line;
    line.text = from.text.mid(start, end - start);
    for (int index : from.underlined) {
        if (index >= start && index < end)
            line.underlined.push_back(index - start);
    }
    return line;
}

// Splits one paragraph (no line ends inside) where the next word would pass maxWidth.
void breakWords(const TextLine& paragraph, const Letters& letters, int maxWidth, std::vector<TextLine>& out)
{
    const QString& text = paragraph.text;
    const int n = static_cast<int>(text.size());
    int i = 0;
    do {
        const int lineStart = i;
        int lineEnd = i;
        int j = i;
        while (true) {
            int k = j;
            while (k < n && text[k] == u' ')
                ++k;
            while (k < n && text[k] != u' ')
                ++k;
            if (k == j)
                break;
            if (lineEnd != lineStart && letters.advance(text.mid(lineStart, k - lineStart)) > maxWidth)
                break;
            lineEnd = k;
            j = k;
        }
        out.push_back(slice(paragraph, lineStart, lineEnd));
        i = lineEnd;
        while (i < n && text[i] == u' ')
            ++i;
    } while (i < n);
}

std::vector<TextLine> layoutLines(const QString& text, unsigned format, const Letters& letters, int maxWidth)
{
    const TextLine all = stripPrefixes(text, format & DtNoPrefix);
    std::vector<TextLine> lines;
    if (format & DtSingleLine) {
        lines.push_back(all);
        return lines;
    }
    const QString& plain = all.text;
    const int n = static_cast<int>(plain.size());
    int start = 0;
    while (start < n) {
        int end = start;
        while (end < n && plain[end] != u'\r' && plain[end] != u'\n')
            ++end;
        const TextLine paragraph = slice(all, start, end);
        if (format & DtWordBreak)
            breakWords(paragraph, letters, maxWidth, lines);
        else
            lines.push_back(paragraph);
        if (end < n && plain[end] == u'\r' && end + 1 < n && plain[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

} // namespace

QString shownText(const QString& text)
{
    return stripPrefixes(text, false).text;
}

int drawText(DeviceContext& dc, const QFont& font, const QString& text, Rect& rect, unsigned format)
{
    const Letters letters(font);
    const QFontMetrics& metrics = letters.metrics();
    const int lineHeight = metrics.height();
    if (text.isEmpty()) {
        if (format & DtCalcRect) {
            rect.right = rect.left;
            rect.bottom = rect.top + ((format & DtSingleLine) ? lineHeight : 0);
        }
        return 0;
    }
    const std::vector<TextLine> lines = layoutLines(text, format, letters, rect.width());
    const int height = lineHeight * static_cast<int>(lines.size());
    if (format & DtCalcRect) {
        int widest = 0;
        for (const TextLine& line : lines)
            widest = std::max(widest, letters.advance(line.text));
        rect.right = rect.left + widest;
        rect.bottom = rect.top + height;
        return height;
    }
    if (dc.surface().isNull())
        return height;

    QPainter painter(&dc.surface());
    painter.setFont(letters.font());
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    const QColor colour(toQRgb(dc.textColor()));
    painter.setPen(colour);
    if (!(format & DtNoClip))
        painter.setClipRect(
            QRect(rect.left, rect.top, std::max(rect.width(), 0), std::max(rect.height(), 0)));
    int y = rect.top;
    if ((format & DtSingleLine) && (format & DtVCenter))
        y = rect.top + (rect.height() - lineHeight) / 2;
    for (const TextLine& line : lines) {
        const int width = letters.advance(line.text);
        const int x = (format & DtCenter) ? (rect.left + rect.right - width) / 2 : rect.left;
        letters.draw(painter, x, y + metrics.ascent(), line.text);
        // The underline of an access letter runs on the first row below the baseline, one pixel short
        // of the letter's advance.
        for (int index : line.underlined) {
            const int from = x + letters.advance(line.text.left(index));
            const int length = letters.advance(QString(line.text.at(index))) - 1;
            if (length > 0)
                painter.fillRect(QRect(from, y + metrics.ascent(), length, 1), colour);
        }
        y += lineHeight;
    }
    return height;
}

} // namespace zendrix
