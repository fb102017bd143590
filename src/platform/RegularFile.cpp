#include "RegularFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zendrix {

RegularFileOpening openRegularFile(const QString& path, QFile& file)
{
    using Result = RegularFileOpening::Result;
    const QByteArray name = QFile::encodeName(path);
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        return {error == ENOENT || error == ENOTDIR ? Result::Missing : Result::Failed,
                QString::fromLocal8Bit(std::strerror(error))};
    }
    struct stat status{};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return {Result::NotRegularFile, {}};
    }
    // A regular file reads the same with or without O_NONBLOCK; clearing it keeps QFile's reads plain.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {Result::Failed, file.errorString()};
    }
    return {Result::Opened, {}};
}

} // namespace zendrix
