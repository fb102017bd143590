// The settings store on any file: a value written is the value read back, every other line keeps its
// bytes, and no other setting changes. The input is a section, a key and a value, then the old file.
#include "Fuzz.h"
#include "core/modINI.h"

#include <QFile>
#include <QTemporaryDir>

using namespace zendrix;
using namespace zendrix::fuzz;

namespace {

// The program's sections and keys are short printable names; any such name must work. A byte that
// cannot stand in a name becomes a letter, and blanks around it go.
QString nameFrom(const QByteArray& bytes, const QString& fallback)
{
    QByteArray name = bytes;
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || c == '=' || c == '[' || c == ']')
            c = 'x';
    }
    const QString text = QString::fromUtf8(name).trimmed();
    return text.isEmpty() ? fallback : text;
}

// Whether `part` appears in `whole` in order, with `extra` lines of `whole` left over.
bool isSubsequence(const QList<QByteArray>& part, const QList<QByteArray>& whole, qsizetype extra)
{
    if (whole.size() != part.size() + extra)
        return false;
    qsizetype at = 0;
    for (const QByteArray& line : whole) {
        if (at < part.size() && line == part[at])
            ++at;
    }
    return at == part.size();
}

// The value as a read gives it back: one line, blanks around it gone, at most 254 characters.
QString expectedRead(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && (value[begin] == QLatin1Char(' ') || value[begin] == QLatin1Char('\t')))
        ++begin;
    while (end > begin && (value[end - 1] == QLatin1Char(' ') || value[end - 1] == QLatin1Char('\t')))
        --end;
    return value.sliced(begin, end - begin);
}

QTemporaryDir* folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceQtMessages();
    folder = new QTemporaryDir(QStringLiteral("/dev/shm/zendrix-fuzz-ini-XXXXXX"));
    if (!folder->isValid())
        folder = new QTemporaryDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const QString section = nameFrom(input.take(input.byte() % 16), QStringLiteral("Player"));
    const QString key = nameFrom(input.take(input.byte() % 16), QStringLiteral("Volume"));
    const unsigned valueLength = input.byte() * 2; // up to 510 bytes: past the 254 a read gives back
    const QString value = QString::fromUtf8(input.take(valueLength));
    const QByteArray before = input.rest();

    const QByteArray after = withINIValue(before, section, key, value);
    check(iniValue(after, section, key) == expectedRead(value), "a value written is the value read back");

    // Every other line keeps its bytes: the key's own line is replaced in place, or the key (and its
    // section) come as new lines.
    const QList<QByteArray> oldLines = linesOf(before);
    const QList<QByteArray> newLines = linesOf(after);
    if (iniValue(before, section, key)) {
        check(newLines.size() == oldLines.size(), "replacing a key keeps the number of lines");
        qsizetype changed = 0;
        for (qsizetype i = 0; i < oldLines.size(); ++i)
            changed += oldLines[i] != newLines[i];
        check(changed <= 1, "replacing a key changes no other line");
    } else {
        // One new line when the section was there, two (header and key) when it was not.
        check(isSubsequence(oldLines, newLines, 1) || isSubsequence(oldLines, newLines, 2),
              "adding a key only adds lines");
    }

    // No other setting changes: every key of the old file reads as before, but the one written. Each
    // read parses the whole file, so a long file has its first keys checked.
    int keysChecked = 0;
    for (const QByteArray& line : oldLines) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        if (++keysChecked > 24)
            break;
        const QString otherKey = QString::fromUtf8(line.first(equals)).trimmed();
        if (otherKey.compare(key, Qt::CaseInsensitive) == 0)
            continue;
        check(iniValue(after, section, otherKey) == iniValue(before, section, otherKey),
              "another key of the section keeps its value");
    }

    // The same through the files the program writes: the write replaces the file and the read finds it.
    // A write costs a temporary file and a rename, so one input in eight takes this road.
    if (size % 8 != 0)
        return 0;
    const QString path = folder->filePath(QStringLiteral("config.ini"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(before);
        file.close();
        WriteINI(path, section, key, value);
        check(ReadINI(path, section, key, QStringLiteral("<missing>")) == expectedRead(value).left(254),
              "a value written to the file is the value read from it");
    }
    return 0;
}
