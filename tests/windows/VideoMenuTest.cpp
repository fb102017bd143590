// The player's Video menu and its options in the started program over a scripted engine: the menu
// follows the picture and the item's tracks, every choice reaches the engine and nothing is stored; the
// snapshot's shortcut works from the group's windows and names its file; Always on Top reaches every
// window of the group, made before or after, where it stands; Exit keeps the place of a long film.
#include "windows/VideoMenu.h"
#include "core/ResumePositions.h"
#include "core/Skin.h"
#include "core/modINI.h"
#include "support/Files.h"
#include "support/ProgramStart.h"
#include "support/QtPrinters.h"
#include "windows/InfoWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlayerMenu.h"
#include "windows/PlayerOptions.h"
#include "windows/PlaylistWindow.h"
#include "windows/TitleStrip.h"
#include "windows/VideoWindow.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class VideoMenuTest : public ::testing::Test, protected ProgramRig
{
protected:
    void SetUp() override { start(); }
    PlayerMenu& menu() { return program->playerMenu(); }
    VideoMenu& video() { return *menu().video; }

    static QStringList captions(const QMenu& shown)
    {
        QStringList result;
        for (const QAction* action : shown.actions())
            result << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return result;
    }
    static QString checked(const QMenu& shown)
    {
        for (const QAction* action : shown.actions()) {
            if (action->isChecked())
                return action->text();
        }
        return {};
    }
    static void choose(QMenu& shown, const QString& caption)
    {
        for (QAction* action : shown.actions()) {
            if (action->text() == caption)
                return action->trigger();
        }
        ADD_FAILURE() << "no item " << caption.toStdString();
    }
    // A film with a picture, two audio tracks and two subtitle tracks plays.
    void playFilm()
    {
        open("/films/film.mkv", 5400);
        engine->videoShown = true;
        engine->pictureSize = QSize(320, 240);
        engine->audioList = {{1, "Track 1 - [English]"}, {2, "Track 2 - [French]"}};
        engine->audioId = 1;
        engine->subtitleList = {{3, "Track 1 - [English]"}, {4, "Commentary - [French]"}};
        engine->tracksChange();
    }
};

TEST_F(VideoMenuTest, TheMenuFollowsThePictureAndTheTracksWithTheChoiceInUseChecked)
{
    Q_EMIT menu().mnuPlayer.aboutToShow();
    EXPECT_FALSE(menu().mnuVideo->isEnabled());
    EXPECT_FALSE(video().mnuSnapshot->isEnabled());
    playFilm();
    EXPECT_TRUE(menu().mnuVideo->isEnabled());
    EXPECT_TRUE(video().mnuSnapshot->isEnabled());
    EXPECT_TRUE(video().mnuAudioTrack->isEnabled());

    Q_EMIT video().mnuAudioTrack->aboutToShow();
    EXPECT_EQ(captions(*video().mnuAudioTrack), QStringList({"&Track 1 - [English]", "T&rack 2 - [French]"}));
    EXPECT_EQ(checked(*video().mnuAudioTrack), "&Track 1 - [English]");
    engine->clearCalls();
    choose(*video().mnuAudioTrack, "T&rack 2 - [French]");
    EXPECT_EQ(engine->calls(), QStringList({"audioTrack=2"}));
    Q_EMIT video().mnuAudioTrack->aboutToShow();
    EXPECT_EQ(checked(*video().mnuAudioTrack), "T&rack 2 - [French]") << "filled afresh at each opening";
    EXPECT_EQ(video().mnuAudioTrack->actions().size(), 2);

    Q_EMIT video().mnuSubtitles->aboutToShow();
    EXPECT_EQ(captions(*video().mnuSubtitles),
              QStringList({"&Off", "&Track 1 - [English]", "&Commentary - [French]", "-",
                           "&Load Subtitle File\u2026"}));
    EXPECT_EQ(checked(*video().mnuSubtitles), "&Off");
    choose(*video().mnuSubtitles, "&Commentary - [French]");
    EXPECT_EQ(engine->calls().last(), "subtitleTrack=4");
    Q_EMIT video().mnuSubtitles->aboutToShow();
    choose(*video().mnuSubtitles, "&Off");
    EXPECT_EQ(engine->calls().last(), "subtitleTrack=-1");

    Q_EMIT video().mnuAspectRatio->aboutToShow();
    EXPECT_EQ(checked(*video().mnuAspectRatio), "&Default");
    choose(*video().mnuAspectRatio, "&2.35:1");
    EXPECT_EQ(engine->calls().last(), "aspectRatio=2.35:1");
    Q_EMIT video().mnuAspectRatio->aboutToShow();
    EXPECT_EQ(checked(*video().mnuAspectRatio), "&2.35:1");
    choose(*video().mnuAspectRatio, "&Default");
    EXPECT_EQ(engine->calls().last(), "aspectRatio=");

    // One audio track leaves nothing to choose; the picture gone greys the menu and the snapshot.
    engine->audioList = {{1, "Track 1"}};
    engine->tracksChange();
    EXPECT_FALSE(video().mnuAudioTrack->isEnabled());
    engine->videoShown = false;
    engine->tracksChange();
    EXPECT_FALSE(menu().mnuVideo->isEnabled());
    EXPECT_FALSE(video().mnuSnapshot->isEnabled());
    // Sound with tracks of its own: chosen through the Audio menu, with no picture.
    engine->audioList = {{1, "Track 1"}, {2, "Track 2"}};
    engine->tracksChange();
    EXPECT_TRUE(video().mnuAudioTrack->isEnabled());
    EXPECT_TRUE(menu().mnuAudio->actions().contains(video().mnuAudioTrack->menuAction()));

    const QByteArray settings = readFile(ConfigPath);
    for (const char* choice : {"Track", "Subtitle", "Aspect", "2.35"})
        EXPECT_FALSE(settings.contains(choice)) << choice << " is not stored";
}

