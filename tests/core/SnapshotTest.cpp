// Snapshot names and how a snapshot reaches its folder; the shapes libvlc is given.
#include "core/Snapshot.h"
#include "core/VlcVideo.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// A writer as the engine is one: a small PNG at the path it is handed.
bool writePicture(const QString& path)
{
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::green);
    return picture.save(path, "PNG");
}

TEST(Snapshot, NamesCarryTheItemAndThePlaceInItAndAreFitForAFileName)
{
    EXPECT_EQ(snapshotBaseName("Big Film", 3725.9), "Zendrix Big Film 01-02-05");
    EXPECT_EQ(snapshotBaseName("AC/DC - Live", 59), "Zendrix AC-DC - Live 00-00-59");
    EXPECT_EQ(snapshotBaseName("  a\tb\nc  ", 0), "Zendrix a b c 00-00-00");
    EXPECT_EQ(snapshotBaseName("", -4), "Zendrix Snapshot 00-00-00");
    EXPECT_EQ(snapshotBaseName("x", std::nan("")), "Zendrix x 00-00-00");
    EXPECT_EQ(snapshotBaseName("x", 360000), "Zendrix x 100-00-00");
    // A long name is cut at a whole character, so the file's name stays within 255 bytes.
    const QString long_ = QString(300, QChar(0x00e9));
    const QString cut = snapshotBaseName(long_, 1);
    EXPECT_LE((cut + " (999).png").toUtf8().size(), 255);
    EXPECT_TRUE(cut.startsWith("Zendrix \u00e9\u00e9"));
    EXPECT_FALSE(cut.contains(QChar::ReplacementCharacter));
}

TEST(Snapshot, APictureIsRenamedIntoPlaceWithoutReplacingAnyFileAndLeavesNothingBehind)
{
    // A folder whose name libvlc would take for patterns, were it handed the name.
    QTemporaryDir root;
    const QString folder = root.filePath("Pictures $title %Y");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_FALSE(writeFile(folder + "/Zendrix Film 00-00-01 (2).png", "theirs").isEmpty());
    QString handed;
    const auto write = [&](const QString& path) {
        handed = path;
        return writePicture(path);
    };
    const SnapshotResult first = writeSnapshot(folder, "Zendrix Film 00-00-01", write);
    EXPECT_EQ(first.path, folder + "/Zendrix Film 00-00-01.png");
    EXPECT_TRUE(first.error.isEmpty());
    EXPECT_FALSE(handed.contains('$') || handed.contains('%') || handed.contains(' '))
        << handed.toStdString();
    const SnapshotResult second = writeSnapshot(folder, "Zendrix Film 00-00-01", write);
    EXPECT_EQ(second.path, folder + "/Zendrix Film 00-00-01 (3).png") << "(2) is someone else's";
    EXPECT_EQ(readFile(folder + "/Zendrix Film 00-00-01 (2).png"), "theirs");
    EXPECT_EQ(QImage(second.path).size(), QSize(8, 6));
    EXPECT_EQ(filesIn(folder), QStringList({"Zendrix Film 00-00-01 (2).png", "Zendrix Film 00-00-01 (3).png",
                                            "Zendrix Film 00-00-01.png"}));
}

TEST(Snapshot, AFailureAtAnyStepSaysWhyAndLeavesNoFile)
{
    QTemporaryDir root;
    const auto nothing = [](const QString&) { return false; };
    const SnapshotResult noPicture = writeSnapshot(root.path(), "Zendrix A 00-00-00", nothing);
    EXPECT_TRUE(noPicture.path.isEmpty());
    EXPECT_TRUE(noPicture.error.contains("no picture")) << noPicture.error.toStdString();

    // A writer that says it wrote, and left an empty file.
    const auto empty = [](const QString& path) { return !writeFile(path).isEmpty(); };
    EXPECT_FALSE(writeSnapshot(root.path(), "Zendrix A 00-00-00", empty).error.isEmpty());
    EXPECT_TRUE(filesIn(root.path()).isEmpty());

    const SnapshotResult missing = writeSnapshot(root.filePath("gone"), "Zendrix A 00-00-00", writePicture);
    EXPECT_TRUE(missing.error.contains(QDir::toNativeSeparators(root.filePath("gone"))))
        << missing.error.toStdString();

    if (::geteuid() != 0) { // root writes into a read-only folder all the same
        const QString locked = root.filePath("locked");
        ASSERT_TRUE(QDir().mkpath(locked));
        ::chmod(QFile::encodeName(locked).constData(), 0500);
        EXPECT_FALSE(writeSnapshot(locked, "Zendrix A 00-00-00", writePicture).error.isEmpty());
        EXPECT_TRUE(filesIn(locked).isEmpty());
    }
}

TEST(Snapshot, ShapesReachLibvlcAsTwoWholeNumbers)
{
    const std::pair<const char*, const char*> shapes[] = {
        {"16:9", "16:9"}, {"4:3", "4:3"},      {"16:10", "8:5"},   {"2.35:1", "47:20"},
        {"1:1", "1:1"},   {"1.85:1", "37:20"}, {" 4 : 3 ", "4:3"},
    };
    for (const auto& [shape, vlc] : shapes)
        EXPECT_EQ(vlcAspectRatio(shape), std::optional<QString>(vlc)) << shape;
    for (const char* refused : {"", "16", "16:0", "0:9", "-4:3", "a:b", "1:2:3", "20:1", "1.2345:1", "4,5:3"})
        EXPECT_EQ(vlcAspectRatio(refused), std::nullopt) << refused;
}

} // namespace
