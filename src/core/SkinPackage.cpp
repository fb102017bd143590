#include "SkinPackage.h"

#include "SkinCatalog.h"
#include "platform/ArchiveReader.h"
#include "platform/Picture.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <map>

namespace zendrix {

namespace {

const QString kArchiveSuffixes[] = {QStringLiteral(".tar.gz"), QStringLiteral(".tar.xz"),
                                    QStringLiteral(".zip")};

QStringList skinPictures()
{
    return {kSkinBackground, kSkinTitle, kSkinBackground2x, kSkinTitle2x};
}

QString tooLarge(const QString& file)
{
    return QStringLiteral("\"%1\" is larger than %2 MB").arg(file).arg(kMaxSkinPictureBytes / (1024 * 1024));
}

using Files = std::map<QString, QByteArray>;

// The pictures of a skin folder on disk.
std::optional<Files> readFolder(const QString& folder, QString* refusal)
{
    Files files;
    for (const QString& file : skinPictures()) {
        const QFileInfo info(folder + QLatin1Char('/') + file);
        if (!info.exists())
            continue;
        if (!info.isFile()) {
            *refusal = QStringLiteral("\"%1\" is not a file").arg(file);
            return std::nullopt;
        }
        if (info.size() > kMaxSkinPictureBytes) {
            *refusal = tooLarge(file);
            return std::nullopt;
        }
        QFile picture(info.filePath());
        if (!picture.open(QIODevice::ReadOnly)) {
            *refusal = QStringLiteral("\"%1\" cannot be read").arg(file);
            return std::nullopt;
        }
        // Read no more than the limit allows, whatever the file has grown to since it was measured.
        files[file] = picture.read(kMaxSkinPictureBytes + 1);
    }
    return files;
}

// The pictures of a skin archive: those at its top when "zendrix.zsk" is there, else those of the one
// folder at its top that holds "zendrix.zsk".
std::optional<Files> readArchiveFiles(const QString& path, QString* refusal)
{
    ArchiveLimits limits;
    limits.maxUnpacked = kMaxSkinArchiveBytes;
    limits.keep = [](const QString& member) {
        const QStringList parts = member.split(QLatin1Char('/'));
        return parts.size() <= 2 && skinPictures().contains(parts.last());
    };
    const auto members = readArchive(path, limits, refusal);
    if (!members)
        return std::nullopt;
    bool atTop = false;
    QStringList folders;
    for (const ArchiveFile& member : *members) {
        if (member.path == kSkinBackground)
            atTop = true;
        else if (member.path.endsWith(QLatin1Char('/') + kSkinBackground))
            folders.append(member.path.chopped(kSkinBackground.size()));
    }
    folders.removeDuplicates();
    if (!atTop && folders.size() > 1) {
        *refusal = QStringLiteral("The archive holds more than one skin");
        return std::nullopt;
    }
    const QString root = atTop || folders.isEmpty() ? QString() : folders.constFirst();
    Files files;
    for (const ArchiveFile& member : *members) {
        if (member.path.startsWith(root) && skinPictures().contains(member.path.mid(root.size())))
            files[member.path.mid(root.size())] = member.bytes;
    }
    return files;
}

} // namespace

QString skinSourceName(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return info.fileName();
    const QString file = info.fileName();
    for (const QString& suffix : kArchiveSuffixes) {
        if (file.endsWith(suffix, Qt::CaseInsensitive))
            return file.chopped(suffix.size());
    }
    return {};
}

std::optional<SkinPackage> readSkinPackage(const QString& path, QString* refusal)
{
    QString why;
    auto refuse = [&](const QString& reason) -> std::optional<SkinPackage> {
        if (refusal)
            *refusal = reason;
        return std::nullopt;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(QStringLiteral("File not found: '%1'").arg(path));
    const QString name = skinSourceName(path);
    if (!info.isDir() && name.isEmpty())
        return refuse(QStringLiteral("'%1' is neither a skin folder nor a .zip, .tar.gz or .tar.xz archive")
                          .arg(info.fileName()));
    if (const auto problem = skinNameProblem(name))
        return refuse(QStringLiteral("\"%1\" cannot be a skin's name: %2").arg(name, *problem));

    const std::optional<Files> files = info.isDir() ? readFolder(path, &why) : readArchiveFiles(path, &why);
    if (!files)
        return refuse(why);
    for (const QString& required : {kSkinBackground, kSkinTitle}) {
        if (!files->count(required))
            return refuse(QStringLiteral("\"%1\" is missing").arg(required));
    }
    SkinPackage package{name, {}};
    for (const auto& [file, bytes] : *files) {
        if (bytes.size() > kMaxSkinPictureBytes)
            return refuse(tooLarge(file));
        QString error;
        if (!Picture::fromData(bytes, 0, &error))
            return refuse(QStringLiteral("\"%1\": %2").arg(file, error));
        package.files.emplace_back(file, bytes);
    }
    return package;
}

} // namespace zendrix
