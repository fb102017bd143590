#include "ProgramFolder.h"

#include <QCoreApplication>

namespace zendrix {

namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}
}  // namespace

QString programFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& folder)
{
    folderOverride() = folder;
}

QString programPath(const QString& relative)
{
    return programFolder() + relative;
}

}  // namespace zendrix
