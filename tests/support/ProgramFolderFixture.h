#pragma once

// A program folder of the test's own, laid out like the installed one: Data/ with the run-time button
// icons, the default skin and its list, and the settings file path in ConfigPath. Icons and skin
// pictures are drawn here, so a test can tell which file a window shows by its colour. The user's data
// folder ($XDG_DATA_HOME) is one of the test's own too, empty until the test writes there.
#include <QColor>
#include <QString>
#include <QTemporaryDir>

namespace zendrix::testing {

class ProgramFolderFixture
{
public:
    ProgramFolderFixture();
    ~ProgramFolderFixture();

    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.path() + relative; }
    // Lays out Data/ afresh: the icons, the default skin and the skin list.
    void layOutData() const;

    // Writes a 16 x 16 icon of one colour to /Data/Buttons/<name>.
    void writeIcon(const QString& name, const QColor& colour) const;
    // Writes a skin folder /Data/Skins/<name> with both pictures (JPEG content) in the given colours;
    // an invalid colour leaves that picture out.
    void writeSkin(const QString& name, const QColor& background, const QColor& title) const;
    // The same in the user's skin folder, userSkins() + "/<name>".
    void writeUserSkin(const QString& name, const QColor& background, const QColor& title) const;
    // Where the program looks for the user's skins while the fixture lives.
    QString userSkins() const { return m_dir.path() + "/user-data/Zendrix/Skins"; }
    void writeText(const QString& relative, const QByteArray& bytes) const;

    static const QColor kPlay;
    static const QColor kPause;
    static const QColor kListOpen;
    static const QColor kListClose;

private:
    QTemporaryDir m_dir;
    QByteArray m_dataHome;
};

}  // namespace zendrix::testing
