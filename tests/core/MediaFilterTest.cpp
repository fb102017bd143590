// The open dialogs' media filter and what follows from its "All Media Files": the folder scan and the
// media types the desktop is told the player opens.
#include "core/MediaFilter.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace zendrix;

TEST(MediaFilter, TodaysFormatsAreMediaFilesWithAGroupOfTheirOwnBeforeAllFilesAndTheirTypesAreOffered)
{
    QStringList captions;
    const QStringList parts = kMediaFilter.split('|');
    for (qsizetype i = 0; i < parts.size(); i += 2)
        captions << parts[i];
    EXPECT_EQ(captions,
              QStringList(
                  {"All Media Files", "OGG Media Files (*.ogg,*.ogm)", "MIDI Files (*.mid,*.rmi,*.midi)",
                   "Movie Files (*.mpeg,*.mpg,*.m1v,*.mp2,*.mpa,*.mpe,*.ifo,*.vob)",
                   "Music Files (*.wav,*.snd,*.au,*.aif,*.aiff,*.wma,*.mp3)",
                   "Windows Media Files (*.asf,*.wm,*.wma,*.wmv,*.wmd)", "Windows Video Files (*.avi,*.wmv)",
                   "Other Media Files (*.flac,*.opus,*.oga,*.m4a,*.aac,*.mp4,*.m4v,*.mkv,*.webm,*.mov)",
                   "All Files (*.*)"}));
    EXPECT_EQ(parts.at(15), "*.flac;*.opus;*.oga;*.m4a;*.aac;*.mp4;*.m4v;*.mkv;*.webm;*.mov");

    const std::pair<const char*, const char*> formats[] = {
        {"flac", "audio/flac"},    {"opus", "audio/x-opus+ogg"}, {"oga", "audio/ogg"},
        {"m4a", "audio/mp4"},      {"aac", "audio/aac"},         {"mp4", "video/mp4"},
        {"m4v", "video/mp4"},      {"mkv", "video/x-matroska"},  {"webm", "video/webm"},
        {"mov", "video/quicktime"}};
    for (const auto& [suffix, type] : formats) {
        SCOPED_TRACE(suffix);
        EXPECT_TRUE(parts.at(1).split(';').contains(QStringLiteral("*.%1").arg(suffix)));
        EXPECT_TRUE(isMediaFileName(QStringLiteral("Song.%1").arg(QString(suffix).toUpper())));
        EXPECT_TRUE(mediaMimeTypes().contains(type));
    }
    EXPECT_FALSE(isMediaFileName("notes.txt"));
}
