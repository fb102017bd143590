// Caption and picture placement, and the access key.
#include "button/CaptionLayout.h"
#include "platform/Fonts.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

constexpr int kW = 80;
constexpr int kH = 40;
constexpr int kPicture = 16;

struct Placed
{
    CaptionLayout layout;
    int textWidth;
    int textHeight;
};

Placed place(int position, const QString& caption, bool withPicture = true)
{
    const QFont font = makeFont(QStringLiteral("MS Sans Serif"), 8.25);
    QImage icon(kPicture, kPicture, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    CaptionLayout layout;
    MeasurePicture(layout, withPicture ? Picture(icon, Picture::Type::Icon) : Picture());
    LayoutCaption(layout, {kW, kH, position, withPicture, caption, font});
    const QFontMetrics metrics(font);
    return {layout, metrics.horizontalAdvance(caption.trimmed()), caption.isEmpty() ? 0 : metrics.height()};
}

TEST(LayoutCaption, PlacesTextAndPictureForEachPosition)
{
    const QString caption = QStringLiteral("Play");
    for (int position = 0; position <= 4; ++position) {
        const Placed p = place(position, caption);
        const Rect& text = p.layout.textRect;
        const int left = p.layout.pictureLeft;
        const int top = p.layout.pictureTop;
        SCOPED_TRACE(position);
        EXPECT_EQ(text.width(), p.textWidth);
        EXPECT_EQ(text.height(), p.textHeight);
        EXPECT_EQ(p.layout.textRectPressed, text.translated(1, 1));
        switch (position) {
        case 0: // text centred right of the picture's column, picture 4 left of it, centred vertically
            EXPECT_EQ(text.left, kPicture + 1 + (kW - kPicture - 1 - p.textWidth) / 2);
            EXPECT_EQ(text.top, 1 + (kH - 1 - p.textHeight) / 2);
            EXPECT_EQ(left, text.left - kPicture - 4);
            EXPECT_EQ(top, (kH - kPicture) / 2);
            break;
        case 1:
            EXPECT_EQ(text.left, 1 + (kW - 1 - p.textWidth - kPicture - 4) / 2);
            EXPECT_EQ(left, text.right + 4);
            EXPECT_EQ(top, (kH - kPicture) / 2);
            break;
        case 2:
            EXPECT_EQ(text.top, kPicture + 1 + (kH - kPicture - 1 - p.textHeight) / 2);
            EXPECT_EQ(left, (kW - kPicture) / 2);
            EXPECT_EQ(top, text.top - kPicture - 2);
            break;
        case 3:
            EXPECT_EQ(text.top, 1 + (kH - 1 - p.textHeight - kPicture - 4) / 2);
            EXPECT_EQ(left, (kW - kPicture) / 2);
            EXPECT_EQ(top, text.bottom + 2);
            break;
        case 4: // behind the caption, both centred
            EXPECT_EQ(text.left, 1 + (kW - 1 - p.textWidth) / 2);
            EXPECT_EQ(left, (kW - kPicture) / 2);
            EXPECT_EQ(top, (kH - kPicture) / 2);
            break;
        }
    }
}

TEST(LayoutCaption, BlankCaptionCentresThePictureWhateverThePosition)
{
    for (const QString& caption : {QString(), QStringLiteral("   ")}) {
        for (int position = 0; position <= 4; ++position) {
            const Placed p = place(position, caption);
            EXPECT_EQ(p.layout.pictureLeft, (kW - kPicture) / 2) << position;
            EXPECT_EQ(p.layout.pictureTop, (kH - kPicture) / 2) << position;
        }
    }
}

TEST(LayoutCaption, UnknownPositionKeepsThePreviousPlacesAndNoPictureKeepsItsPlace)
{
    const QFont font = makeFont(QStringLiteral("MS Sans Serif"), 8.25);
    CaptionLayout layout = place(1, QStringLiteral("Play")).layout;
    const CaptionLayout before = layout;
    LayoutCaption(layout, {kW, kH, 9, true, QStringLiteral("Play"), font});
    EXPECT_EQ(layout.available, before.available);
    EXPECT_EQ(layout.pictureLeft, before.pictureLeft);
    EXPECT_EQ(layout.textRect.left, before.available.left); // measured, not centred

    CaptionLayout none = place(0, QStringLiteral("Play"), false).layout;
    EXPECT_EQ(none.pictureLeft, 0);
    EXPECT_EQ(none.pictureWidth, 0);
}

TEST(AccessKey, FirstSingleAmpersandMarksTheKey)
{
    const std::pair<const char*, QChar> cases[] = {
        {"&Play", u'p'},     {"S&top", u't'},    {"Play", QChar()},  {"A&&B", QChar()},
        {"A&&B &Cut", u'c'}, {"Play&", QChar()}, {"&", QChar()},     {"&&&X", u'x'},
        {"a&&&&b", QChar()}, {"&&", QChar()},    {"x&&y&", QChar()},
    };
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(accessKeyOf(QString::fromLatin1(caption)), key) << caption;
}

} // namespace
