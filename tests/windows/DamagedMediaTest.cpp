// Damaged media on the real libvlc engine (dummy outputs): a truncated file, random bytes under a media
// extension, an empty file, a folder named like a media file and a file that is not there. Opened from
// the open dialog or met in the playlist, each gives a clear message or is passed over; no handler
// blocks, and the next item still plays.
#include "../core/EngineTestSupport.h"
#include "core/Player.h"
#include "core/VlcEngine.h"
#include "support/FakeHost.h"
#include "support/MediaFixtures.h"
#include "support/ProgramFolderFixture.h"
#include "windows/Program.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

// No handler may hold the window longer than this.
constexpr qint64 kHandlerBudgetMs = 1000;

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class DamagedMediaTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    QTemporaryDir media;
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    FakeProgramExit exit;
    FakeShell shell;
    std::unique_ptr<Program> program;
    QString good;
    QStringList damaged; // truncated, random bytes, empty, a folder, missing

    void SetUp() override
    {
        if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        good = MediaFixtures::wav(2);
        const QString mp3 = MediaFixtures::encoded("mp3", 4, {}, MediaFixtures::Content::Music);
        ASSERT_FALSE(good.isEmpty() || mp3.isEmpty()) << MediaFixtures::lastError().toStdString();

        QFile whole(mp3);
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        writeBytes(media.filePath("truncated.mp3"), whole.readAll().left(whole.size() / 3));
        QByteArray noise(64 * 1024, Qt::Uninitialized);
        QRandomGenerator generator(20240607);
        for (char& byte : noise)
            byte = static_cast<char>(generator.bounded(256));
        writeBytes(media.filePath("noise.mp3"), noise);
        writeBytes(media.filePath("empty.wav"), {});
        ASSERT_TRUE(QDir(media.path()).mkdir("folder.ogg"));
        damaged = {media.filePath("truncated.mp3"), media.filePath("noise.mp3"), media.filePath("empty.wav"),
                   media.filePath("folder.ogg"), media.filePath("missing.wma")};

        program = std::make_unique<Program>(
            Program::Services{messages, dialogs, exit, shell}, [](VideoSurface& surface) {
                auto engine = std::make_unique<VlcEngine>(QStringList{"--aout=dummy", "--vout=dummy"});
                engine->setVideoSurface(&surface);
                return engine;
            });
        program->installInfoPath = folder.file("/info.ini");
        program->Form_Load();
    }
    Player& player() { return program->player(); }

    // Runs a handler and says how long it held the window.
    template <typename Handler> qint64 timed(Handler handler)
    {
        QElapsedTimer clock;
        clock.start();
        handler();
        return clock.elapsed();
    }
    // Waits for the condition while the window's events run, as the program's own loop would run them,
    // and keeps the longest time one round of events took: a tick that blocked would show here.
    template <typename Condition> bool waitWatching(Condition condition, int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > timeoutMs)
                return false;
            QElapsedTimer round;
            round.start();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            longestRoundMs = std::max(longestRoundMs, round.elapsed());
            QThread::msleep(5);
        }
        return true;
    }
    qint64 longestRoundMs = 0;

    // Whether the good file is the item that plays, with its clock going.
    bool goodPlays()
    {
        return program->wmp().URL() == good && player().IsPlaying &&
               program->wmp().playState() == MediaEngine::Playing;
    }
};

TEST_F(DamagedMediaTest, OpenedFromTheDialogEachIsReportedOrEndsByItselfAndTheNextFilePlays)
{
    for (const QString& path : damaged) {
        SCOPED_TRACE(path.toStdString());
        messages.shown.clear();
        dialogs.answers.push_back(path);
        EXPECT_LT(timed([&] { player().cmdBrowse_Click(); }), kHandlerBudgetMs);
        // A message at once, or an item that the engine gives up on and the clock then ends.
        const bool settled =
            waitWatching([&] { return !messages.shown.empty() || !player().IsPlaying; }, 12000);
        EXPECT_TRUE(settled) << "still playing " << player().lblSeconds.Caption().toStdString() << " s in";
        for (const ShownMessage& message : messages.shown) {
            EXPECT_TRUE(message.text.startsWith("Error!\r\n")) << message.text.toStdString();
            EXPECT_EQ(message.icon, MessageIcon::Critical);
        }

        messages.shown.clear();
        dialogs.answers.push_back(good);
        EXPECT_LT(timed([&] { player().cmdBrowse_Click(); }), kHandlerBudgetMs);
        EXPECT_TRUE(waitWatching([&] { return goodPlays(); }, 5000));
        EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(" | ").toStdString();
    }
    EXPECT_LT(longestRoundMs, kHandlerBudgetMs);
}

TEST_F(DamagedMediaTest, InThePlaylistEachIsReportedOrPassedOverAndTheListGoesOnToTheNextEntry)
{
    ListControl& list = program->lstPlaylist();
    list.addItems(damaged);
    list.AddItem(good);
    EXPECT_LT(timed([&] { list.setListIndex(0); }), kHandlerBudgetMs); // the user picks the first entry

    const bool reached = waitWatching([&] { return goodPlays(); }, 30000);
    EXPECT_TRUE(reached) << "stopped at entry " << list.ListIndex()
                         << ", messages: " << messages.texts().join(" | ").toStdString();
    EXPECT_LT(longestRoundMs, kHandlerBudgetMs) << "a tick held the window";
    EXPECT_EQ(list.ListIndex(), damaged.size());
    // The missing file cannot start: the user is told so, with its name.
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_TRUE(messages.texts().join("\n").contains("missing.wma"))
        << messages.texts().join(" | ").toStdString();
    for (const ShownMessage& message : messages.shown)
        EXPECT_TRUE(message.text.startsWith("Error!\r\n")) << message.text.toStdString();
}

} // namespace
