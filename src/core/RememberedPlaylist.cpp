#include "RememberedPlaylist.h"

#include "modINI.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace zendrix {

namespace {

const QString kListFile = QStringLiteral("/remembered.zdx");
const QString kStateFile = QStringLiteral("/remembered.ini");
const QString kSection = QStringLiteral("Remembered");

} // namespace

std::optional<RememberedState> readRememberedPlaylist(const QString& folder)
{
    if (!QFileInfo(folder + kListFile).isFile())
        return std::nullopt;
    const PlaylistRead read = readPlaylistFile(folder + kListFile);
    if (!read.ok())
        return std::nullopt;
    RememberedState state;
    state.playlist = read.playlist;
    QFile stateFile(folder + kStateFile);
    const QByteArray bytes = stateFile.open(QIODevice::ReadOnly) ? stateFile.read(64 * 1024) : QByteArray();
    const auto value = [&](const char* key) {
        return iniValue(bytes, kSection, QString::fromLatin1(key)).value_or(QString());
    };
    state.fileLabel = value("File");
    state.currentEntry = value("Entry");
    bool known = false;
    const int index = value("Current").toInt(&known);
    const QStringList& entries = state.playlist.entries;
    if (known && index >= 0 && index < entries.size() && entries[index] == state.currentEntry)
        state.current = index;
    else if (!state.currentEntry.isEmpty())
        state.current = static_cast<int>(entries.indexOf(state.currentEntry));
    if (state.current < 0)
        state.currentEntry.clear();
    const double position = value("Position").toDouble(&known);
    state.position = known && std::isfinite(position) && position > 0 && state.current >= 0 ? position : 0;
    return state;
}

RememberedPlaylist::RememberedPlaylist(QString folder) : m_folder(std::move(folder)) {}

RememberedPlaylist::~RememberedPlaylist()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void RememberedPlaylist::saveList(const Playlist& playlist)
{
    {
        const std::lock_guard lock(m_mutex);
        m_list = playlist;
        m_forget = false;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { work(); });
    }
    m_wake.notify_all();
}

void RememberedPlaylist::saveState(const QString& fileLabel, int current, const QString& currentEntry,
                                   double position)
{
    QByteArray bytes = withINIValue({}, kSection, QStringLiteral("File"), fileLabel);
    bytes = withINIValue(bytes, kSection, QStringLiteral("Current"), QString::number(current));
    bytes = withINIValue(bytes, kSection, QStringLiteral("Entry"), currentEntry);
    bytes = withINIValue(bytes, kSection, QStringLiteral("Position"), QString::number(position, 'f', 1));
    {
        const std::lock_guard lock(m_mutex);
        m_state = bytes;
        m_forget = false;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { work(); });
    }
    m_wake.notify_all();
}

void RememberedPlaylist::forget()
{
    {
        const std::lock_guard lock(m_mutex);
        m_list.reset();
        m_state.reset();
        m_forget = true;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { work(); });
    }
    m_wake.notify_all();
}

void RememberedPlaylist::flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock,
                [this] { return !m_thread.joinable() || (!m_busy && !m_list && !m_state && !m_forget); });
}

void RememberedPlaylist::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || m_list || m_state || m_forget; });
        if (!m_list && !m_state && !m_forget)
            return; // stopping, with nothing left to write
        std::optional<Playlist> list = std::exchange(m_list, std::nullopt);
        std::optional<QByteArray> state = std::exchange(m_state, std::nullopt);
        const bool forget = std::exchange(m_forget, false);
        m_busy = true;
        lock.unlock();
        if (forget) {
            QFile::remove(m_folder + kListFile);
            QFile::remove(m_folder + kStateFile);
        } else {
            // The state folder is the user's own, as XDG Base Directory asks.
            if ((list || state) && !QFileInfo(m_folder).isDir() && QDir().mkpath(m_folder))
                QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            // Failures are silent, as for every setting: the list is then simply not remembered.
            if (list)
                (void)writeFileAtomically(m_folder + kListFile, playlistFileBytes(*list));
            if (state)
                (void)writeFileAtomically(m_folder + kStateFile, *state);
        }
        lock.lock();
        m_busy = false;
        m_idle.notify_all();
    }
}

} // namespace zendrix
