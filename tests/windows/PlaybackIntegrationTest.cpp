// The program on the real libvlc engine: a file plays to its end, a playlist advances and repeats with
// nothing of an entry cut, today's formats play and tell their tags, damaged media are reported or
// passed over without blocking, and the DVD menu steers a disc.
#include "../core/EngineTestSupport.h"
#include "core/Player.h"
#include "core/PlayerRemote.h"
#include "core/VlcEngine.h"
#include "core/modINI.h"
#include "support/AudioRecorder.h"
#include "support/Files.h"
#include "support/IcyServer.h"
#include "support/MediaFixtures.h"
#include "support/ProgramFolderFixture.h"
#include "support/ProgramStart.h"
#include "windows/DvdMenu.h"
#include "windows/InfoWindow.h"
#include "windows/PlayerMenu.h"
#include "windows/Program.h"
#include "windows/TitleStrip.h"
#include "windows/VideoWindow.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;
using zendrix::test::Shade;
using zendrix::test::waitFor;

namespace {

class PlaybackIntegrationTest : public ::testing::Test, protected ScriptedServices
{
protected:
    ProgramFolderFixture folder;
    // Stands in for a sound card with a small buffer, which leaves the engine little of an item's end in
    // hand when it is stopped; it outlives the engine.
    AudioRecorder card{200};
    std::unique_ptr<Program> program;

