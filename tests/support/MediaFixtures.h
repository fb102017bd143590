#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zendrix {

// The tags MediaFixtures::encoded writes; those left out are not written.
struct MediaTags
{
    QString title = {}, artist = {}, album = {}, genre = {};
    QString trackGain = {}; // REPLAYGAIN_TRACK_GAIN, as "-6.00 dB"
};

// Media made for tests: WAV by code, encoded files by ffmpeg, the DVD by ffmpeg, spumux and dvdauthor.
// Each is made once into the build tree's test-media folder (built aside and renamed into place, so test
// programs running side by side share it). A maker returns the path, or "" with lastError() saying why.
// Call missingTools() first and skip the test when it names a tool.
class MediaFixtures
{
public:
    using Tags = MediaTags;
    // Tone: a sine, squeezed to a few kbit/s. Music: a tone over pink noise, at an ordinary bit rate.
    enum class Content { Tone, Music };

    // "" when every named program is on the PATH, else a message that names the missing ones.
    static QString missingTools(const QStringList& tools);
    static QString lastError();

    // Ends: the first and the last 10 ms are a full-scale click, and the tone between is quiet, so that a
    // listener can tell where an item begins and ends.
    enum class Marks { None, Ends };

    // A 16-bit mono PCM WAV of a sine tone at 44.1 kHz; no tools needed.
    static QString wav(double seconds, int frequency = 440, Marks marks = Marks::None);
    // The same of several sines together, each at -24 dB of full scale: room to lift any of them by
    // 12 dB without clipping.
    static QString chord(double seconds, const QList<int>& frequencies);
    // MP3 frames of a 440 Hz tone at 128 kbit/s and 44.1 kHz without any tag or header, as a radio
    // station sends them; made by ffmpeg.
    static QString mp3Stream(double seconds);
    // A file encoded by ffmpeg, tagged, its format picked by the suffix: "mp3", "ogg", "wma", "flac",
    // "opus", "oga", "m4a", "aac", and films with a small moving picture: "mp4", "m4v", "mov", "mkv", "webm".
    static QString encoded(const QString& suffix, double seconds, const Tags& tags = {},
                           Content content = Content::Tone);

    // Films of a still picture of one colour, 320 by 240 pixels at 10 frames a second, which subtitles
    // stand out on, with a 440 Hz tone; made by ffmpeg.
    // tracks: Matroska with two audio tracks, 440 Hz in English and 880 Hz in French, and two subtitle
    // tracks, kSubtitleOne in English and kSubtitleTwo in French, neither shown by default.
    static QString filmWithTracks(double seconds);
    // "episode.mkv" without subtitles of its own, and beside it "episode.srt" holding kSubtitleBeside.
    static QString filmWithSubtitleBeside(double seconds);
    // A subtitle file holding kSubtitleLoaded for the first `seconds`, in a folder of its own.
    static QString subtitleFile(double seconds);
    // A 4:3 picture (320 by 240, white) whose header says 16:9, in MP4.
    static QString squeezedFilm(double seconds);
    // A long film, quick to make: a still grey picture of 160 by 120 at one frame a second, with a tone,
    // in Matroska.
    static QString longFilm(double seconds);
    static inline const QString kSubtitleOne = QStringLiteral("ONE");
    static inline const QString kSubtitleTwo = QStringLiteral("THE SECOND OF THE TWO TRACKS");
    static inline const QString kSubtitleBeside = QStringLiteral("BESIDE THE FILM");
    static inline const QString kSubtitleLoaded = QStringLiteral("LOADED");

    // A PAL DVD (the path of its VIDEO_TS folder): a yellow title menu whose one button starts title 1;
    // title 1 of two chapters, 8 s green then 8 s blue, ending in the root menu; the root menu magenta
    // with a button for each chapter. The buttons keep to the lower third of the picture. Its first-play
    // program shows the title menu, or starts title 1.
    enum class FirstPlay { TitleMenu, Title1 };
    static QString dvd(FirstPlay firstPlay = FirstPlay::TitleMenu);
};

} // namespace zendrix
