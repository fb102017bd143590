#include "ProgramFolderFixture.h"
#include "Files.h"

#include "core/modINI.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>

namespace zendrix::testing {

const QColor ProgramFolderFixture::kPlay(0, 200, 0);
const QColor ProgramFolderFixture::kPause(200, 0, 0);
const QColor ProgramFolderFixture::kListOpen(0, 0, 200);
const QColor ProgramFolderFixture::kListClose(200, 200, 0);

namespace {
// Both pictures of a skin in `folder`, JPEG, in the given colours; an invalid colour leaves one out.
void writeSkinPictures(const QString& folder, const QColor& background, const QColor& title)
{
    QDir().mkpath(folder);
    if (background.isValid()) {
        QImage image(425, 71, QImage::Format_RGB32);
        image.fill(background);
        image.save(folder + "/zendrix.zsk", "JPEG");
    }
    if (title.isValid()) {
        QImage image(425, 28, QImage::Format_RGB32);
        image.fill(title);
        image.save(folder + "/title.zsk", "JPEG");
    }
}
} // namespace

ProgramFolderFixture::ProgramFolderFixture() : m_dataHome(qgetenv("XDG_DATA_HOME"))
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(path() + "/user-data"));
    layOutData();
    setProgramFolder(path());
    ConfigPath = file("/Data/config.ini");
}

void ProgramFolderFixture::layOutData() const
{
    QDir(path()).mkpath("Data/Buttons");
    QDir(path()).mkpath("Data/Skins");
    writeIcon("play.ico", kPlay);
    writeIcon("pause.ico", kPause);
    writeIcon("listopen.ico", kListOpen);
    writeIcon("listclose.ico", kListClose);
    writeSkin("Zendrix", QColor(10, 20, 30), QColor(40, 50, 60));
    writeText("/Data/Skins/skins.lst", "Zendrix\r\n");
}

ProgramFolderFixture::~ProgramFolderFixture()
{
    setProgramFolder(QString());
    ConfigPath.clear();
    qputenv("XDG_DATA_HOME", m_dataHome);
}

void ProgramFolderFixture::writeIcon(const QString& name, const QColor& colour) const
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    image.save(file("/Data/Buttons/" + name), "ICO");
}

void ProgramFolderFixture::writeSkin(const QString& name, const QColor& background, const QColor& title) const
{
    writeSkinPictures(file("/Data/Skins/" + name), background, title);
}

void ProgramFolderFixture::writeUserSkin(const QString& name, const QColor& background,
                                         const QColor& title) const
{
    writeSkinPictures(userSkins() + "/" + name, background, title);
}

void ProgramFolderFixture::writeText(const QString& relative, const QByteArray& bytes) const
{
    writeFile(file(relative), bytes);
}

} // namespace zendrix::testing
