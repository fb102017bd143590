#include "SkinCatalog.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace zendrix {

QString shippedSkinList()
{
    return programPath(QStringLiteral("/Data/Skins/skins.lst"));
}

QString userSkinsFolder()
{
    return userDataFolder() + QStringLiteral("/Skins");
}

std::optional<QString> skinNameProblem(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("it is empty");
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("it starts with \".\"");
    if (name.trimmed() != name)
        return QStringLiteral("it starts or ends with a blank");
    for (const QChar c : name) {
        if (c == QLatin1Char('/'))
            return QStringLiteral("it holds \"/\"");
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("it holds a control character");
    }
    // The settings file keeps 254 characters of a value; the file system 255 bytes of a name.
    if (name.size() > 254 || name.toUtf8().size() > 255)
        return QStringLiteral("it is too long");
    return std::nullopt;
}

bool hasUserSkin(const QString& name, const QString& skinsFolder)
{
    if (skinNameProblem(name))
        return false;
    const QString folder = skinsFolder + QLatin1Char('/') + name;
    return QFileInfo(folder + QLatin1Char('/') + kSkinBackground).isFile() &&
           QFileInfo(folder + QLatin1Char('/') + kSkinTitle).isFile();
}

namespace {

// Natural order: runs of digits compare by their value, everything else without regard to letter case,
// whatever the locale (the C locale's collation knows no numbers); names equal so far compare as they
// are, for a fixed order.
bool naturalLess(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            // The value, not the spelling: leading zeros count for nothing.
            QStringView digitsA = QStringView(a).mid(i, endA - i);
            QStringView digitsB = QStringView(b).mid(j, endB - j);
            while (digitsA.size() > 1 && digitsA.front() == QLatin1Char('0'))
                digitsA = digitsA.mid(1);
            while (digitsB.size() > 1 && digitsB.front() == QLatin1Char('0'))
                digitsB = digitsB.mid(1);
            if (digitsA.size() != digitsB.size())
                return digitsA.size() < digitsB.size();
            if (const int order = digitsA.compare(digitsB); order != 0)
                return order < 0;
            i = endA;
            j = endB;
            continue;
        }
        const QChar x = a[i].toCaseFolded();
        const QChar y = b[j].toCaseFolded();
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return j < b.size();
    return a < b;
}

} // namespace

QStringList userSkinNames(const QString& skinsFolder)
{
    QStringList names;
    const QStringList folders = QDir(skinsFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : folders) {
        if (hasUserSkin(name, skinsFolder))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), naturalLess);
    return names;
}

QList<SkinEntry> mergeSkinLists(const QStringList& shipped, const QStringList& user)
{
    const QSet<QString> users(user.cbegin(), user.cend());
    const QSet<QString> shippedNames(shipped.cbegin(), shipped.cend());
    QList<SkinEntry> entries;
    for (const QString& name : shipped)
        entries.append({name, users.contains(name)});
    for (const QString& name : user) {
        if (!shippedNames.contains(name))
            entries.append({name, true});
    }
    return entries;
}

} // namespace zendrix
