#include "platform/Picture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

const QString kSource = QStringLiteral(ZENDRIX_SOURCE_DIR);
const QString kSkins = kSource + "/data/Data/Skins/";
const QString kAssets = kSource + "/src/layouts/assets/";
const QString kButtons = kSource + "/data/Data/Buttons/";

Picture load(const QString& path)
{
    QString error;
    const auto picture = Picture::load(path, &error);
    EXPECT_TRUE(picture) << error.toStdString();
    return picture.value_or(Picture());
}

// The button paints an icon onto a bitmap filled with the mask colour and then leaves out exactly that
// colour: a half-transparent pixel would come out as a grey fringe, and an opaque pixel of the mask
// colour would be a hole.
TEST(ShippedFiles, ButtonIconsAreSixteenPixelsWithHardEdgesAndNoMaskColour)
{
    QStringList files;
    for (const QString& folder : {kAssets, kButtons})
        for (const QString& name : QDir(folder).entryList({"*.ico"}, QDir::Files))
            if (name != "zendrix.ico")
                files << folder + name;
    for (const char* name : {"play", "pause", "listopen", "listclose"})
        EXPECT_TRUE(files.contains(kButtons + name + ".ico")) << name;
    EXPECT_EQ(files.size(), 4 + 18);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const Picture icon = load(file);
        EXPECT_TRUE(icon.isIcon());
        ASSERT_EQ(icon.image().size(), QSize(16, 16));
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb pixel = icon.image().pixel(x, y);
                ASSERT_TRUE(qAlpha(pixel) == 0 || qAlpha(pixel) == 255) << x << "," << y;
                ASSERT_FALSE(qAlpha(pixel) == 255 && (pixel & 0xffffff) == 0xc0c0c0u) << x << "," << y;
                opaque += qAlpha(pixel) == 255;
            }
        EXPECT_GT(opaque, 20) << "an icon should show something";
    }
    for (const char* name : {"speaker-left.gif", "speaker-right.gif"}) {
        const Picture speaker = load(kAssets + name);
        EXPECT_EQ(speaker.image().size(), QSize(16, 15)) << name;
        EXPECT_EQ(qAlpha(speaker.image().pixel(15, 0)), 0) << name << ": the panel should show around it";
    }
    EXPECT_EQ(load(kAssets + "zendrix.ico").image().size(), QSize(48, 48));
}

// Every line of the skin list is a skin the settings window can apply: a folder with both pictures.
TEST(ShippedFiles, SkinListNamesFoldersThatHoldBothPictures)
{
    QFile list(kSkins + "skins.lst");
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = list.readAll().split('\n');
    ASSERT_TRUE(lines.takeLast().isEmpty()) << "the last line ends with CR LF too";
    ASSERT_GE(lines.size(), 2) << "the default skin and at least one more";
    EXPECT_EQ(lines.front(), "Zendrix\r") << "the default skin comes first";
    for (const QByteArray& line : lines) {
        ASSERT_TRUE(line.endsWith('\r') && line.size() > 1) << "lines end with CR LF";
        const QString name = QString::fromLatin1(line.chopped(1));
        EXPECT_EQ(load(kSkins + name + "/zendrix.zsk").image().size(), QSize(425, 71)) << name.toStdString();
        EXPECT_EQ(load(kSkins + name + "/title.zsk").image().size(), QSize(425, 28)) << name.toStdString();
    }
}

// The relative luminance of a colour (sRGB, as the contrast of text is judged).
double luminance(QRgb colour)
{
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) +
           0.0722 * channel(qBlue(colour));
}

// The three shipped skins, the default first and the light one last; on each, the main window's white
// lettering (what plays, the clock, the length) stands on a panel dark enough to read it: a contrast of
// at least 4.5 to 1 at the lightest pixel under it.
TEST(ShippedFiles, ThreeSkinsTheLightOneLastAndWhiteLetteringReadableOnEach)
{
    QFile list(kSkins + "skins.lst");
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), "Zendrix\r\nEmber\r\nDaylight\r\n");
    QList<double> brightness;
    for (const char* skin : {"Zendrix", "Ember", "Daylight"}) {
        const QImage panel = load(kSkins + skin + "/zendrix.zsk").image();
        for (const QRect& lettering :
             {QRect(136, 8, 281, 15), QRect(232, 27, 88, 27), QRect(360, 31, 57, 15)}) {
            double lightest = 0;
            for (int y = lettering.top(); y <= lettering.bottom(); ++y)
                for (int x = lettering.left(); x <= lettering.right(); ++x)
                    lightest = std::max(lightest, luminance(panel.pixel(x, y)));
            EXPECT_GE(1.05 / (lightest + 0.05), 4.5)
                << skin << " under " << lettering.x() << "," << lettering.y();
        }
        double sum = 0;
        for (const QImage& image : {panel, load(kSkins + skin + "/title.zsk").image()})
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    sum += luminance(image.pixel(x, y));
        brightness.append(sum / (425 * (71 + 28)));
    }
    // Half as bright again as the brighter of the other two, over both pictures.
    EXPECT_GT(brightness[2], 1.5 * std::max(brightness[0], brightness[1])) << "Daylight is the light one";
}

TEST(ShippedFiles, UserGuideIsBuiltAsAShortPdf)
{
    QFile guide(QStringLiteral(ZENDRIX_PROGRAM_DIR "/Help/Help.pdf"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly)) << "the build writes Help/Help.pdf beside the program";
    const QByteArray pdf = guide.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
    // Page objects, not the page tree ("/Type /Pages").
    const qsizetype pages = QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page(?![A-Za-z])"));
    EXPECT_TRUE(pages >= 2 && pages <= 6) << pages;
}

} // namespace
