#pragma once

// A process of another user holding abstract local socket names, as anyone on the machine may: some
// bound and listened on, some bound only. The process is a fork of the test's own that becomes the user
// "nobody"; only a test run by root can make one.
#include <QByteArray>
#include <QList>
#include <sys/types.h>

namespace zendrix::test {

class OtherUserSockets
{
public:
    // Whether this process may become another user.
    static bool possible();

    // Names without their leading NUL. Holds them by the time it returns, unless held() says otherwise.
    OtherUserSockets(const QList<QByteArray>& listened, const QList<QByteArray>& boundOnly);
    // Lets the names go: the process ends.
    ~OtherUserSockets();
    OtherUserSockets(const OtherUserSockets&) = delete;
    OtherUserSockets& operator=(const OtherUserSockets&) = delete;

    bool held() const { return m_held; }

private:
    pid_t m_pid = -1;
    int m_release = -1;
    bool m_held = false;
};

} // namespace zendrix::test