    enum class Sound { Dummy, Recorded };
    void start(const QStringList& options = {"--aout=dummy", "--vout=dummy"}, Sound sound = Sound::Dummy)
    {
        program = startProgram(
            [this, options, sound](VideoSurface& surface) {
                auto engine = std::make_unique<VlcEngine>(options);
                engine->setVideoSurface(&surface);
                if (sound == Sound::Recorded)
                    engine->listenWith(&card);
                return engine;
            },
            folder.file("/info.ini"));
    }
    Player& player() { return program->player(); }
    void open(const QString& path)
    {
        dialogs.answers.push_back(path);
        player().cmdBrowse_Click();
    }
    std::string shown() const { return messages.texts().join(" | ").toStdString(); }
};

TEST_F(PlaybackIntegrationTest, AFilePlaysToItsEndAndAListAdvancesAndRepeats)
{
    const QString seven = MediaFixtures::wav(7), first = MediaFixtures::wav(2, 440),
                  second = MediaFixtures::wav(2, 660);
    ASSERT_FALSE(seven.isEmpty() || first.isEmpty() || second.isEmpty()) << MediaFixtures::lastError().toStdString();
    start();
    open(seven);
    ASSERT_TRUE(waitFor([&] { return program->wmp().playState() == MediaEngine::Playing; }));
    EXPECT_TRUE(waitFor([&] { return player().lblSeconds.Caption() == "07"; }, 9500));
    EXPECT_TRUE(waitFor([&] { return !player().IsPlaying; }, 1500));
    EXPECT_EQ(player().lblTiming.Caption(), "(00:07)");
    EXPECT_EQ(player().scrollTiming.Max(), 7);
    EXPECT_EQ(player().cmdControls[Player::Play].PictureNormal().image().pixel(8, 8),
              ProgramFolderFixture::kPlay.rgb());

    program->remote().setRepeat(true);
    ListControl& list = program->lstPlaylist();
    list.addItems({first, second});
    list.setListIndex(0);
    EXPECT_TRUE(waitFor([&] { return list.ListIndex() == 1 && program->wmp().URL() == second; }, 4500));
    EXPECT_TRUE(waitFor([&] { return list.ListIndex() == 0 && program->wmp().URL() == first; }, 4500));
    EXPECT_TRUE(waitFor([&] { return program->wmp().playState() == MediaEngine::Playing; }, 3000));
    EXPECT_TRUE(player().IsPlaying);
    EXPECT_TRUE(messages.shown.empty()) << shown();
}

TEST_F(PlaybackIntegrationTest, AnInternetRadioOpenedByAddressShowsEachTitleItPlaysAndCannotPlayOnceItIsGone)
{
    if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString frames = MediaFixtures::mp3Stream(60);
    ASSERT_FALSE(frames.isEmpty()) << MediaFixtures::lastError().toStdString();
    IcyServer radio(
        readFile(frames), 16000, QStringLiteral("Test Radio"),
        {{0, QStringLiteral("The Band - First Song")}, {4, QStringLiteral("Other Artist - Second Song")}});
    ASSERT_FALSE(radio.url().isEmpty());
    start();
    addresses.answers.push_back(radio.url());
    program->playerMenu().mnuOpenUrl->trigger();
    const LabelControl& name = player().lblFilename;
    EXPECT_TRUE(waitFor([&] { return name.Caption() == "Test Radio - The Band - First Song"; }, 15000))
        << name.Caption().toStdString();
    EXPECT_TRUE(waitFor([&] { return name.Caption() == "Test Radio - Other Artist - Second Song"; }, 15000))
        << name.Caption().toStdString();
    // No length: the clock counts and the bar stays at its start.
    EXPECT_EQ(player().scrollTiming.Max(), 0);
    EXPECT_TRUE(player().IsPlaying && !player().FromPlaylist);

    radio.goOffAir();
    EXPECT_TRUE(waitFor([&] { return name.Caption() == "Cannot play: " + radio.url(); }, 30000))
        << name.Caption().toStdString();
    EXPECT_FALSE(player().IsPlaying);
    EXPECT_TRUE(messages.shown.empty()) << shown();
}

TEST_F(PlaybackIntegrationTest,
       TheNextEntryStartsOnlyOnceTheEngineHasFinishedTheLastAndWindingNeverWaitsForTheClock)
{
    const QString short13 = MediaFixtures::wav(1.3, 440, MediaFixtures::Marks::Ends);
    const QString long20 = MediaFixtures::wav(20, 660, MediaFixtures::Marks::Ends);
    const QString last = MediaFixtures::wav(0.6, 880, MediaFixtures::Marks::Ends);
    ASSERT_FALSE(short13.isEmpty() || long20.isEmpty() || last.isEmpty())
        << MediaFixtures::lastError().toStdString();
    start({"--vout=dummy"}, Sound::Recorded);
    ListControl& list = program->lstPlaylist();
    list.addItems({short13, long20, last});
    const auto heard = [&](std::size_t items, int ms) {
        return waitFor(
            [&] { return card.streams().size() >= items && card.streams()[items - 1].firstHeardUs >= 0; },
            ms);
    };
    list.setListIndex(0);
    ASSERT_TRUE(heard(2, 6000));
    // Its length rounds to one second, and the clock's first tick comes before its end.
    EXPECT_LT(card.streams()[0].cutMs(1.3), 1.0) << "the last 0.3 s were cut";

    player().cmdControls_Click(Player::FastForward);
    // Wound five times as fast, the entry is over within about four seconds; its clock would count 20.
    ASSERT_TRUE(heard(3, 12000)) << "the list waited for the clock";
    EXPECT_EQ(list.ListIndex(), 2);
    // The last entry ends before its first tick: the clock shows its length all the same.
    EXPECT_TRUE(waitFor([&] { return !player().IsPlaying; }, 3000));
    EXPECT_EQ(player().lblSeconds.Caption(), "01");
    EXPECT_LT(card.streams()[2].cutMs(0.6), 1.0);
    EXPECT_TRUE(messages.shown.empty()) << shown();
}

TEST_F(PlaybackIntegrationTest, TodaysFormatsOpenPlayTellTheirLengthAndGiveTheirTagsToTheInformationWindow)
{
    if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const MediaFixtures::Tags tags{"Night Train", "The Testers", "Fixtures Vol. 1", "Jazz"};
    start();
    const InfoWindow& info = program->frmInfo();
    MediaEngine& engine = program->wmp();
    for (const char* suffix : {"flac", "opus", "oga", "m4a", "aac", "mp4", "m4v", "mkv", "webm", "mov"}) {
        SCOPED_TRACE(suffix);
        const QString file = MediaFixtures::encoded(suffix, 3, tags);
        ASSERT_FALSE(file.isEmpty()) << MediaFixtures::lastError().toStdString();
        open(file);
        EXPECT_TRUE(waitFor([&] {
            return info.lblTitle.Caption() == tags.title && info.lblAuthor.Caption() == tags.artist &&
                   info.lblAlbum.Caption() == tags.album;
        })) << info.lblTitle.Caption().toStdString()
            << " / " << info.lblAuthor.Caption().toStdString() << " / "
            << info.lblAlbum.Caption().toStdString();
        EXPECT_TRUE(waitFor([&] {
            return engine.playState() == MediaEngine::Playing && engine.controls().currentPosition() > 0.2;
        }));
        EXPECT_TRUE(waitFor([&] { return std::abs(engine.currentMedia().duration() - 3.0) < 0.25; }))
            << engine.currentMedia().duration();
        EXPECT_EQ(player().lblFilename.Caption(), tags.title);
    }
    EXPECT_TRUE(messages.shown.empty()) << shown();
}

TEST_F(PlaybackIntegrationTest, AFileDeletedSinceItWasOpenedOrTextNamedMp3ShowsPlayAndSaysItCannotBePlayed)
{
    const QString tone = MediaFixtures::wav(3);
    ASSERT_FALSE(tone.isEmpty()) << MediaFixtures::lastError().toStdString();
    QTemporaryDir media;
    const QString song = media.filePath("song.wav");
    ASSERT_TRUE(QFile::copy(tone, song));
    const QString notes = media.filePath("notes.mp3");
    QFile text(notes);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("These are words, not sound.\n");
    text.close();
    start();
    const auto showsPlay = [&] {
        return player().cmdControls[Player::Play].PictureNormal().image().pixel(8, 8) ==
               ProgramFolderFixture::kPlay.rgb();
    };

    open(song);
    ASSERT_TRUE(waitFor([&] { return program->wmp().playState() == MediaEngine::Playing; }));
    player().cmdControls_Click(Player::Stop);
    ASSERT_TRUE(QFile::remove(song));
    player().cmdControls_Click(Player::Play);
    EXPECT_EQ(player().lblFilename.Caption(), "Cannot play: song");
    EXPECT_FALSE(player().IsPlaying || player().tmrTiming.Enabled());
    EXPECT_TRUE(showsPlay());

    open(notes);
    EXPECT_TRUE(waitFor([&] { return player().lblFilename.Caption() == "Cannot play: notes"; }))
        << player().lblFilename.Caption().toStdString();
    EXPECT_FALSE(player().IsPlaying || player().tmrTiming.Enabled());
    EXPECT_TRUE(showsPlay());
    EXPECT_TRUE(messages.shown.empty()) << shown();
}

TEST_F(PlaybackIntegrationTest, TheNameShowsTheTitleTagSoonAfterOpeningOrElseTheFileNameWithoutItsExtension)
{
    if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const MediaFixtures::Tags morning{"Morning", "The Testers", "Fixtures", "Jazz"};
    const MediaFixtures::Tags evening{"Evening", "The Others", "Fixtures", "Blues"};
    const QString untagged = MediaFixtures::wav(3);
    const QString first = MediaFixtures::encoded("mp3", 20, morning);
    const QString second = MediaFixtures::encoded("ogg", 20, evening);
    ASSERT_FALSE(untagged.isEmpty() || first.isEmpty() || second.isEmpty())
        << MediaFixtures::lastError().toStdString();
    start();
    const LabelControl& name = player().lblFilename;
    const InfoWindow& info = program->frmInfo();
    for (const char* suffix : {"mp3", "ogg", "wma"}) {
        SCOPED_TRACE(suffix);
        const QString file = MediaFixtures::encoded(suffix, 3, morning);
        ASSERT_FALSE(file.isEmpty()) << MediaFixtures::lastError().toStdString();
        open(file);
        EXPECT_TRUE(waitFor([&] { return name.Caption() == "Morning"; })) << name.Caption().toStdString();
        EXPECT_EQ(info.lblTitle.Caption(), "Morning");
        EXPECT_EQ(info.lblAuthor.Caption(), "The Testers");
    }
    open(untagged);
    EXPECT_EQ(name.Caption(), QFileInfo(untagged).completeBaseName());
    EXPECT_TRUE(waitFor([&] { return program->wmp().playState() == MediaEngine::Playing; }));
    EXPECT_EQ(name.Caption(), QFileInfo(untagged).completeBaseName());
    EXPECT_EQ(info.lblTitle.Caption(), QFileInfo(untagged).completeBaseName());

    // Whatever the first item's tags do once the second is opened, the second's name stays.
    open(first);
    open(second);
    EXPECT_TRUE(waitFor([&] { return name.Caption() == "Evening"; })) << name.Caption().toStdString();
    test::runEventsFor(1000);
    EXPECT_EQ(name.Caption(), "Evening");
    EXPECT_EQ(info.lblTitle.Caption(), "Evening");
    EXPECT_TRUE(messages.shown.empty()) << shown();
}

// Damaged media: truncated, random bytes, empty, a folder and a missing file. No handler may hold the
// window longer than a second, and the next item still plays.
class DamagedMediaTest : public PlaybackIntegrationTest
{
protected:
    static constexpr qint64 kBudgetMs = 1000;
    QTemporaryDir media;
    QString good;
    QStringList damaged;
    qint64 slowestMs = 0; // the longest handler or round of events

