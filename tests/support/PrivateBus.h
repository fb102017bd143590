#pragma once

// A D-Bus message bus of the test's own: a dbus-daemon started for the test and ended with it, so the
// desktop's media controls can be tried without a desktop and without touching the user's session bus.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace zendrix::testing {

class PrivateBus
{
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // The bus's address, "" when the daemon could not be started (error() says why).
    QString address() const { return m_address; }
    QString error() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QString m_error;
};

} // namespace zendrix::testing
