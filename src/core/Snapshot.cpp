#include "Snapshot.h"

#include "Conversions.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zendrix {

namespace {

// A file name holds at most 255 bytes; the name leaves room for "Zendrix ", the time, " (999)" and ".png".
constexpr qsizetype kMaxNameBytes = 200;
constexpr int kMaxCopies = 999;

QString readableError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The name cut to at most kMaxNameBytes of UTF-8, at a whole character.
QString cutToBytes(const QString& name)
{
    QString cut;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length = name.at(i).isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const QString character = name.mid(i, length);
        bytes += character.toUtf8().size();
        if (bytes > kMaxNameBytes)
            break;
        cut += character;
        i += length;
    }
    return cut.trimmed();
}

QString fileName(const QString& baseName, int copy)
{
    return copy == 1 ? baseName + QStringLiteral(".png")
                     : QStringLiteral("%1 (%2).png").arg(baseName).arg(copy);
}

// Renames without replacing: false with errno EEXIST when the target is taken.
bool renameWithoutReplacing(int folder, const char* from, const char* to)
{
    if (::renameat2(folder, from, folder, to, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system that cannot refuse a replacement by itself: look first.
    struct stat taken;
    if (::fstatat(folder, to, &taken, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::renameat(folder, from, folder, to) == 0;
}

bool flushToDisk(int folder, const char* name)
{
    const int file = ::openat(folder, name, O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    struct stat info;
    const bool written =
        ::fstat(file, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 && ::fsync(file) == 0;
    ::close(file);
    return written;
}

} // namespace

QString snapshotFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

QString snapshotBaseName(const QString& itemName, double seconds)
{
    QString name;
    for (const QChar c : itemName) {
        if (c == QLatin1Char('/'))
            name += QLatin1Char('-');
        else if (c.category() == QChar::Other_Control || c.isSpace())
            name += QLatin1Char(' ');
        else
            name += c;
    }
    name = cutToBytes(name.simplified());
    if (name.isEmpty())
        name = QStringLiteral("Snapshot");
    const std::int64_t whole =
        std::isfinite(seconds) && seconds > 0 ? std::int64_t(std::min(seconds, 1e9)) : 0;
    const ClockTime time = splitSeconds(whole);
    return QStringLiteral("Zendrix %1 %2-%3-%4")
        .arg(name, twoDigits(time.hours), twoDigits(time.minutes), twoDigits(time.seconds));
}

SnapshotResult writeSnapshot(const QString& folder, const QString& baseName,
                             const std::function<bool(const QString& workPath)>& write)
{
    const auto failed = [&folder](const QString& why) {
        return SnapshotResult{{},
                              QStringLiteral("Cannot save the snapshot in \"%1\": %2")
                                  .arg(QDir::toNativeSeparators(folder), why)};
    };
    // The folder is reached through a descriptor of its own: the path handed to the writer names it by
    // number, so nothing in the folder's own name can be taken for anything else on the way.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return failed(readableError(errno));
    static std::atomic<int> counter{0};
    const QByteArray work =
        QStringLiteral(".zendrix-snapshot-%1-%2.png").arg(::getpid()).arg(++counter).toLatin1();
    const QString workPath = QStringLiteral("/proc/self/fd/%1/").arg(dir) + QString::fromLatin1(work);

    SnapshotResult result;
    if (!write(workPath)) {
        result = failed(QStringLiteral("there is no picture to take"));
    } else if (errno = 0; !flushToDisk(dir, work.constData())) {
        result = failed(errno ? readableError(errno) : QStringLiteral("the picture was not written"));
    } else {
        for (int copy = 1; copy <= kMaxCopies; ++copy) {
            const QString name = fileName(baseName, copy);
            if (renameWithoutReplacing(dir, work.constData(), QFile::encodeName(name).constData())) {
                result.path = QDir(folder).filePath(name);
                break;
            }
            if (errno != EEXIST) {
                result = failed(readableError(errno));
                break;
            }
        }
        if (result.path.isEmpty() && result.error.isEmpty())
            result = failed(QStringLiteral("too many snapshots of the same name"));
    }
    if (result.path.isEmpty())
        ::unlinkat(dir, work.constData(), 0);
    ::close(dir);
    return result;
}

} // namespace zendrix