    void SetUp() override
    {
        if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        good = MediaFixtures::wav(2);
        const QString mp3 = MediaFixtures::encoded("mp3", 4, {}, MediaFixtures::Content::Music);
        ASSERT_FALSE(good.isEmpty() || mp3.isEmpty()) << MediaFixtures::lastError().toStdString();
        const QByteArray whole = readFile(mp3);
        QByteArray noise(64 * 1024, Qt::Uninitialized);
        QRandomGenerator(20240607).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        for (const auto& [name, bytes] : {std::pair{"truncated.mp3", whole.left(whole.size() / 3)},
                                          std::pair{"noise.mp3", noise}, std::pair{"empty.wav", QByteArray()}}) {
            damaged << writeFile(media.filePath(name), bytes);
            ASSERT_FALSE(damaged.last().isEmpty());
        }
        ASSERT_TRUE(QDir(media.path()).mkdir("folder.ogg"));
        // An address the player does not open, as a playlist file may hold one.
        damaged << media.filePath("folder.ogg") << media.filePath("missing.wma") << "udp://@:5004";
        start();
    }
    template <typename Handler> void timed(Handler handler)
    {
        QElapsedTimer clock;
        clock.start();
        handler();
        slowestMs = std::max(slowestMs, clock.elapsed());
    }
    // Waits while the window's events run as the program's loop would run them, timing every round.
    template <typename Condition> bool waitWatching(Condition condition, int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition() && clock.elapsed() <= timeoutMs) {
            timed([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); });
            QThread::msleep(5);
        }
        return condition();
    }
    bool goodPlays()
    {
        return program->wmp().URL() == good && player().IsPlaying &&
               program->wmp().playState() == MediaEngine::Playing;
    }
    void expectErrorsOnly()
    {
        for (const ShownMessage& message : messages.shown) {
            EXPECT_TRUE(message.text.startsWith("Error!\r\n")) << message.text.toStdString();
            EXPECT_EQ(message.icon, MessageIcon::Critical);
        }
    }
};

