#include "OpenedFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace zendrix::testing {

OpenedFiles::OpenedFiles(const QString& folder) : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_OPEN);
}

OpenedFiles::~OpenedFiles()
{
    ::close(m_fd);
}

void OpenedFiles::take(int ms)
{
    pollfd ready{m_fd, POLLIN, 0};
    if (::poll(&ready, 1, ms) <= 0)
        return;
    alignas(inotify_event) char buffer[4096];
    const ssize_t size = ::read(m_fd, buffer, sizeof buffer);
    for (ssize_t at = 0; at < size;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        const QString name = QFile::decodeName(event->len ? event->name : "");
        if (!name.isEmpty() && !m_names.contains(name))
            m_names.append(name);
        if (!name.isEmpty() && (m_sequence.isEmpty() || m_sequence.last() != name))
            m_sequence.append(name);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
}

QStringList OpenedFiles::sequence(int ms)
{
    take(ms);
    return m_sequence;
}

bool OpenedFiles::waitFor(const QString& name, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!m_names.contains(name) && clock.elapsed() < ms)
        take(static_cast<int>(ms - clock.elapsed()));
    return m_names.contains(name);
}

} // namespace zendrix::testing
