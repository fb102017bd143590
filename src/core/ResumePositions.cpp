#include "ResumePositions.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace zendrix {

namespace {

const QByteArray kHeader = QByteArrayLiteral("Zendrix resume positions 1");
// A kept file of a thousand long paths is some hundreds of kilobytes; more is no file of ours.
constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

bool keepable(double seconds)
{
    return std::isfinite(seconds) && seconds >= 0;
}

} // namespace

QByteArray ResumePositions::encode(const std::vector<Entry>& entries)
{
    QByteArray bytes = kHeader + '\n';
    for (const Entry& entry : entries) {
        bytes += QByteArray::number(entry.seconds, 'f', 1) + '\t' + QByteArray::number(entry.size) + '\t' +
                 QUrl::toPercentEncoding(entry.path, "/") + '\n';
    }
    return bytes;
}

std::vector<ResumePositions::Entry> ResumePositions::decode(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kHeader)
        return {};
    // From the latest back: a file named twice keeps its later place, and the oldest go past kMaxFiles.
    std::vector<Entry> entries;
    QSet<QPair<QString, qint64>> named;
    for (qsizetype i = lines.size() - 1; i >= 1 && entries.size() < std::size_t(kMaxFiles); --i) {
        const QList<QByteArray> fields = lines[i].trimmed().split('\t');
        if (fields.size() != 3)
            continue;
        bool secondsRead = false;
        bool sizeRead = false;
        Entry entry;
        entry.seconds = fields[0].toDouble(&secondsRead);
        entry.size = fields[1].toLongLong(&sizeRead);
        entry.path = QUrl::fromPercentEncoding(fields[2]);
        if (!secondsRead || !sizeRead || !keepable(entry.seconds) || entry.size < 0 || entry.path.isEmpty())
            continue;
        if (named.contains({entry.path, entry.size}))
            continue;
        named.insert({entry.path, entry.size});
        entries.push_back(std::move(entry));
    }
    std::reverse(entries.begin(), entries.end());
    return entries;
}

ResumePositions::ResumePositions(QString folder) : m_folder(std::move(folder))
{
    m_thread = std::thread([this] { work(); });
}

ResumePositions::~ResumePositions()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void ResumePositions::waitForReading(std::unique_lock<std::mutex>& lock)
{
    m_done.wait(lock, [this] { return m_read; });
}

std::optional<double> ResumePositions::position(const QString& path, qint64 size)
{
    std::unique_lock lock(m_mutex);
    waitForReading(lock);
    for (const Entry& entry : m_entries) {
        if (entry.path == path && entry.size == size)
            return entry.seconds;
    }
    return std::nullopt;
}

void ResumePositions::keep(const QString& path, qint64 size, double seconds)
{
    if (!keepable(seconds) || path.isEmpty())
        return;
    std::unique_lock lock(m_mutex);
    waitForReading(lock);
    std::erase_if(m_entries, [&](const Entry& entry) { return entry.path == path && entry.size == size; });
    m_entries.push_back({path, size, seconds});
    if (m_entries.size() > std::size_t(kMaxFiles))
        m_entries.erase(m_entries.begin());
    changed(lock);
}

void ResumePositions::forget(const QString& path, qint64 size)
{
    std::unique_lock lock(m_mutex);
    waitForReading(lock);
    if (std::erase_if(m_entries,
                      [&](const Entry& entry) { return entry.path == path && entry.size == size; }) > 0)
        changed(lock);
}

void ResumePositions::changed(std::unique_lock<std::mutex>& lock)
{
    // A write that waits is replaced: only the latest entries matter.
    m_pending = encode(m_entries);
    lock.unlock();
    m_wake.notify_all();
}

void ResumePositions::flush()
{
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return m_read && !m_pending && !m_writing; });
}

void ResumePositions::work()
{
    const QString path = m_folder + QLatin1Char('/') + kFileName;
    QFile file(path);
    std::vector<Entry> read;
    if (file.open(QIODevice::ReadOnly))
        read = decode(file.read(kMaxBytes));
    std::unique_lock lock(m_mutex);
    m_entries = std::move(read);
    m_read = true;
    m_done.notify_all();
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || m_pending; });
        if (!m_pending)
            return; // stopping, with nothing left to write
        const QByteArray bytes = std::exchange(m_pending, std::nullopt).value();
        m_writing = true;
        lock.unlock();
        // The state folder is the user's own, as XDG Base Directory asks. A write that fails is silent,
        // as every setting's is: the places are then simply not kept.
        if (!QFileInfo(m_folder).isDir() && QDir().mkpath(m_folder))
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        (void)writeFileAtomically(path, bytes);
        lock.lock();
        m_writing = false;
        m_done.notify_all();
    }
}

} // namespace zendrix