TEST_F(DamagedMediaTest, OpenedFromTheDialogEachIsReportedOrEndsByItselfAndTheNextFilePlays)
{
    for (const QString& path : damaged) {
        SCOPED_TRACE(path.toStdString());
        messages.shown.clear();
        timed([&] { open(path); });
        EXPECT_TRUE(waitWatching([&] { return !messages.shown.empty() || !player().IsPlaying; }, 12000))
            << "still playing " << player().lblSeconds.Caption().toStdString() << " s in";
        expectErrorsOnly();
        // A truncated file plays what it has; random bytes may hold something that decodes.
        if (!path.contains("truncated") && !path.contains("noise")) {
            EXPECT_TRUE(player().lblFilename.Caption().startsWith("Cannot play: "))
                << player().lblFilename.Caption().toStdString();
        }
        messages.shown.clear();
        timed([&] { open(good); });
        EXPECT_TRUE(waitWatching([&] { return goodPlays(); }, 5000));
        EXPECT_TRUE(messages.shown.empty()) << shown();
    }
    EXPECT_LT(slowestMs, kBudgetMs);
}

TEST_F(DamagedMediaTest, InThePlaylistEachIsReportedOrPassedOverAndTheListGoesOnToTheNextEntry)
{
    ListControl& list = program->lstPlaylist();
    list.addItems(damaged);
    list.AddItem(good);
    timed([&] { list.setListIndex(0); });
    EXPECT_TRUE(waitWatching([&] { return goodPlays(); }, 30000))
        << "stopped at entry " << list.ListIndex() << ", messages: " << shown();
    EXPECT_LT(slowestMs, kBudgetMs) << "a handler or a tick held the window";
    const QString passedOver = messages.passedOver.join("\n");
    EXPECT_TRUE(passedOver.contains("missing.wma") && passedOver.contains("udp://@:5004")) << passedOver.toStdString();
    EXPECT_EQ(list.List(list.ListCount() - 2), "udp://@:5004") << "the entry stays as it was written";
    expectErrorsOnly();
}