TEST_F(VideoMenuTest, ASubtitleFileIsChosenInADialogOfSubtitleTypesAndCancelLoadsNothing)
{
    playFilm();
    engine->clearCalls();
    Q_EMIT video().mnuSubtitles->aboutToShow();
    choose(*video().mnuSubtitles, "&Load Subtitle File\u2026");
    ASSERT_EQ(dialogs.requests.size(), 2u) << "the film's, then the subtitles'";
    EXPECT_EQ(dialogs.requests[1].title, "Load Subtitle File");
    EXPECT_TRUE(dialogs.requests[1].filter.startsWith("Subtitle Files (*.srt,*.ass,*.ssa,*.sub,*.vtt)|"
                                                      "*.srt;*.ass;*.ssa;*.sub;*.vtt|"));
    EXPECT_TRUE(engine->calls().isEmpty());
    dialogs.answers.push_back("/films/film.en.srt");
    video().loadSubtitleFile();
    EXPECT_EQ(engine->calls(), QStringList({"subtitleFile=/films/film.en.srt"}));
}

TEST_F(VideoMenuTest, CtrlAltSTakesASnapshotFromAnyWindowOfTheGroupNamedForTheItemAndItsPlace)
{
    QTemporaryDir home;
    const QByteArray ownHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    MainWindow& main = program->frmMain();
    TitleStrip& title = program->frmTitle();
    title.show();
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keySequence(&main, QKeySequence("Ctrl+Alt+S"));
    EXPECT_TRUE(engine->calls().filter("snapshot").isEmpty()) << "nothing plays";

    playFilm();
    engine->mediaName = "Big/Film";
    engine->position = 3725.6;
    QTest::keySequence(&main, QKeySequence("Ctrl+Alt+S"));
    EXPECT_EQ(engine->calls().filter("snapshot"),
              QStringList({"snapshot=" + home.path() + "|Zendrix Big-Film 01-02-05"}))
        << "the home folder, without a pictures folder";
    ASSERT_TRUE(QDir(home.path()).mkpath("Pictures"));
    title.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&title));
    engine->clearCalls();
    QTest::keySequence(&title, QKeySequence("Ctrl+Alt+S"));
    EXPECT_EQ(engine->calls(),
              QStringList({"snapshot=" + home.filePath("Pictures") + "|Zendrix Big-Film 01-02-05"}));

    engine->snapshotTaken(home.filePath("Pictures/Zendrix Big-Film 01-02-05.png"));
    EXPECT_TRUE(messages.shown.empty()) << "a snapshot taken needs no word";
    engine->snapshotFailed("Cannot save the snapshot in \"/full\": No space left on device");
    ASSERT_EQ(messages.texts(),
              QStringList({"Error!\r\nCannot save the snapshot in \"/full\": No space left on device"}));
    qputenv("HOME", ownHome);
}

