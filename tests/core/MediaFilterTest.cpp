// The open dialogs' media filter and what follows from its "All Media Files": the folder scan and the
// media types the desktop is told the player opens.
#include "core/MediaFilter.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace zendrix;

namespace {

struct Group
{
    QString caption;
    QStringList patterns;
};

QList<Group> groupsOf(const QString& filter)
{
    QList<Group> groups;
    const QStringList parts = filter.split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        groups.append({parts[i], parts[i + 1].split(';')});
    return groups;
}

TEST(MediaFilter, EveryGroupsFilesAreMediaFilesOfferedFirstTogetherAndAllFilesComeLast)
{
    const QList<Group> groups = groupsOf(kMediaFilter);
    ASSERT_GE(groups.size(), 3);
    EXPECT_EQ(kMediaFilter.count('|') % 2, 1) << "captions and pattern lists alternate";
    EXPECT_EQ(groups.first().caption, "All Media Files");
    EXPECT_EQ(groups.last().caption, "All Files (*.*)");
    EXPECT_EQ(groups.last().patterns, QStringList{"*.*"});
    const QStringList all = groups.first().patterns;
    // A file of every group is a media file, whatever the case of its name, and the first group offers it.
    for (const Group& group : groups.mid(1, groups.size() - 2)) {
        for (const QString& pattern : group.patterns) {
            SCOPED_TRACE((group.caption + " " + pattern).toStdString());
            ASSERT_TRUE(pattern.startsWith("*."));
            EXPECT_TRUE(all.contains(pattern));
            EXPECT_TRUE(isMediaFileName("Song" + pattern.mid(1)));
            EXPECT_TRUE(isMediaFileName("Song" + pattern.mid(1).toUpper()));
        }
    }
    for (const char* other : {"notes.txt", "cover.jpg", "mp3", "song.mp3.part", "list.zdx"})
        EXPECT_FALSE(isMediaFileName(other)) << other;
}

TEST(MediaFilter, TodaysFormatsAreMediaFilesAndTheirTypesAreOffered)
{
    const std::pair<const char*, const char*> formats[] = {
        {"flac", "audio/flac"},    {"opus", "audio/x-opus+ogg"}, {"oga", "audio/ogg"},
        {"m4a", "audio/mp4"},      {"aac", "audio/aac"},         {"mp4", "video/mp4"},
        {"m4v", "video/mp4"},      {"mkv", "video/x-matroska"},  {"webm", "video/webm"},
        {"mov", "video/quicktime"}, {"mp3", "audio/mpeg"}};
    for (const auto& [suffix, type] : formats) {
        SCOPED_TRACE(suffix);
        EXPECT_TRUE(isMediaFileName(QStringLiteral("Song.%1").arg(suffix)));
        EXPECT_TRUE(mediaFileSuffixes().contains(suffix));
        EXPECT_TRUE(mediaMimeTypes().contains(type));
    }
    EXPECT_EQ(mediaFileSuffixes().count("wma"), 1) << "each extension once";
}

} // namespace
