#include "platform/Picture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
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
