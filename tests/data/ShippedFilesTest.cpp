#include "platform/Picture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

const QString kSource = QStringLiteral(ZENDRIX_SOURCE_DIR);
const QString kSkins = kSource + QStringLiteral("/data/Data/Skins/");
const QString kAssets = kSource + QStringLiteral("/src/layouts/assets/");
const QString kButtons = kSource + QStringLiteral("/data/Data/Buttons/");

QStringList iconFiles()
{
    QStringList files;
    for (const QString& folder : {kAssets, kButtons}) {
        for (const QString& name : QDir(folder).entryList({QStringLiteral("*.ico")}, QDir::Files))
            if (name != QLatin1String("zendrix.ico"))
                files << folder + name;
    }
    return files;
}

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
    const QStringList files = iconFiles();
    for (const char* name : {"play", "pause", "listopen", "listclose"})
        EXPECT_TRUE(files.contains(kButtons + QLatin1String(name) + ".ico")) << name;
    for (const char* name :
         {"next", "previous", "stop", "forward", "rewind", "eject", "remove", "add", "save", "about", "help",
          "info", "settings", "screen", "exit", "ok", "play", "listopen"})
        EXPECT_TRUE(files.contains(kAssets + QLatin1String(name) + ".ico")) << name;

    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const Picture icon = load(file);
        EXPECT_TRUE(icon.isIcon());
        ASSERT_EQ(icon.image().size(), QSize(16, 16));
        int opaque = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QRgb pixel = icon.image().pixel(x, y);
                ASSERT_TRUE(qAlpha(pixel) == 0 || qAlpha(pixel) == 255) << x << "," << y;
                if (qAlpha(pixel) == 255) {
                    ++opaque;
                    ASSERT_NE(pixel & 0xffffff, 0xc0c0c0u) << x << "," << y;
                }
            }
        }
        EXPECT_GT(opaque, 20) << "an icon should show something";
    }
}

TEST(ShippedFiles, SpeakersAndProgramIconLoadAtTheirSizes)
{
    for (const char* name : {"speaker-left.gif", "speaker-right.gif"}) {
        const Picture speaker = load(kAssets + QLatin1String(name));
        EXPECT_EQ(speaker.type(), Picture::Type::Bitmap) << name;
        EXPECT_EQ(speaker.image().size(), QSize(16, 15)) << name;
        EXPECT_EQ(qAlpha(speaker.image().pixel(15, 0)), 0) << name << ": the panel should show around it";
    }
    const Picture icon = load(kAssets + QStringLiteral("zendrix.ico"));
    EXPECT_TRUE(icon.isIcon());
    EXPECT_EQ(icon.image().size(), QSize(48, 48));
}

// An independent reader of the same files: ImageMagick, if it is installed.
TEST(ShippedFiles, ImageMagickReadsTheGifsAndIcons)
{
    const QString identify = QStandardPaths::findExecutable(QStringLiteral("identify"));
    if (identify.isEmpty())
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    QStringList files = iconFiles();
    files << kAssets + QStringLiteral("speaker-left.gif") << kAssets + QStringLiteral("speaker-right.gif")
          << kAssets + QStringLiteral("zendrix.ico");
    for (const QString& file : files) {
        QProcess process;
        process.start(identify, {QStringLiteral("-format"), QStringLiteral("%wx%h "), file});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0)
            << file.toStdString() << ": " << process.readAllStandardError().toStdString();
        const QString sizes = QString::fromLatin1(process.readAllStandardOutput()).trimmed();
        if (file.endsWith(QLatin1String("zendrix.ico")))
            EXPECT_EQ(sizes, QStringLiteral("48x48 32x32 24x24 16x16"));
        else if (file.endsWith(QLatin1String(".gif")))
            EXPECT_EQ(sizes, QStringLiteral("16x15")) << file.toStdString();
        else
            EXPECT_EQ(sizes, QStringLiteral("16x16")) << file.toStdString();
    }
}

// Every line of the skin list is a skin the settings window can apply: a folder with both pictures.
TEST(ShippedFiles, SkinListNamesFoldersThatHoldBothPictures)
{
    QFile list(kSkins + QStringLiteral("skins.lst"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = list.readAll().split('\n');
    ASSERT_TRUE(lines.back().isEmpty()) << "the last line ends with CR LF too";
    lines.removeLast();
    ASSERT_GE(lines.size(), 2) << "the default skin and at least one more";
    EXPECT_EQ(lines.front(), QByteArray("Zendrix\r")) << "the default skin comes first";
    for (const QByteArray& line : lines) {
        ASSERT_TRUE(line.endsWith('\r')) << "lines end with CR LF";
        const QString name = QString::fromLatin1(line.chopped(1));
        ASSERT_FALSE(name.isEmpty());
        EXPECT_FALSE(name.contains(QLatin1Char('\r')));
        SCOPED_TRACE(name.toStdString());
        const Picture panel = load(kSkins + name + QStringLiteral("/zendrix.zsk"));
        EXPECT_EQ(panel.type(), Picture::Type::Bitmap);
        EXPECT_EQ(panel.image().size(), QSize(425, 71));
        const Picture title = load(kSkins + name + QStringLiteral("/title.zsk"));
        EXPECT_EQ(title.image().size(), QSize(425, 28));
    }
}

TEST(ShippedFiles, UserGuideIsBuiltAsAShortPdf)
{
    QFile guide(QStringLiteral(ZENDRIX_PROGRAM_DIR "/Help/Help.pdf"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly)) << "the build writes Help/Help.pdf beside the program";
    const QByteArray pdf = guide.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    // Page objects, not the page tree ("/Type /Pages").
    const qsizetype pages =
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![A-Za-z])")));
    EXPECT_GE(pages, 2);
    EXPECT_LE(pages, 4);
}

} // namespace
