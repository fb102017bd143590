#include "ArchiveReader.h"

#include <QFile>
#include <QStringList>
#include <archive.h>
#include <archive_entry.h>
#include <cstring>
#include <dlfcn.h>
#include <memory>

namespace zendrix {

namespace {

// libarchive's functions, from the library opened the first time an archive is read: a start that
// installs no skin does without it and the libraries it needs (close to a megabyte of memory, and the
// time to load them).
struct Libarchive
{
    decltype(&archive_read_new) read_new = nullptr;
    decltype(&archive_read_free) read_free = nullptr;
    decltype(&archive_error_string) error_string = nullptr;
    decltype(&archive_read_support_filter_gzip) support_filter_gzip = nullptr;
    decltype(&archive_read_support_filter_xz) support_filter_xz = nullptr;
    decltype(&archive_read_support_format_zip) support_format_zip = nullptr;
    decltype(&archive_read_support_format_tar) support_format_tar = nullptr;
    decltype(&archive_read_open_filename) open_filename = nullptr;
    decltype(&archive_read_next_header) next_header = nullptr;
    decltype(&archive_filter_bytes) filter_bytes = nullptr;
    decltype(&archive_read_data) read_data = nullptr;
    decltype(&archive_entry_pathname_utf8) entry_pathname_utf8 = nullptr;
    decltype(&archive_entry_pathname) entry_pathname = nullptr;
    decltype(&archive_entry_filetype) entry_filetype = nullptr;
    decltype(&archive_entry_hardlink) entry_hardlink = nullptr;
    decltype(&archive_entry_size_is_set) entry_size_is_set = nullptr;
    decltype(&archive_entry_size) entry_size = nullptr;
};

// The library, or nothing when it cannot be opened. Opened once, and kept.
const Libarchive* libarchive()
{
    static const std::optional<Libarchive> library = []() -> std::optional<Libarchive> {
        void* handle = ::dlopen("libarchive.so.13", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return std::nullopt;
        Libarchive l;
        bool complete = true;
        // A symbol's address goes into its function pointer bit for bit: the language has no cast from
        // an object pointer to a function pointer.
        const auto bind = [handle, &complete](auto& function, const char* name) {
            void* symbol = ::dlsym(handle, name);
            complete = complete && symbol;
            std::memcpy(&function, &symbol, sizeof function);
        };
        bind(l.read_new, "archive_read_new");
        bind(l.read_free, "archive_read_free");
        bind(l.error_string, "archive_error_string");
        bind(l.support_filter_gzip, "archive_read_support_filter_gzip");
        bind(l.support_filter_xz, "archive_read_support_filter_xz");
        bind(l.support_format_zip, "archive_read_support_format_zip");
        bind(l.support_format_tar, "archive_read_support_format_tar");
        bind(l.open_filename, "archive_read_open_filename");
        bind(l.next_header, "archive_read_next_header");
        bind(l.filter_bytes, "archive_filter_bytes");
        bind(l.read_data, "archive_read_data");
        bind(l.entry_pathname_utf8, "archive_entry_pathname_utf8");
        bind(l.entry_pathname, "archive_entry_pathname");
        bind(l.entry_filetype, "archive_entry_filetype");
        bind(l.entry_hardlink, "archive_entry_hardlink");
        bind(l.entry_size_is_set, "archive_entry_size_is_set");
        bind(l.entry_size, "archive_entry_size");
        if (!complete)
            return std::nullopt;
        return l;
    }();
    return library ? &*library : nullptr;
}

struct ArchiveFree
{
    void operator()(archive* reader) const { libarchive()->read_free(reader); }
};

QString unreadable(archive* reader)
{
    const char* reason = libarchive()->error_string(reader);
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
    const Libarchive* lib = libarchive();
    if (!lib)
        return fail(QStringLiteral("The archive cannot be read: libarchive (libarchive.so.13) is not installed"));
    const std::unique_ptr<archive, ArchiveFree> owner(lib->read_new());
    archive* reader = owner.get();
    if (!reader)
        return fail(QStringLiteral("The archive cannot be read: out of memory"));
    // Only what a skin comes in: fewer decoders, less to attack.
    lib->support_filter_gzip(reader);
    lib->support_filter_xz(reader);
    lib->support_format_zip(reader);
    lib->support_format_tar(reader);
    if (lib->open_filename(reader, QFile::encodeName(path).constData(), 64 * 1024) != ARCHIVE_OK)
        return fail(unreadable(reader));

    const qint64 max = limits.maxUnpacked;
    const QString tooLarge =
        QStringLiteral("The archive unpacks to more than %1 MB").arg(max / (1024 * 1024));
    std::vector<ArchiveFile> files;
    qint64 unpacked = 0;
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        archive_entry* entry = nullptr;
        const int status = lib->next_header(reader, &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
            return fail(unreadable(reader));
        // What the decompressor has given so far, headers and padding included: a stream of empty
        // members, or one huge header, counts too.
        if (lib->filter_bytes(reader, 0) > max)
            return fail(tooLarge);

        const char* utf8 = lib->entry_pathname_utf8(entry);
        const char* local = lib->entry_pathname(entry);
        const QString raw = utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(local ? local : "");
        const MemberPath member = memberPath(raw);
        if (!member.problem.isEmpty())
            return fail(member.problem);
        const auto type = lib->entry_filetype(entry);
        if (lib->entry_hardlink(entry) || type == AE_IFLNK)
            return fail(QStringLiteral("The archive holds a link: '%1'").arg(raw));
        if (type == AE_IFDIR)
            continue;
        if (type != AE_IFREG)
            return fail(QStringLiteral("The archive holds a device or other special file: '%1'").arg(raw));
        if (member.path.isEmpty())
            return fail(QStringLiteral("The archive holds a file without a name"));
        if (lib->entry_size_is_set(entry) && lib->entry_size(entry) > max - unpacked)
            return fail(tooLarge);

        const bool keep = limits.keep && limits.keep(member.path);
        QByteArray bytes;
        for (;;) {
            const la_ssize_t got = lib->read_data(reader, chunk.data(), static_cast<size_t>(chunk.size()));
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
