#include "ArchiveReader.h"

#include <QFile>
#include <QStringList>
#include <archive.h>
#include <archive_entry.h>
#include <memory>

namespace zendrix {

namespace {

struct ArchiveFree
{
    void operator()(archive* reader) const { archive_read_free(reader); }
};

QString unreadable(archive* reader)
{
    const char* reason = archive_error_string(reader);
    return QStringLiteral("The archive cannot be read: %1")
        .arg(reason ? QString::fromLocal8Bit(reason) : QStringLiteral("unknown error"));
}

// A member's path with "/" between its parts and no "." parts, or the reason the archive is refused
// for it.
struct MemberPath
{
    QString path;
    QString problem;
};

MemberPath memberPath(const QString& raw)
{
    QString path = raw;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool drive = path.size() >= 2 && path[0].isLetter() && path[1] == QLatin1Char(':');
    if (path.startsWith(QLatin1Char('/')) || drive)
        return {{}, QStringLiteral("The archive holds a member with an absolute path: '%1'").arg(raw)};
    QStringList parts;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return {{}, QStringLiteral("The archive holds a member outside its folder: '%1'").arg(raw)};
        if (part != QLatin1String("."))
            parts.append(part);
    }
    return {parts.join(QLatin1Char('/')), {}};
}

} // namespace

std::optional<std::vector<ArchiveFile>> readArchive(const QString& path, const ArchiveLimits& limits,
                                                    QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<std::vector<ArchiveFile>> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const std::unique_ptr<archive, ArchiveFree> owner(archive_read_new());
    archive* reader = owner.get();
    if (!reader)
        return fail(QStringLiteral("The archive cannot be read: out of memory"));
    // Only what a skin comes in: fewer decoders, less to attack.
    archive_read_support_filter_gzip(reader);
    archive_read_support_filter_xz(reader);
    archive_read_support_format_zip(reader);
    archive_read_support_format_tar(reader);
    if (archive_read_open_filename(reader, QFile::encodeName(path).constData(), 64 * 1024) != ARCHIVE_OK)
        return fail(unreadable(reader));

    const qint64 max = limits.maxUnpacked;
    const QString tooLarge =
        QStringLiteral("The archive unpacks to more than %1 MB").arg(max / (1024 * 1024));
    std::vector<ArchiveFile> files;
    qint64 unpacked = 0;
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(reader, &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
            return fail(unreadable(reader));
        // What the decompressor has given so far, headers and padding included: a stream of empty
        // members, or one huge header, counts too.
        if (archive_filter_bytes(reader, 0) > max)
            return fail(tooLarge);

        const char* utf8 = archive_entry_pathname_utf8(entry);
        const char* local = archive_entry_pathname(entry);
        const QString raw = utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(local ? local : "");
        const MemberPath member = memberPath(raw);
        if (!member.problem.isEmpty())
            return fail(member.problem);
        const auto type = archive_entry_filetype(entry);
        if (archive_entry_hardlink(entry) || type == AE_IFLNK)
            return fail(QStringLiteral("The archive holds a link: '%1'").arg(raw));
        if (type == AE_IFDIR)
            continue;
        if (type != AE_IFREG)
            return fail(QStringLiteral("The archive holds a device or other special file: '%1'").arg(raw));
        if (member.path.isEmpty())
            return fail(QStringLiteral("The archive holds a file without a name"));
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > max - unpacked)
            return fail(tooLarge);

        const bool keep = limits.keep && limits.keep(member.path);
        QByteArray bytes;
        for (;;) {
            const la_ssize_t got = archive_read_data(reader, chunk.data(), static_cast<size_t>(chunk.size()));
            if (got == 0)
                break;
            if (got < 0)
                return fail(unreadable(reader));
            unpacked += got;
            if (unpacked > max)
                return fail(tooLarge);
            if (keep)
                bytes.append(chunk.constData(), got);
        }
        if (keep)
            files.push_back({member.path, bytes});
    }
    return files;
}

} // namespace zendrix
