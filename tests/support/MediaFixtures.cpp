#include "MediaFixtures.h"

#include "platform/AtomicFile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <numbers>

namespace zendrix {

namespace {

// Bump when a maker changes what it makes, so that an older build's fixtures are not reused.
constexpr int kGeneratorVersion = 2;

QString& errorText()
{
    static QString text;
    return text;
}

QString fail(const QString& why)
{
    errorText() = why;
    return {};
}

QDir storeFolder()
{
    QDir dir(QStringLiteral(ZENDRIX_TEST_MEDIA_DIR));
    dir.mkpath(QStringLiteral("."));
    return dir;
}

// The kept fixture `name`; when missing, make(folder, path) writes it and returns "" or an error.
template <typename Make> QString kept(const QString& name, Make make)
{
    QDir store = storeFolder();
    const QString target = store.filePath(QStringLiteral("v%1-%2").arg(kGeneratorVersion).arg(name));
    if (QFileInfo::exists(target))
        return target;
    QTemporaryDir work(store.filePath(QStringLiteral("making-XXXXXX")));
    if (!work.isValid())
        return fail(QStringLiteral("cannot make a folder in %1").arg(store.path()));
    if (const QString error = make(work.path(), work.filePath(name)); !error.isEmpty())
        return fail(error);
    // Another test program may have made the same fixture meanwhile; either copy will do.
    if (!QDir().rename(work.filePath(name), target) && !QFileInfo::exists(target))
        return fail(QStringLiteral("cannot move the fixture to %1").arg(target));
    return target;
}

QString run(const QString& program, const QStringList& args, const QString& folder,
            const QString& stdinFile = {}, const QString& stdoutFile = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VIDEO_FORMAT"), QStringLiteral("PAL"));
    process.setProcessEnvironment(env);
    if (!stdinFile.isEmpty())
        process.setStandardInputFile(stdinFile);
    if (!stdoutFile.isEmpty())
        process.setStandardOutputFile(stdoutFile);
    process.start(program, args);
    if (!process.waitForFinished(180'000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        const QString output = QString::fromLocal8Bit(process.readAllStandardError()).right(1500);
        return QStringLiteral("%1 failed: %2 %3").arg(program, process.errorString(), output);
    }
    return {};
}

QByteArray wavHeader(qint32 samples)
{
    constexpr int rate = 44100;
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto tag = [&out](const char* fourcc) { out.writeRawData(fourcc, 4); };
    tag("RIFF");
    out << quint32(36 + samples * 2);
    tag("WAVE");
    tag("fmt ");
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2)
        << quint16(16);
    tag("data");
    out << quint32(samples * 2);
    return data;
}

QByteArray chordBytes(double seconds, const QList<int>& frequencies)
{
    constexpr int rate = 44100;
    constexpr double amplitude = 32767 / 15.85; // -24 dB
    const auto samples = qint32(std::lround(seconds * rate));
    QByteArray data = wavHeader(samples);
    QDataStream out(&data, QIODevice::WriteOnly | QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    for (qint32 i = 0; i < samples; ++i) {
        double sum = 0;
        for (int frequency : frequencies)
            sum += std::sin(2 * std::numbers::pi * frequency * i / rate);
        out << qint16(std::lround(amplitude * sum));
    }
    return data;
}

QByteArray wavBytes(double seconds, int frequency, MediaFixtures::Marks marks)
{
    constexpr qint32 markSamples = 441;
    constexpr int rate = 44100;
    const auto samples = qint32(std::lround(seconds * rate));
    QByteArray data = wavHeader(samples);
    QDataStream out(&data, QIODevice::WriteOnly | QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    const bool marked = marks == MediaFixtures::Marks::Ends;
    for (qint32 i = 0; i < samples; ++i) {
        if (marked && (i < markSamples || i >= samples - markSamples))
            out << qint16(i % 44 < 22 ? 30000 : -30000); // a 1 kHz square
        else
            out << qint16(std::lround((marked ? 300.0 : 9000.0) *
                                      std::sin(2 * std::numbers::pi * frequency * i / rate)));
    }
    return data;
}

// How ffmpeg makes each format: its codecs and, where the suffix does not name it, its container. The
// containers of films get a small picture besides the sound.
QStringList codecArgs(const QString& suffix)
{
    static const QMap<QString, QString> codecs{
        {"mp3", "-c:a libmp3lame -b:a 128k -id3v2_version 3"},
        {"ogg", "-c:a libvorbis -q:a 4"},
        {"wma", "-c:a wmav2 -b:a 128k"},
        {"flac", "-c:a flac"},
        {"opus", "-c:a libopus -b:a 48k"},
        {"oga", "-c:a libvorbis -q:a 4"},
        {"m4a", "-c:a aac -b:a 96k"},
        {"aac", "-c:a aac -b:a 96k -write_id3v2 1"},
        {"mp4", "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 96k"},
        {"m4v", "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 96k -f ipod"},
        {"mov", "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 96k"},
        {"mkv", "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a libvorbis -q:a 4"},
        {"webm", "-c:v libvpx -deadline realtime -b:v 200k -c:a libopus -b:a 48k"},
    };
    const QString codec = codecs.value(suffix);
    return codec.isEmpty() ? QStringList() : codec.split(QLatin1Char(' '));
}

bool isFilm(const QString& suffix)
{
    return codecArgs(suffix).contains(QStringLiteral("-c:v"));
}

// The buttons' highlight as spumux wants it: a PAL-sized palette picture of at most four colours.
QString writeButtons(const QString& path, const QList<QRect>& buttons)
{
    QImage image(720, 576, QImage::Format_Indexed8);
    image.setColorTable({qRgba(0, 0, 0, 0), qRgba(255, 0, 0, 255)});
    image.fill(0);
    for (const QRect& button : buttons)
        for (int y = button.top(); y <= button.bottom(); ++y)
            for (int x = button.left(); x <= button.right(); ++x)
                image.setPixel(x, y, 1);
    return image.save(path, "PNG") ? QString() : QStringLiteral("cannot write %1").arg(path);
}

QString spuXml(const QString& png, const QList<QRect>& buttons)
{
    QString xml = QStringLiteral("<subpictures><stream><spu start=\"00:00:00.00\" force=\"yes\" "
                                 "highlight=\"%1\" select=\"%1\">\n")
                      .arg(png);
    int n = 0;
    for (const QRect& b : buttons)
        xml += QStringLiteral("<button name=\"b%1\" x0=\"%2\" y0=\"%3\" x1=\"%4\" y1=\"%5\"/>\n")
                   .arg(++n)
                   .arg(b.left())
                   .arg(b.top())
                   .arg(b.right() + 1)
                   .arg(b.bottom() + 1);
    return xml + QStringLiteral("</spu></stream></subpictures>\n");
}

// ffmpeg's arguments, written as one line with single spaces.
QStringList args(const QString& line)
{
    return line.split(QLatin1Char(' '));
}

QStringList dvdVideoArgs(const QString& colourSource, double seconds, const QString& out)
{
    return args(
        QStringLiteral("-hide_banner -loglevel error -y -f lavfi -i %1 -f lavfi -i sine=f=440:r=48000:d=%2 "
                       "-target pal-dvd -aspect 4:3 -b:v 1500k -t %2 %3")
            .arg(colourSource)
            .arg(seconds)
            .arg(out));
}

QString makeMenu(const QString& dir, const QString& colour, const QList<QRect>& buttons, const QString& out)
{
    const QString background = colour + QStringLiteral("_bg.mpg");
    const QString png = colour + QStringLiteral("_buttons.png");
    const QString xml = colour + QStringLiteral("_spu.xml");
    const auto source = QStringLiteral("color=%1:s=720x576:r=25:d=2").arg(colour);
    if (QString e = run("ffmpeg", dvdVideoArgs(source, 2, background), dir); !e.isEmpty())
        return e;
    if (QString e = writeButtons(QDir(dir).filePath(png), buttons); !e.isEmpty())
        return e;
    if (!writeFileAtomically(QDir(dir).filePath(xml), spuXml(png, buttons).toUtf8()))
        return QStringLiteral("cannot write %1").arg(xml);
    return run("spumux", {xml}, dir, QDir(dir).filePath(background), QDir(dir).filePath(out));
}

// %1: the folder the disc goes to, %2: its first-play program.
const char* const kDvdXml = R"(<dvdauthor dest="%1" jumppad="yes">
  <vmgm>
    <fpc>%2</fpc>
    <menus>
      <pgc entry="title">
        <vob file="title_menu.mpg" pause="inf"/>
        <button name="b1">jump title 1;</button>
      </pgc>
    </menus>
  </vmgm>
  <titleset>
    <menus>
      <pgc entry="root">
        <vob file="root_menu.mpg" pause="inf"/>
        <button name="b1">jump title 1 chapter 1;</button>
        <button name="b2">jump title 1 chapter 2;</button>
      </pgc>
    </menus>
    <titles>
      <pgc>
        <vob file="title.mpg" chapters="0,0:08"/>
        <post>call menu;</post>
      </pgc>
    </titles>
  </titleset>
</dvdauthor>
)";

// A subtitle file showing one line from the start for `seconds`, in one entry a second, so that a track
// chosen while the film plays shows its text at the next second.
QByteArray srt(const QString& text, double seconds)
{
    const auto time = [](int second) {
        return QStringLiteral("%1:%2:%3,000")
            .arg(second / 3600, 2, 10, QLatin1Char('0'))
            .arg(second / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(second % 60, 2, 10, QLatin1Char('0'));
    };
    QString entries;
    for (int second = 0; second < int(std::ceil(seconds)); ++second)
        entries +=
            QStringLiteral("%1\n%2 --> %3\n%4\n\n").arg(second + 1).arg(time(second), time(second + 1), text);
    return entries.toUtf8();
}

QString writeText(const QString& path, const QByteArray& text)
{
    return writeFileAtomically(path, text) ? QString() : QStringLiteral("cannot write %1").arg(path);
}

// ffmpeg's inputs for a still film: the picture, then the tone.
QStringList stillFilmInputs(const QString& colour, double seconds, int hertz = 440)
{
    return args(QStringLiteral("-hide_banner -loglevel error -y -f lavfi -i color=c=%1:s=320x240:r=10:d=%2 "
                               "-f lavfi -i sine=frequency=%3:sample_rate=44100:duration=%2")
                    .arg(colour)
                    .arg(seconds)
                    .arg(hertz));
}

const QString kStillVideo = QStringLiteral("-c:v libx264 -preset ultrafast -pix_fmt yuv420p");

} // namespace

QString MediaFixtures::missingTools(const QStringList& tools)
{
    QStringList missing;
    for (const QString& tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    if (missing.isEmpty())
        return {};
    return QStringLiteral("not installed: %1 (scripts/install-deps.sh installs them)")
        .arg(missing.join(", "));
}

QString MediaFixtures::lastError()
{
    return errorText();
}

QString MediaFixtures::wav(double seconds, int frequency, Marks marks)
{
    const QString name = QStringLiteral("tone-%1s-%2hz%3.wav")
                             .arg(seconds)
                             .arg(frequency)
                             .arg(marks == Marks::Ends ? "-marked" : "");
    return kept(name, [&](const QString&, const QString& out) {
        return writeFileAtomically(out, wavBytes(seconds, frequency, marks))
                   ? QString()
                   : QStringLiteral("cannot write %1").arg(out);
    });
}

QString MediaFixtures::chord(double seconds, const QList<int>& frequencies)
{
    QStringList names;
    for (int frequency : frequencies)
        names << QString::number(frequency);
    const QString name = QStringLiteral("chord-%1s-%2hz.wav").arg(seconds).arg(names.join('+'));
    return kept(name, [&](const QString&, const QString& out) {
        return writeFileAtomically(out, chordBytes(seconds, frequencies))
                   ? QString()
                   : QStringLiteral("cannot write %1").arg(out);
    });
}

QString MediaFixtures::mp3Stream(double seconds)
{
    return kept(QStringLiteral("stream-%1s.mp3").arg(seconds), [&](const QString& dir, const QString& out) {
        return run(
            "ffmpeg",
            args(QStringLiteral("-hide_banner -loglevel error -y -f lavfi -i "
                                "sine=frequency=440:sample_rate=44100:duration=%1 -c:a libmp3lame -b:a 128k "
                                "-id3v2_version 0 -write_id3v1 0 -write_xing 0 -f mp3")
                     .arg(seconds))
                << out,
            dir);
    });
}

QString MediaFixtures::encoded(const QString& suffix, double seconds, const Tags& tags, Content content)
{
    const QString name = QStringLiteral("%1-%2s-%3.%4")
                             .arg(content == Content::Tone ? "tone" : "music")
                             .arg(seconds)
                             .arg(qHash(tags.title + '|' + tags.artist + '|' + tags.album + '|' + tags.genre +
                                        (tags.trackGain.isEmpty() ? QString() : '|' + tags.trackGain)))
                             .arg(suffix);
    return kept(name, [&](const QString& dir, const QString& out) {
        QStringList ffmpeg = args(QStringLiteral("-hide_banner -loglevel error -y -f lavfi -i "
                                                 "sine=frequency=440:sample_rate=44100:duration=%1")
                                      .arg(seconds));
        if (isFilm(suffix))
            ffmpeg << args(
                QStringLiteral("-f lavfi -i testsrc=size=160x120:rate=10:duration=%1").arg(seconds));
        if (content == Content::Music)
            ffmpeg << args(
                QStringLiteral(
                    "-f lavfi -i anoisesrc=d=%1:c=pink:a=0.2:r=44100 -filter_complex amix=inputs=2")
                    .arg(seconds));
        const std::pair<const char*, QString> fields[] = {{"title", tags.title},
                                                          {"artist", tags.artist},
                                                          {"album", tags.album},
                                                          {"genre", tags.genre},
                                                          {"REPLAYGAIN_TRACK_GAIN", tags.trackGain}};
        for (const auto& [key, value] : fields)
            if (!value.isEmpty())
                ffmpeg << "-metadata" << QStringLiteral("%1=%2").arg(key, value);
        ffmpeg << codecArgs(suffix) << out;
        return run("ffmpeg", ffmpeg, dir);
    });
}

QString MediaFixtures::dvd(FirstPlay firstPlay)
{
    // Both discs are made together: they share every picture and differ in their first-play program.
    const QString discs = kept(QStringLiteral("dvd"), [](const QString& dir, const QString& out) {
        const QList<QRect> titleMenuButtons{QRect(260, 420, 200, 60)};
        const QList<QRect> rootMenuButtons{QRect(100, 420, 200, 60), QRect(420, 420, 200, 60)};
        if (QString e = makeMenu(dir, "yellow", titleMenuButtons, "title_menu.mpg"); !e.isEmpty())
            return e;
        if (QString e = makeMenu(dir, "magenta", rootMenuButtons, "root_menu.mpg"); !e.isEmpty())
            return e;
        const QStringList title = args(
            "-hide_banner -loglevel error -y -f lavfi -i color=green:s=720x576:r=25:d=8 -f lavfi -i "
            "color=blue:s=720x576:r=25:d=8 -f lavfi -i sine=f=440:r=48000:d=16 -filter_complex "
            "[0][1]concat=n=2:v=1:a=0[v] -map [v] -map 2 -target pal-dvd -aspect 4:3 -b:v 1500k title.mpg");
        if (QString e = run("ffmpeg", title, dir); !e.isEmpty())
            return e;
        if (!QDir().mkpath(out))
            return QStringLiteral("cannot make %1").arg(out);
        for (const auto& [folder, program] : {std::pair{"menu-first", "jump vmgm menu entry title;"},
                                              std::pair{"title-first", "jump title 1;"}}) {
            const QString xml = QStringLiteral("%1.xml").arg(folder);
            const QString text = QString::fromLatin1(kDvdXml).arg(QDir(out).filePath(folder), program);
            if (!writeFileAtomically(QDir(dir).filePath(xml), text.toUtf8()))
                return QStringLiteral("cannot write %1").arg(xml);
            if (QString e = run("dvdauthor", {"-x", xml}, dir); !e.isEmpty())
                return e;
        }
        return QString();
    });
    const char* folder = firstPlay == FirstPlay::TitleMenu ? "menu-first" : "title-first";
    return discs.isEmpty() ? discs : QDir(discs).filePath(QStringLiteral("%1/VIDEO_TS").arg(folder));
}

} // namespace zendrix

namespace zendrix {

QString MediaFixtures::filmWithTracks(double seconds)
{
    return kept(QStringLiteral("tracks-%1s.mkv").arg(seconds), [&](const QString& dir, const QString& out) {
        if (QString e = writeText(QDir(dir).filePath("one.srt"), srt(kSubtitleOne, seconds)); !e.isEmpty())
            return e;
        if (QString e = writeText(QDir(dir).filePath("two.srt"), srt(kSubtitleTwo, seconds)); !e.isEmpty())
            return e;
        QStringList ffmpeg = stillFilmInputs(QStringLiteral("0x203040"), seconds);
        ffmpeg << args(QStringLiteral("-f lavfi -i sine=frequency=880:sample_rate=44100:duration=%1 "
                                      "-i one.srt -i two.srt -map 0:v -map 1:a -map 2:a -map 3:s -map 4:s")
                           .arg(seconds))
               << args(kStillVideo)
               << args(QStringLiteral("-c:a aac -b:a 96k -c:s srt -metadata:s:a:0 language=eng "
                                      "-metadata:s:a:1 language=fre -metadata:s:s:0 language=eng "
                                      "-metadata:s:s:1 language=fre -disposition:a:0 default "
                                      "-disposition:a:1 0 -disposition:s:0 0 -disposition:s:1 0"))
               << out;
        return run("ffmpeg", ffmpeg, dir);
    });
}

QString MediaFixtures::filmWithSubtitleBeside(double seconds)
{
    const QString folder = kept(QStringLiteral("beside-%1s").arg(seconds), [&](const QString& dir,
                                                                               const QString& out) {
        if (!QDir().mkpath(out))
            return QStringLiteral("cannot make %1").arg(out);
        QStringList ffmpeg = stillFilmInputs(QStringLiteral("0x203040"), seconds);
        ffmpeg << args(kStillVideo) << args(QStringLiteral("-c:a aac -b:a 96k"))
               << QDir(out).filePath(QStringLiteral("episode.mkv"));
        if (QString e = run("ffmpeg", ffmpeg, dir); !e.isEmpty())
            return e;
        return writeText(QDir(out).filePath(QStringLiteral("episode.srt")), srt(kSubtitleBeside, seconds));
    });
    return folder.isEmpty() ? folder : QDir(folder).filePath(QStringLiteral("episode.mkv"));
}

QString MediaFixtures::subtitleFile(double seconds)
{
    const QString folder =
        kept(QStringLiteral("subtitles-%1s").arg(seconds), [&](const QString&, const QString& out) {
            if (!QDir().mkpath(out))
                return QStringLiteral("cannot make %1").arg(out);
            return writeText(QDir(out).filePath(QStringLiteral("loaded.srt")), srt(kSubtitleLoaded, seconds));
        });
    return folder.isEmpty() ? folder : QDir(folder).filePath(QStringLiteral("loaded.srt"));
}

QString MediaFixtures::squeezedFilm(double seconds)
{
    return kept(QStringLiteral("squeezed-%1s.mp4").arg(seconds), [&](const QString& dir, const QString& out) {
        QStringList ffmpeg = stillFilmInputs(QStringLiteral("white"), seconds);
        ffmpeg << args(kStillVideo) << args(QStringLiteral("-aspect 16:9 -c:a aac -b:a 96k")) << out;
        return run("ffmpeg", ffmpeg, dir);
    });
}

QString MediaFixtures::longFilm(double seconds)
{
    return kept(QStringLiteral("long-%1s.mkv").arg(seconds), [&](const QString& dir, const QString& out) {
        const QStringList ffmpeg =
            args(QStringLiteral("-hide_banner -loglevel error -y -f lavfi -i color=c=gray:s=160x120:r=1:d=%1 "
                                "-f lavfi -i sine=frequency=440:sample_rate=22050:duration=%1 "
                                "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 10 -c:a aac -b:a 32k")
                     .arg(seconds))
            << out;
        return run("ffmpeg", ffmpeg, dir);
    });
}

} // namespace zendrix
