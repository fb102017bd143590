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

CaptionLayout place(int position, const QString& caption)
{
    QImage icon(kPicture, kPicture, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    CaptionLayout layout;
    MeasurePicture(layout, Picture(icon, Picture::Type::Icon));
    LayoutCaption(layout, {kW, kH, position, true, caption, makeFont(QStringLiteral("MS Sans Serif"), 8.25)});
    return layout;
}

TEST(LayoutCaption, PlacesTextAndPictureForEachPosition)
{
    const QFontMetrics metrics(makeFont(QStringLiteral("MS Sans Serif"), 8.25));
    const int tw = metrics.horizontalAdvance(QStringLiteral("Play"));
    const int th = metrics.height();
    const int centredLeft = 1 + (kW - 1 - tw) / 2;
    const int centredTop = 1 + (kH - 1 - th) / 2;
    const int picCentredLeft = (kW - kPicture) / 2;
    const int picCentredTop = (kH - kPicture) / 2;
    const struct
    {
        int textLeft, textTop, pictureLeft, pictureTop;
    } expected[] = {
        // 0: the text centred right of the picture's column, the picture 4 pixels left of it
        {kPicture + 1 + (kW - kPicture - 1 - tw) / 2, centredTop,
         kPicture + 1 + (kW - kPicture - 1 - tw) / 2 - 20, picCentredTop},
        // 1: the picture right of the text
        {1 + (kW - 1 - tw - 20) / 2, centredTop, 1 + (kW - 1 - tw - 20) / 2 + tw + 4, picCentredTop},
        // 2: above it, 3: below it
        {centredLeft, kPicture + 1 + (kH - kPicture - 1 - th) / 2, picCentredLeft,
         kPicture + 1 + (kH - kPicture - 1 - th) / 2 - kPicture - 2},
        {centredLeft, 1 + (kH - 1 - th - 20) / 2, picCentredLeft, 1 + (kH - 1 - th - 20) / 2 + th + 2},
        // 4: behind the caption, both centred
        {centredLeft, centredTop, picCentredLeft, picCentredTop},
    };
    for (int position = 0; position <= 4; ++position) {
        SCOPED_TRACE(position);
        const CaptionLayout layout = place(position, QStringLiteral("Play"));
        EXPECT_EQ(layout.textRect, (Rect{expected[position].textLeft, expected[position].textTop,
                                         expected[position].textLeft + tw, expected[position].textTop + th}));
        EXPECT_EQ(layout.textRectPressed, layout.textRect.translated(1, 1));
        EXPECT_EQ(layout.pictureLeft, expected[position].pictureLeft);
        EXPECT_EQ(layout.pictureTop, expected[position].pictureTop);
        // Without a caption the picture is centred, whatever the position.
        for (const QString& blank : {QString(), QStringLiteral("   ")}) {
            EXPECT_EQ(place(position, blank).pictureLeft, picCentredLeft);
            EXPECT_EQ(place(position, blank).pictureTop, picCentredTop);
        }
    }
}

TEST(AccessKey, FirstSingleAmpersandMarksTheKey)
{
    const std::pair<const char*, QChar> cases[] = {
        {"&Play", u'p'},    {"S&top", u't'}, {"Play", QChar()}, {"A&&B", QChar()},   {"A&&B &Cut", u'c'},
        {"Play&", QChar()}, {"&", QChar()},  {"&&&X", u'x'},    {"a&&&&b", QChar()}, {"x&&y&", QChar()},
    };
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(accessKeyOf(QString::fromLatin1(caption)), key) << caption;
}

} // namespace
