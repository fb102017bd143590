#pragma once

// A small file system of its own, mounted on a folder for one test: a disk that fills up after a few
// kibibytes, or, once made read-only, a folder that even root cannot write into. Mounting needs the
// right to (root in the project's build containers); tests skip what needs it when isMounted() is false.
#include <QDir>
#include <QFile>
#include <sys/mount.h>

namespace zendrix::testing {

class ScratchMount
{
public:
    ScratchMount(const QString& folder, int kibibytes)
        : m_folder(QFile::encodeName(folder)), m_options("size=" + QByteArray::number(kibibytes) + "k")
    {
        QDir().mkpath(folder);
        m_mounted = ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, m_options.constData()) == 0;
    }
    ~ScratchMount()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    bool isMounted() const { return m_mounted; }
    bool makeReadOnly()
    {
        return ::mount("tmpfs", m_folder.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                       m_options.constData()) == 0;
    }

private:
    QByteArray m_folder;
    QByteArray m_options;
    bool m_mounted = false;
};

}  // namespace zendrix::testing
