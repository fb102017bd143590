#include "SkinList.h"

#include <QFile>
#include <QFileInfo>

namespace zendrix {

std::optional<QStringList> readSkinList(const QString& path, QString* error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = (QFileInfo::exists(path) ? QStringLiteral("Permission denied: '%1'")
                                              : QStringLiteral("File not found: '%1'"))
                         .arg(path);
        return std::nullopt;
    }
    // The list is a handful of short names; anything past this is not a skin list.
    constexpr qint64 kMaxBytes = 1 << 20;
    const QByteArray bytes = file.read(kMaxBytes);
    QStringList names;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        names.append(QString::fromLocal8Bit(bytes.constData() + start, end - start));
        if (end < size)
            end += (bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n') ? 2 : 1;
        start = end;
    }
    return names;
}

}  // namespace zendrix
