#include "AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace zendrix {

namespace {

// Qt does not keep the reason of a short write (a full disk shows up as fewer bytes written), so the
// system's error number taken right after the failing step decides the common cases.
QString describeFailure(const QString& path, const QSaveFile& file, int error)
{
    if (error == ENOSPC || error == EDQUOT)
        return QStringLiteral("Disk full");
    if (error == EACCES || error == EPERM)
        return QStringLiteral("Permission denied");
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("Path not found: '%1'").arg(QDir::toNativeSeparators(folder));
    if (file.error() != QFileDevice::NoError && !file.errorString().isEmpty())
        return file.errorString();
    if (error != 0)
        return QString::fromLocal8Bit(std::strerror(error));
    return QStringLiteral("The file could not be written");
}

}  // namespace

std::optional<QString> writeFileAtomicallyExplained(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    // Writing in place when the folder is read-only would give up exactly the guarantee we want.
    file.setDirectWriteFallback(false);
    errno = 0;
    // Unbuffered: QSaveFile notices a failed write only in write() itself. A buffered write that fails
    // later, in the flush inside commit(), is not noticed, and an empty file replaces the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return describeFailure(path, file, errno);
    errno = 0;
    if (file.write(data) != data.size()) {
        const int error = errno;
        file.cancelWriting();
        return describeFailure(path, file, error);
    }
    // commit() ignores a failed sync, but some file systems report a full disk only there.
    errno = 0;
    if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != ENOTSUP) {
        const int error = errno;
        file.cancelWriting();
        return describeFailure(path, file, error);
    }
    errno = 0;
    if (!file.commit())
        return describeFailure(path, file, errno);
    return std::nullopt;
}

bool writeFileAtomically(const QString& path, const QByteArray& data)
{
    return !writeFileAtomicallyExplained(path, data).has_value();
}

}  // namespace zendrix
