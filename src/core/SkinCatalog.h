#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace zendrix {

// Where skins come from. The shipped skins live under the program folder's "/Data/Skins/", named by its
// skins.lst. The user's own live in userSkinsFolder(), one folder per skin named after it, and are
// found by looking: a folder there counts as a skin when its name can be a skin's name and it holds both
// pictures. A user's skin with the name of a shipped one is used instead of it.

// The two pictures every skin folder holds, and their optional sharper twins for screens of a device
// pixel ratio of 2 or more.
inline const QString kSkinBackground = QStringLiteral("zendrix.zsk");
inline const QString kSkinTitle = QStringLiteral("title.zsk");
inline const QString kSkinBackground2x = QStringLiteral("zendrix@2x.zsk");
inline const QString kSkinTitle2x = QStringLiteral("title@2x.zsk");

// The program folder's "/Data/Skins/skins.lst".
QString shippedSkinList();
// userDataFolder() + "/Skins". Nothing is made.
QString userSkinsFolder();

// Why `name` cannot be the name of a user's skin ("it starts with \".\""), or nothing when it can. A name is
// a folder's name and the "Skin" setting's value, so it must survive both: not empty, no "/", no control
// characters, no blanks at either end (the settings file drops them), not starting with "." (hidden folders,
// and the installer's own temporary ones), at most 254 characters and 255 bytes.
[[nodiscard]] std::optional<QString> skinNameProblem(const QString& name);

// Whether the user's folder holds a skin of that name.
bool hasUserSkin(const QString& name, const QString& skinsFolder = userSkinsFolder());

// The user's skins in natural order: letter case aside, and numbers by their value ("Skin 2" before
// "Skin 10"). An unreadable or missing folder holds none.
QStringList userSkinNames(const QString& skinsFolder = userSkinsFolder());

struct SkinEntry
{
    QString name;
    bool user = false; // the user's own skin, also where it stands in for a shipped one
    bool operator==(const SkinEntry&) const = default;
};

// The list the settings window shows: the shipped names as the list file gives them (every line one
// entry, in file order), then the user's names that are not among them. A user's name that is shipped
// too keeps the shipped entry's place, marked as the user's.
QList<SkinEntry> mergeSkinLists(const QStringList& shipped, const QStringList& user);

} // namespace zendrix
