// assetgen: draws every picture of the player and writes them into the repository.
//
//   assetgen <repository-root>
//
// rewrites the skins, the skin list, the button icons, the speakers, the program icon (also in the sizes
// of the desktop's icon theme) and the overview docs/assets.png in place. Run it after changing a
// drawing and commit what it wrote.
//
//   assetgen --templates <folder>
//
// draws the skin authors' templates from the windows' layouts into <folder> (the build does this).
#include "AssetSet.h"
#include "Templates.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    // Drawing needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("--templates")) {
        const QDir folder(arguments.at(2));
        if (!QDir().mkpath(folder.path())) {
            std::fprintf(stderr, "assetgen: cannot make %s\n", qPrintable(folder.path()));
            return 1;
        }
        for (const auto& asset : zendrix::assetgen::templateAssets()) {
            if (!zendrix::writeFileAtomically(folder.filePath(asset.path), asset.bytes)) {
                std::fprintf(stderr, "assetgen: cannot write %s\n", qPrintable(folder.filePath(asset.path)));
                return 1;
            }
        }
        return 0;
    }
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: assetgen <repository-root> | assetgen --templates <folder>\n");
        return 2;
    }
    const QDir root(arguments.at(1));
    if (!QFileInfo(root.filePath(QStringLiteral("tools/assetgen"))).isDir()) {
        std::fprintf(stderr, "assetgen: %s is not the repository's root\n", qPrintable(root.path()));
        return 2;
    }

    QString error;
    auto assets = zendrix::assetgen::buildAssets(&error);
    if (!assets) {
        std::fprintf(stderr, "assetgen: %s\n", qPrintable(error));
        return 1;
    }
    assets->push_back({QStringLiteral("docs/assets.png"), zendrix::assetgen::contactSheet(*assets)});

    for (const auto& asset : *assets) {
        const QString path = root.filePath(asset.path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !zendrix::writeFileAtomically(path, asset.bytes)) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("assetgen: wrote %d files under %s\n", int(assets->size()), qPrintable(root.absolutePath()));
    return 0;
}