TEST_F(VideoMenuTest, OptionsAreCheckedAsStoredAndAChoiceStoresItAtOnce)
{
    PlayerOptions& options = program->options();
    Q_EMIT menu().mnuPlayer.aboutToShow();
    const QList<QAction*> items = menu().mnuPlayer.actions();
    QAction* resume = items.at(6);
    QAction* onTop = items.at(7);
    QAction* notify = items.at(8);
    for (QAction* option : {resume, onTop, notify})
        EXPECT_TRUE(option->isCheckable() && !option->isChecked()) << option->text().toStdString();
    resume->trigger();
    notify->trigger();
    EXPECT_TRUE(options.resume.isOn());
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "Resume", ""), "True");
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "Notifications", ""), "True");
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "AlwaysOnTop", "none"), "none");
    notify->trigger();
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "Notifications", ""), "False");

    start();
    Q_EMIT program->playerMenu().mnuPlayer.aboutToShow();
    const QList<QAction*> restarted = program->playerMenu().mnuPlayer.actions();
    EXPECT_TRUE(restarted.at(6)->isChecked());
    EXPECT_FALSE(restarted.at(7)->isChecked());
    EXPECT_FALSE(restarted.at(8)->isChecked());
}

TEST_F(VideoMenuTest, AlwaysOnTopReachesEveryWindowOfTheGroupWhereItStandsAndWindowsMadeLater)
{
    WriteINI(ConfigPath, "Player", "Screen", "True");
    WriteINI(ConfigPath, "Player", "Info", "True");
    start();
    const auto onTop = [](const QWidget& window) {
        return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    };
    struct Seen
    {
        QWidget* window;
        QPoint place;
        bool shown;
    };
    std::vector<Seen> before;
    for (QWidget* window : program->groupWindows())
        before.push_back({window, window->pos(), window->isVisible()});
    ASSERT_GE(before.size(), 4u);
    VideoWindow& video = program->frmVideo();
    const WId drawnInto = video.winId();

    program->options().onTop.store(true);
    EXPECT_EQ(video.winId(), drawnInto) << "the engine's window is the same one";
    for (const Seen& seen : before) {
        EXPECT_TRUE(onTop(*seen.window)) << seen.window->objectName().toStdString();
        EXPECT_EQ(seen.window->pos(), seen.place) << seen.window->objectName().toStdString();
        EXPECT_EQ(seen.window->isVisible(), seen.shown) << seen.window->objectName().toStdString();
    }
    EXPECT_TRUE(onTop(program->frmPlaylist())) << "made after the choice";
    program->frmTitle().cmdPlaylist_Click();
    EXPECT_TRUE(program->frmPlaylist().isVisible());
    // Another skin leaves the group as it was.
    folder.writeSkin("Night", QColor(200, 30, 30), QColor(200, 30, 30));
    WriteINI(ConfigPath, "Skin", "Skin", "Night");
    ASSERT_TRUE(LoadSkin(*program, messages, program->exit()));
    for (QWidget* window : program->groupWindows())
        EXPECT_TRUE(onTop(*window)) << window->objectName().toStdString();

    // The next start has it from the first picture.
    start();
    for (QWidget* window : program->groupWindows())
        EXPECT_TRUE(onTop(*window)) << window->objectName().toStdString();
    program->options().onTop.store(false);
    for (QWidget* window : program->groupWindows()) {
        EXPECT_FALSE(onTop(*window)) << window->objectName().toStdString();
    }
    EXPECT_TRUE(program->frmVideo().isVisible() && program->frmInfo().isVisible() &&
                program->frmPlaylist().isVisible());
}

TEST_F(VideoMenuTest, ExitKeepsThePlaceOfALongFilmOnDiskBeforeTheProgramEnds)
{
    QTemporaryDir media;
    const QString film = writeFile(media.filePath("film.mkv"), QByteArray(100, 'x'));
    program->options().resume.store(true);
    open(film, 5400);
    engine->state = MediaEngine::Playing;
    engine->position = 2000;
    program->frmTitle().cmdExit_Click();
    EXPECT_EQ(exit.ended, 1);
    const std::vector<ResumePositions::Entry> kept =
        ResumePositions::decode(readFile(folder.file("/Data/") + ResumePositions::kFileName));
    EXPECT_EQ(kept, (std::vector<ResumePositions::Entry>{{film, 100, 2000}}));
}

} // namespace