TEST_F(PlaybackIntegrationTest, AFilmLeftAtTheProgramsEndStartsThereLessFiveSecondsAndItsFirstTickShowsIt)
{
    if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString film = MediaFixtures::longFilm(620);
    ASSERT_FALSE(film.isEmpty()) << MediaFixtures::lastError().toStdString();
    WriteINI(ConfigPath, "Player", "Resume", "True");
    start();
    open(film);
    ASSERT_TRUE(waitFor([&] { return player().scrollTiming.Max() == 620; }, 5000));
    player().scrollTiming.setValue(300); // the user drags the bar
    ASSERT_TRUE(waitFor([&] { return program->wmp().controls().currentPosition() >= 301; }, 5000));
    program->frmTitle().cmdExit_Click();
    ASSERT_EQ(exit.ended, 1);
    program.reset();

    start();
    open(film);
    const LabelControl& minutes = player().lblMinutes;
    const LabelControl& seconds = player().lblSeconds;
    ASSERT_TRUE(waitFor([&] { return player().TickCount > 1; }, 3000));
    // Left a little after 301 s, started 5 s before, shown a second in: the first tick shows 04:57 or so.
    const int clock = minutes.Caption().toInt() * 60 + seconds.Caption().toInt();
    EXPECT_GE(clock, 297);
    EXPECT_LE(clock, 302);
    EXPECT_EQ(player().scrollTiming.Value(), clock + 1) << "the bar goes with the clock";
    EXPECT_GE(program->wmp().controls().currentPosition(), 296.0) << "the engine started there";
    EXPECT_TRUE(messages.shown.empty()) << shown();
}

TEST_F(PlaybackIntegrationTest, TheVideoWindowsClicksAndTheDvdMenuSteerAGeneratedDisc)
{
    if (const QString missing = MediaFixtures::missingTools({"ffmpeg", "spumux", "dvdauthor"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString disc = MediaFixtures::dvd();
    ASSERT_FALSE(disc.isEmpty()) << MediaFixtures::lastError().toStdString();
    start({"--aout=dummy"});
    VideoWindow& video = program->frmVideo();
    video.show();
    const auto shows = [&](Shade shade) { return waitFor([&] { return test::shadeOf(video.frame()) == shade; }, 10000); };
    const auto click = [&](Qt::MouseButton button) {
        const QPointF at(200, 100);
        QMouseEvent press(QEvent::MouseButtonPress, at, video.mapToGlobal(at), button, button, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, video.mapToGlobal(at), button, {}, Qt::NoModifier);
        QApplication::sendEvent(&video, &press);
        QApplication::sendEvent(&video, &release);
    };
    QMenu& menu = program->frmPopup().mnuDVD;
    const auto choose = [&](const char* item, const QString& caption) {
        click(Qt::RightButton);
        EXPECT_TRUE(menu.isVisible());
        ASSERT_TRUE(waitFor([&] { return program->wmp().dvd().isAvailable(item); }));
        menu.hide();
        for (QAction* action : menu.actions())
            if (action->text() == caption)
                action->trigger();
    };

    open(disc + "/VIDEO_TS.IFO");
    ASSERT_TRUE(shows(Shade::Yellow)) << "the disc opens at its title menu";
    click(Qt::LeftButton); // starts the highlighted button's title
    ASSERT_TRUE(shows(Shade::Green));
    EXPECT_FALSE(menu.isVisible());
    choose("topMenu", "Top Menu");
    ASSERT_TRUE(shows(Shade::Magenta));
    choose("resume", "Resume");
    ASSERT_TRUE(shows(Shade::Green)) << "back in the title where it was left";
    EXPECT_TRUE(messages.shown.empty()) << shown();
}

} // namespace
