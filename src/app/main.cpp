#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const auto instance = zendrix::SingleInstance::claim(zendrix::programFolder());
    if (!instance)
        return 0;
    QWidget window;
    window.show();
    return app.exec();
}
