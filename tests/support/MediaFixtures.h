#pragma once

#include <QString>
#include <QStringList>

namespace zendrix {

// Media made for tests. A WAV file is written by code; encoded files come from ffmpeg, the
// DVD from ffmpeg, spumux and dvdauthor.
//
// Each fixture is made once and kept in the build tree's test-media folder under a name that spells its
// parameters, so the test programs that ctest runs one case at a time share it instead of each making
// it again; a fixture is built in a temporary folder and renamed into place, so programs that run side by
// side never see half of one. Every maker returns the full path, or "" when it failed: lastError() then
// says why. Call missingTools() first and skip the test when it names a tool:
//
//     if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())
//         GTEST_SKIP() << missing.toStdString();
class MediaFixtures
{
public:
    struct Tags
    {
        QString title, artist, album, genre;
    };
    // Tone: a plain sine, which encoders squeeze to a few kbit/s. Music: a tone over pink noise, which
    // keeps the bit rate and the page sizes of ordinary recordings.
    enum class Content { Tone, Music };

    // "" when every named program is on the PATH, else a message that names the missing ones.
    static QString missingTools(const QStringList& tools);
    static QString lastError();

    // A 16-bit mono PCM WAV of a sine tone; no tools needed.
    static QString wav(double seconds, int frequency = 440);
    // An audio file encoded by ffmpeg, its format picked by the suffix ("mp3", "ogg", "wma", "flac",
    // "aiff", "wav"), with the tags that the format carries.
    static QString encoded(const QString& suffix, double seconds, const Tags& tags = {},
                           Content content = Content::Tone);

    // A PAL DVD folder (the path of its VIDEO_TS folder). Its first-play program starts title 1 (libvlc
    // opens discs at the title menu all the same). Title 1 has two chapters, 8 s of green, then 8 s of
    // blue, and ends in the root menu. The root menu is magenta with
    // two buttons (chapter 1, chapter 2); the disc's title menu is yellow with one highlighted button that
    // starts title 1. The colours fill the picture but for the buttons in its lower third.
    static QString dvd();
};

} // namespace zendrix
