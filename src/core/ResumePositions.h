#pragma once

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace zendrix {

// The places files were left at, kept between runs: "resume.txt" in a folder of the user's own state
// (SettingsFile.h's stateFolder). A file is known by its path and its size, so another file saved under
// the same name starts afresh. At most kMaxFiles are kept: keeping one more drops the one kept longest ago.
//
// The file is read on a thread of its own as soon as the store is made, and written whole there, through
// a temporary file renamed into place, after each change: the caller only hands its values over. A
// lookup made before the reading is done waits for it (a few milliseconds for a thousand files). The
// file is text, one file a line after a first line naming the form: the seconds, the size in bytes and
// the path percent-encoded, separated by tabs, the latest last. Lines that do not read are passed over.
class ResumePositions
{
public:
    static constexpr int kMaxFiles = 1000;
    static inline const QString kFileName = QStringLiteral("resume.txt");

    explicit ResumePositions(QString folder);
    ~ResumePositions(); // what waits to be written is written first
    ResumePositions(const ResumePositions&) = delete;
    ResumePositions& operator=(const ResumePositions&) = delete;

    const QString& folder() const { return m_folder; }

    // Where the file was left, in seconds; nothing when it is not kept.
    std::optional<double> position(const QString& path, qint64 size);
    // Keeps the place, as the latest; a place that is not a number, or below 0, is not kept.
    void keep(const QString& path, qint64 size, double seconds);
    void forget(const QString& path, qint64 size);
    // Returns when everything kept and forgotten so far is on disk (or could not be written).
    void flush();

    // The file's bytes for these entries, oldest first, and the entries such bytes hold.
    struct Entry
    {
        QString path;
        qint64 size = 0;
        double seconds = 0;
        bool operator==(const Entry&) const = default;
    };
    static QByteArray encode(const std::vector<Entry>& entries);
    static std::vector<Entry> decode(const QByteArray& bytes);

private:
    void work();
    void waitForReading(std::unique_lock<std::mutex>& lock);
    void changed(std::unique_lock<std::mutex>& lock);

    QString m_folder;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::vector<Entry> m_entries; // oldest first
    bool m_read = false;
    std::optional<QByteArray> m_pending; // bytes waiting to be written
    bool m_writing = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace zendrix
