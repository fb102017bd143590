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

ProgramFolderFixture::ProgramFolderFixture()
{
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
}

void ProgramFolderFixture::writeIcon(const QString& name, const QColor& colour) const
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    image.save(file("/Data/Buttons/" + name), "ICO");
}

void ProgramFolderFixture::writeSkin(const QString& name, const QColor& background, const QColor& title) const
{
    const QString folder = file("/Data/Skins/" + name);
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

void ProgramFolderFixture::writeText(const QString& relative, const QByteArray& bytes) const
{
    writeFile(file(relative), bytes);
}

} // namespace zendrix::testing
