#include "TagCache.h"

#include <QFileInfo>
#include <QMetaObject>
#include <sys/resource.h>
#include <unistd.h>

namespace zendrix {

TagCache::TagCache(ReaderFactory makeReader, int threads)
    : m_makeReader(std::move(makeReader)), m_threadCount(std::max(threads, 1))
{}

TagCache::~TagCache()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

const EntryTags* TagCache::find(const QString& entry) const
{
    const auto it = m_known.constFind(entry);
    return it == m_known.constEnd() ? nullptr : &*it;
}

void TagCache::request(const QStringList& entries, Urgency urgency)
{
    QStringList fresh;
    for (const QString& entry : entries) {
        if (m_asked.contains(entry) || !isLocalEntry(entry))
            continue;
        m_asked.insert(entry);
        fresh.append(entry);
    }
    if (fresh.isEmpty())
        return;
    {
        const std::lock_guard lock(m_mutex);
        if (urgency == Urgency::First)
            m_queue.insert(m_queue.begin(), fresh.cbegin(), fresh.cend());
        else
            m_queue.insert(m_queue.end(), fresh.cbegin(), fresh.cend());
    }
    startThreads();
    m_wake.notify_all();
}

void TagCache::newRound()
{
    m_asked.clear();
}

int TagCache::waiting() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_queue.size()) + m_busy + static_cast<int>(m_found.size());
}

void TagCache::startThreads()
{
    if (!m_threads.empty())
        return;
    for (int i = 0; i < m_threadCount; ++i)
        m_threads.emplace_back([this] { work(); });
}

void TagCache::work()
{
    // Reading tags must never take the processor from the windows: these threads, and the media
    // library's threads they start (which inherit it), run below the windows' priority.
    (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
    std::unique_lock lock(m_mutex);
    if (!m_reader && m_makeReader)
        m_reader = m_makeReader();
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping)
            return;
        const QString entry = m_queue.front();
        m_queue.pop_front();
        ++m_busy;
        lock.unlock();

        const QString path = entryLocalPath(entry);
        const qint64 modified = QFileInfo(path).lastModified().toMSecsSinceEpoch();
        std::optional<EntryTags> tags;
        {
            const std::lock_guard cached(m_mutex);
            const auto it = m_read.constFind(path);
            if (it != m_read.constEnd() && it->modified == modified)
                tags = it->tags;
        }
        if (!tags && m_reader)
            tags = m_reader->read(path).value_or(EntryTags{});

        lock.lock();
        --m_busy;
        m_read.insert(path, {modified, *tags});
        m_found.push_back({entry, *tags});
        // One delivery at a time is on its way to the UI thread; whatever comes meanwhile goes with it.
        if (!std::exchange(m_deliveryPosted, true))
            QMetaObject::invokeMethod(this, &TagCache::deliver, Qt::QueuedConnection);
    }
}

void TagCache::deliver()
{
    std::vector<Found> found;
    {
        const std::lock_guard lock(m_mutex);
        found.swap(m_found);
        m_deliveryPosted = false;
    }
    for (Found& item : found)
        m_known.insert(item.entry, std::move(item.tags));
    if (!found.empty())
        Q_EMIT arrived();
}

} // namespace zendrix
