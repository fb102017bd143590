#include "SkinInstall.h"

#include "SkinCatalog.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zendrix {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A new, empty, hidden folder in `folder` whose name starts with `prefix`, or nothing (errno says why).
std::optional<QString> makeHiddenFolder(const QString& folder, const QString& prefix)
{
    QByteArray pattern = QFile::encodeName(folder + QLatin1Char('/') + prefix + QStringLiteral("XXXXXX"));
    if (!::mkdtemp(pattern.data()))
        return std::nullopt;
    return QFile::decodeName(pattern);
}

// Deletes what is at `path`: a folder with everything in it, but of a link only the link, never what
// it points to.
void removeTree(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isDir())
        QFile::remove(path);
    else
        QDir(path).removeRecursively();
}

bool renamePath(const QString& from, const QString& to, unsigned int flags = 0)
{
    return ::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD,
                       QFile::encodeName(to).constData(), flags) == 0;
}

// Puts the complete folder `fresh` where `target` is, replacing what is there. Afterwards `fresh` holds
// what was swapped out, if anything, for the caller to delete.
std::optional<QString> putInPlace(const QString& fresh, const QString& target, const QString& skinsFolder)
{
    if (!QFileInfo(target).exists() && !QFileInfo(target).isSymLink()) {
        if (renamePath(fresh, target, RENAME_NOREPLACE))
            return std::nullopt;
        if (errno != EEXIST && errno != EINVAL && errno != ENOSYS)
            return systemError(errno);
        // RENAME_NOREPLACE not known here, or the name was taken meanwhile: replace as below.
    }
    if (renamePath(fresh, target, RENAME_EXCHANGE))
        return std::nullopt;
    if (errno != EINVAL && errno != ENOSYS)
        return systemError(errno);
    // A file system that cannot swap: the old skin goes aside into an empty hidden folder (a rename may
    // replace an empty folder), the new one takes its name, and `fresh` ends up holding the old one.
    const auto aside = makeHiddenFolder(skinsFolder, QStringLiteral(".replaced-"));
    if (!aside)
        return systemError(errno);
    if (!renamePath(target, *aside)) {
        const int error = errno;
        removeTree(*aside);
        return systemError(error);
    }
    if (!renamePath(fresh, target)) {
        const int error = errno;
        (void)renamePath(*aside, target);
        return systemError(error);
    }
    removeTree(*aside);
    return std::nullopt;
}

} // namespace

std::optional<QString> installSkinPackage(const SkinPackage& package, const QString& skinsFolder)
{
    if (const auto problem = skinNameProblem(package.name))
        return QStringLiteral("\"%1\" cannot be a skin's name: %2").arg(package.name, *problem);
    if (!QDir().mkpath(skinsFolder))
        return QStringLiteral("The folder '%1' cannot be made").arg(skinsFolder);
    const auto fresh = makeHiddenFolder(skinsFolder, QStringLiteral(".install-"));
    if (!fresh)
        return QStringLiteral("Cannot write into '%1': %2").arg(skinsFolder, systemError(errno));
    // Skin folders are read by everyone who may use them, as the shipped ones are.
    QFile::setPermissions(*fresh, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    for (const auto& [file, bytes] : package.files) {
        if (const auto failure = writeFileAtomicallyExplained(*fresh + QLatin1Char('/') + file, bytes)) {
            removeTree(*fresh);
            return *failure;
        }
    }
    const auto failure = putInPlace(*fresh, skinsFolder + QLatin1Char('/') + package.name, skinsFolder);
    if (QFileInfo(*fresh).exists() || QFileInfo(*fresh).isSymLink())
        removeTree(*fresh);
    return failure;
}

std::optional<QString> removeUserSkin(const QString& name, const QString& skinsFolder)
{
    const QString target = skinsFolder + QLatin1Char('/') + name;
    if (skinNameProblem(name) || !QFileInfo(target).isDir())
        return QStringLiteral("There is no skin \"%1\" in '%2'").arg(name, skinsFolder);
    // A skin linked in from elsewhere goes as a link: what it points to is not ours.
    if (QFileInfo(target).isSymLink())
        return ::unlink(QFile::encodeName(target).constData()) == 0
                   ? std::nullopt
                   : std::optional<QString>(systemError(errno));
    const auto gone = makeHiddenFolder(skinsFolder, QStringLiteral(".remove-"));
    if (!gone)
        return QStringLiteral("Cannot write into '%1': %2").arg(skinsFolder, systemError(errno));
    if (!renamePath(target, *gone)) {
        const int error = errno;
        removeTree(*gone);
        return systemError(error);
    }
    removeTree(*gone);
    return std::nullopt;
}

} // namespace zendrix
