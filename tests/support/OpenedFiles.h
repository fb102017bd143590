#pragma once

#include <QString>
#include <QStringList>

namespace zendrix::testing {

// The files opened in one folder, as the system reports them (inotify): which item the player has
// reached, seen from outside, even for an item that is over within a moment.
class OpenedFiles
{
public:
    explicit OpenedFiles(const QString& folder);
    ~OpenedFiles();
    OpenedFiles(const OpenedFiles&) = delete;
    OpenedFiles& operator=(const OpenedFiles&) = delete;

    // Waits up to `ms` until `name` has been opened; the names opened so far, in order, each once.
    bool waitFor(const QString& name, int ms);
    const QStringList& names() const { return m_names; }
    // Every opening seen so far, in order, one opening for a run of openings of the same file (the
    // engine may open an item more than once as it starts it). Waits up to `ms` for more to come.
    QStringList sequence(int ms = 0);

private:
    void take(int ms);
    int m_fd;
    QStringList m_names;
    QStringList m_sequence;
};

} // namespace zendrix::testing
