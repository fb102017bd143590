#include "AtomicFile.h"

#include <QSaveFile>

namespace zendrix {

bool writeFileAtomically(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    // Writing in place when the folder is read-only would give up exactly the guarantee we want.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace zendrix
