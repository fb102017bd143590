#include "Fuzz.h"

#include <QtGlobal>

namespace zendrix::fuzz {

void silenceQtMessages()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

} // namespace zendrix::fuzz
