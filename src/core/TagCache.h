#pragma once

#include "EntryTags.h"
#include "TagReader.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zendrix {

// The tags and lengths of playlist entries, read in the background and kept for the run.
//
// The UI thread asks (request) and looks up (find); it never waits. A few reader threads, started at
// the first request, take the asked entries in order and read each with the TagReader, which is made
// then too; a file already read is read again only when its modification time has changed. What was
// read reaches the UI thread in batches, through `arrived`. An entry that cannot be read is known as
// such: its tags are empty and its length unknown. Addresses are never read.
class TagCache : public QObject
{
    Q_OBJECT
public:
    using ReaderFactory = std::function<std::unique_ptr<TagReader>()>;
    explicit TagCache(ReaderFactory makeReader = makeVlcTagReader, int threads = 2);
    ~TagCache() override;

    // What is known of the entry (a path, a file: URI or an address, as the list holds it); nullptr while
    // nothing is.
    const EntryTags* find(const QString& entry) const;
    TagLookup lookup() const
    {
        return [this](const QString& entry) { return find(entry); };
    }

    enum class Urgency { InTurn, First };
    // Asks for the entries' tags: those not known and not yet asked for in this round are queued, at the
    // back or, for the rows on screen, at the front.
    void request(const QStringList& entries, Urgency urgency = Urgency::InTurn);
    // A new round: the entries asked before may be asked again (a reopened list), so files changed since
    // are read anew. Nothing known is forgotten.
    void newRound();
    // How many asked entries are still to be read.
    int waiting() const;

Q_SIGNALS:
    // Tags for some entries have come in since the last time.
    void arrived();

private:
    struct Found
    {
        QString entry;
        EntryTags tags;
    };
    struct Read
    {
        qint64 modified = 0;
        EntryTags tags;
    };
    void startThreads();
    void work();
    void deliver();

    ReaderFactory m_makeReader;
    const int m_threadCount;
    QHash<QString, EntryTags> m_known; // the UI thread's
    QSet<QString> m_asked;             // the UI thread's

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<QString> m_queue;
    std::vector<Found> m_found;
    QHash<QString, Read> m_read; // by path, with the modification time it was read at
    std::unique_ptr<TagReader> m_reader;
    bool m_deliveryPosted = false;
    bool m_stopping = false;
    int m_busy = 0;
    std::vector<std::thread> m_threads;
};

} // namespace zendrix
