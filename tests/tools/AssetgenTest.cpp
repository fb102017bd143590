#include "AssetSet.h"
#include "GifWriter.h"
#include "Templates.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace zendrix::assetgen;

namespace {

// The pictures in the repository are the generator's output: a change to a drawing that was not followed
// by a run of the generator (or a hand-edited picture) shows up here. Drawing twice also proves that the
// output does not depend on anything that changes between runs.
TEST(Assetgen, CommittedPicturesAreWhatTheGeneratorDraws)
{
    QString error;
    const auto assets = buildAssets(&error);
    ASSERT_TRUE(assets) << error.toStdString();
    const auto again = buildAssets();
    ASSERT_TRUE(again);
    ASSERT_EQ(assets->size(), again->size());

    for (size_t i = 0; i < assets->size(); ++i) {
        const Asset& asset = (*assets)[i];
        EXPECT_EQ(asset.bytes, (*again)[i].bytes) << asset.path.toStdString() << " differs between two runs";
        QFile file(QStringLiteral(ZENDRIX_SOURCE_DIR "/") + asset.path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << asset.path.toStdString() << " is missing";
        EXPECT_TRUE(file.readAll() == asset.bytes)
            << asset.path.toStdString() << " is out of date: run build/bin/assetgen <repository-root>";
    }
}

// The GIF encoder is the project's own: Qt's reader must get every pixel back, through table sizes up to
// 256 colours with a transparent entry and images long enough to fill the 4096-code table many times.
TEST(GifWriter, DecodesToTheSamePixelsAcrossSizesAndColourCounts)
{
    const struct
    {
        int width, height, colours;
        bool transparent;
    } cases[] = {{1, 1, 1, true},        {7, 5, 2, false},    {33, 17, 16, true},  {64, 64, 255, true},
                 {300, 200, 256, false}, {1000, 3, 40, true}, {5, 900, 130, false}};
    std::mt19937 random(1);
    for (const auto& c : cases) {
        QImage image(c.width, c.height, QImage::Format_ARGB32);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const int i = int(random() % unsigned(c.colours));
                image.setPixel(x, y, c.transparent && random() % 5 == 0 ? 0u : qRgb(i * 37 % 256, i, 10));
            }
        auto gif = encodeGif(image);
        ASSERT_TRUE(gif) << c.width << "x" << c.height;
        QBuffer buffer(&*gif);
        const QImage read = QImageReader(&buffer, "gif").read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(read.size(), image.size());
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const QRgb want = image.pixel(x, y), got = read.pixel(x, y);
                ASSERT_TRUE(qAlpha(want) == 0 ? qAlpha(got) == 0 : got == want) << c.width << "x" << c.height;
            }
    }
    QImage tooMany(16, 17, QImage::Format_ARGB32); // 257 colours
    for (int i = 0; i < 16 * 17; ++i)
        tooMany.setPixel(i % 16, i / 16, qRgb(i % 256, i / 256, 0));
    EXPECT_FALSE(encodeGif(tooMany));
}

// A template shows each control where the window has it: the outline's outer edge on the control's own
// first and last pixels, at 1x and, every pixel doubled, at 2x; just outside, the paper.
TEST(Templates, OutlinesStandOnTheControlsOwnPixelsAtBothScales)
{
    const std::vector<WindowTemplate> windows = windowTemplates();
    ASSERT_EQ(windows.size(), 5u);
    const QSize sizes[] = {{425, 71}, {425, 28}, {233, 338}, {233, 338}, {233, 169}};
    for (size_t w = 0; w < windows.size(); ++w) {
        const WindowTemplate& window = windows[w];
        EXPECT_EQ(window.size, sizes[w]) << window.file.toStdString();
        for (int scale : {1, 2}) {
            const QImage image = templatePicture(window, scale);
            ASSERT_EQ(image.size(), window.size * scale);
            const QRgb paper = qRgb(0xf0, 0xf0, 0xf0);
            for (const TemplateControl& control : window.controls) {
                if (control.kind == TemplateControl::Kind::Line)
                    continue;
                SCOPED_TRACE(control.name.toStdString() + " at " + std::to_string(scale) + "x");
                const QRect r(control.rect.topLeft() * scale, control.rect.size() * scale);
                // Where the layouts let controls overlap (the clock over the position bar, a speaker
                // over the volume bar), the corner is the other control's.
                const auto covered = [&](QPoint corner) {
                    return std::any_of(window.controls.cbegin(), window.controls.cend(),
                                       [&](const auto& other) {
                                           return &other != &control && other.rect.contains(corner / scale);
                                       });
                };
                const QRgb outline = image.pixel(r.topLeft());
                EXPECT_NE(outline, paper);
                for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
                    if (!covered(corner)) {
                        EXPECT_EQ(image.pixel(corner), outline) << corner.x() << "," << corner.y();
                    }
                }
            }
        }
    }
    // Play stands at 50, 7, 36 x 20: its outline is one pixel thick at 1x and two at 2x, with the paper
    // just outside it.
    const QImage main1x = templatePicture(windows[0], 1);
    const QImage main2x = templatePicture(windows[0], 2);
    const QRgb outline = main1x.pixel(50, 7);
    EXPECT_EQ(main1x.pixel(50, 15), outline);
    EXPECT_NE(main1x.pixel(51, 15), outline);
    EXPECT_EQ(main1x.pixel(49, 15), qRgb(0xf0, 0xf0, 0xf0));
    EXPECT_EQ(main2x.pixel(101, 30), outline);
    EXPECT_NE(main2x.pixel(102, 30), outline);
    EXPECT_EQ(main2x.pixel(99, 31), qRgb(0xf0, 0xf0, 0xf0));
}

// The guide's tables give every control's place as the layouts have it, so the guide cannot drift from
// the program.
TEST(Templates, TheSkinGuideListsEveryControlWhereTheLayoutsPutIt)
{
    QFile guide(QStringLiteral(ZENDRIX_SOURCE_DIR "/docs/skins.md"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(guide.readAll());
    for (const WindowTemplate& window : windowTemplates()) {
        SCOPED_TRACE(window.window.toStdString());
        const qsizetype start = text.indexOf("(`" + window.window + "`");
        ASSERT_GE(start, 0) << "no section";
        const qsizetype end = text.indexOf("\n### ", start);
        const QString section = text.mid(start, end < 0 ? -1 : end - start);
        EXPECT_TRUE(
            section.contains(QStringLiteral("%1 × %2").arg(window.size.width()).arg(window.size.height())));
        for (const TemplateControl& control : window.controls) {
            const QRegularExpression row("\\| `" + QRegularExpression::escape(control.name) +
                                         "` \\| [^|]+ \\| (\\d+), (\\d+) \\| ([^|]+) \\|");
            const auto match = row.match(section);
            ASSERT_TRUE(match.hasMatch()) << control.name.toStdString();
            EXPECT_EQ(match.captured(1).toInt(), control.rect.left()) << control.name.toStdString();
            EXPECT_EQ(match.captured(2).toInt(), control.rect.top()) << control.name.toStdString();
            const QString size = match.captured(3).trimmed();
            if (size != "sized to its text") {
                EXPECT_EQ(size,
                          QStringLiteral("%1 × %2").arg(control.rect.width()).arg(control.rect.height()))
                    << control.name.toStdString();
            }
        }
    }
}

} // namespace
