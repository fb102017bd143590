#pragma once

// Archives a test makes itself with libarchive's writer, hostile ones included: members outside their
// folder, absolute paths, links, devices, and members that unpack to far more than they take.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <vector>

namespace zendrix::testing {

struct ArchiveMember
{
    enum class Type { File, Folder, Symlink, Hardlink, Device, Pipe };
    QString path;
    QByteArray bytes = {};
    Type type = Type::File;
    QString target = {}; // what a link points to
};

enum class ArchiveFormat { Zip, TarGz, TarXz };

// Writes the members, in order, to an archive at `path`. False when libarchive would not.
inline bool writeArchive(const QString& path, ArchiveFormat format, const std::vector<ArchiveMember>& members)
{
    archive* writer = archive_write_new();
    bool ok = true;
    switch (format) {
    case ArchiveFormat::Zip:
        ok = archive_write_set_format_zip(writer) == ARCHIVE_OK;
        break;
    case ArchiveFormat::TarGz:
        ok = archive_write_set_format_pax_restricted(writer) == ARCHIVE_OK &&
             archive_write_add_filter_gzip(writer) == ARCHIVE_OK;
        break;
    case ArchiveFormat::TarXz:
        ok = archive_write_set_format_pax_restricted(writer) == ARCHIVE_OK &&
             archive_write_add_filter_xz(writer) == ARCHIVE_OK;
        break;
    }
    ok = ok && archive_write_open_filename(writer, QFile::encodeName(path).constData()) == ARCHIVE_OK;
    for (const ArchiveMember& member : members) {
        if (!ok)
            break;
        archive_entry* entry = archive_entry_new();
        archive_entry_copy_pathname(entry, member.path.toUtf8().constData());
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, 0);
        using Type = ArchiveMember::Type;
        switch (member.type) {
        case Type::File:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry, member.bytes.size());
            break;
        case Type::Folder:
            archive_entry_set_filetype(entry, AE_IFDIR);
            archive_entry_set_perm(entry, 0755);
            break;
        case Type::Symlink:
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_copy_symlink(entry, member.target.toUtf8().constData());
            break;
        case Type::Hardlink:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_copy_hardlink(entry, member.target.toUtf8().constData());
            break;
        case Type::Device:
            archive_entry_set_filetype(entry, AE_IFCHR);
            archive_entry_set_rdev(entry, makedev(1, 3));
            break;
        case Type::Pipe:
            archive_entry_set_filetype(entry, AE_IFIFO);
            break;
        }
        ok = archive_write_header(writer, entry) == ARCHIVE_OK;
        if (ok && member.type == ArchiveMember::Type::File && !member.bytes.isEmpty())
            ok = archive_write_data(writer, member.bytes.constData(),
                                    static_cast<size_t>(member.bytes.size())) == member.bytes.size();
        archive_entry_free(entry);
    }
    ok = archive_write_close(writer) == ARCHIVE_OK && ok;
    archive_write_free(writer);
    return ok;
}

} // namespace zendrix::testing
