// Titles and lengths for the list, read in the background: the UI thread asks and goes on, the answers
// come in batches, a file is read once per modification, addresses never; and the media library's own
// parser on files the test makes.
#include "core/TagCache.h"
#include "support/MediaFixtures.h"
#include "support/WaitFor.h"

#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <utime.h>

using namespace zendrix;

namespace {

// Answers from a table, counting the reads, and can hold every read until let go.
class ScriptedReader : public TagReader
{
public:
    struct Shared
    {
        std::mutex mutex;
        QStringList reads;
        std::atomic<bool> held{false};
    };
    explicit ScriptedReader(Shared& shared) : m_shared(shared) {}
    std::optional<EntryTags> read(const QString& path) override
    {
        while (m_shared.held)
            std::this_thread::yield();
        const std::lock_guard lock(m_shared.mutex);
        m_shared.reads.append(path);
        if (path.endsWith("broken.mp3"))
            return std::nullopt;
        return EntryTags{"Title of " + path.section('/', -1), "Artist", 1000};
    }

private:
    Shared& m_shared;
};

TEST(TagCache, AskingNeverWaitsAnswersArriveOnceEachAndOnlyAChangedFileIsReadAgain)
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.mp3"), broken = dir.filePath("broken.mp3");
    for (const QString& file : {a, broken}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    }
    ScriptedReader::Shared shared;
    shared.held = true;
    int made = 0;
    TagCache cache([&] {
        ++made;
        return std::make_unique<ScriptedReader>(shared);
    });
    int arrivals = 0;
    QObject::connect(&cache, &TagCache::arrived, [&] { ++arrivals; });
    EXPECT_EQ(made, 0) << "nothing is made before it is needed";

    cache.request({a, broken, "http://host/stream", a, ""});
    EXPECT_EQ(cache.find(a), nullptr) << "the reader is held: the request returned without an answer";
    EXPECT_EQ(cache.waiting(), 2);
    shared.held = false;
    ASSERT_TRUE(test::waitFor([&] { return cache.waiting() == 0 && cache.find(broken); }));
    EXPECT_EQ(made, 1);
    ASSERT_NE(cache.find(a), nullptr);
    EXPECT_EQ(cache.find(a)->title, "Title of a.mp3");
    EXPECT_EQ(*cache.find(broken), EntryTags{}) << "a file that cannot be read is known, without tags";
    EXPECT_EQ(cache.find("http://host/stream"), nullptr);
    EXPECT_GE(arrivals, 1);

    cache.request({a}); // asked before in this round: not even queued
    cache.newRound();
    cache.request({a, broken}); // unchanged since: taken from what was read
    test::runEventsFor(100);
    EXPECT_EQ(shared.reads.size(), 2);
    const utimbuf later{2'000'000'000, 2'000'000'000};
    ASSERT_EQ(::utime(QFile::encodeName(a).constData(), &later), 0);
    cache.newRound();
    cache.request({a, broken});
    ASSERT_TRUE(test::waitFor([&] { return cache.waiting() == 0 && shared.reads.size() == 3; }));
    EXPECT_EQ(shared.reads.last(), a);
}

TEST(TagCache, TheMediaLibrarysParserGivesTagsAndLengthAndNothingForAFileItCannotRead)
{
    if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString tagged = MediaFixtures::encoded("mp3", 3.0, {"Song Title", "Some Artist", "", ""});
    const QString plain = MediaFixtures::wav(2.0);
    ASSERT_FALSE(tagged.isEmpty() || plain.isEmpty()) << MediaFixtures::lastError().toStdString();
    QTemporaryDir dir;
    const QString text = dir.filePath("not media.mp3");
    QFile out(text);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("just some words, no sound at all\n");
    out.close();

    std::unique_ptr<TagReader> reader = makeVlcTagReader();
    const std::optional<EntryTags> song = reader->read(tagged);
    ASSERT_TRUE(song);
    EXPECT_EQ(song->title, "Song Title");
    EXPECT_EQ(song->artist, "Some Artist");
    EXPECT_NEAR(song->lengthMs, 3000, 150);
    const std::optional<EntryTags> tone = reader->read(plain);
    ASSERT_TRUE(tone);
    EXPECT_TRUE(tone->title.isEmpty()) << "the file's name is no title: " << tone->title.toStdString();
    EXPECT_NEAR(tone->lengthMs, 2000, 100);
    const std::optional<EntryTags> words = reader->read(text);
    EXPECT_TRUE(!words || (!words->hasLength() && words->title.isEmpty()));
    EXPECT_FALSE(reader->read(dir.filePath("gone.mp3")).value_or(EntryTags{}).hasLength());
}

} // namespace
