#pragma once

#include "PlaylistFile.h"

#include <QObject>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace zendrix {

// The playlist as one run leaves it, for the next run to begin with ("Remember Playlist"): the list and
// its name in a playlist file, "remembered.zdx", and beside it "remembered.ini": the file label, the
// current entry (its index and its text, so a list changed behind our back does not point at another
// entry) and the place in that item, in seconds.
//
// Both files are written whole through a temporary file renamed into place, on a thread of their own:
// the UI thread only hands over its values (the list is shared, not copied) and goes on; a write asked
// for while one is on its way replaces the one still waiting. flush() waits for the writes asked so far.

struct RememberedState
{
    Playlist playlist;
    QString fileLabel;
    int current = -1;
    QString currentEntry;
    double position = 0;
};

// What the files in `folder` hold, with the current entry checked against the list: an index that does
// not name the recorded entry is looked up by that entry's text, and is -1 when it is not in the list.
// Nothing when there is no readable list file.
std::optional<RememberedState> readRememberedPlaylist(const QString& folder);

class RememberedPlaylist
{
public:
    explicit RememberedPlaylist(QString folder);
    ~RememberedPlaylist();
    RememberedPlaylist(const RememberedPlaylist&) = delete;
    RememberedPlaylist& operator=(const RememberedPlaylist&) = delete;

    const QString& folder() const { return m_folder; }
    void saveList(const Playlist& playlist);
    void saveState(const QString& fileLabel, int current, const QString& currentEntry, double position);
    // Removes both files, after any write still on its way.
    void forget();
    // Returns when every write asked for so far is on disk (or has failed).
    void flush();

private:
    void work();

    QString m_folder;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<Playlist> m_list;
    std::optional<QByteArray> m_state;
    bool m_forget = false;
    bool m_busy = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace zendrix
