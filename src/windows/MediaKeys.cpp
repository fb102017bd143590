#include "MediaKeys.h"

#include "core/PlayerRemote.h"

#include <QShortcut>
#include <QWidget>
#include <functional>

namespace zendrix {

void installMediaKeys(QWidget& mainWindow, PlayerRemote& remote)
{
    const std::pair<Qt::Key, std::function<void()>> keys[] = {
        {Qt::Key_MediaTogglePlayPause, [&remote] { remote.playPause(); }},
        {Qt::Key_MediaPlay, [&remote] { remote.play(); }},
        {Qt::Key_MediaPause, [&remote] { remote.pause(); }},
        {Qt::Key_MediaStop, [&remote] { remote.stop(); }},
        {Qt::Key_MediaNext, [&remote] { remote.next(); }},
        {Qt::Key_MediaPrevious, [&remote] { remote.previous(); }},
    };
    for (const auto& [key, command] : keys) {
        // An application-wide shortcut: any window of the group may have the focus.
        auto* shortcut = new QShortcut(QKeySequence(key), &mainWindow);
        shortcut->setContext(Qt::ApplicationShortcut);
        shortcut->setAutoRepeat(false);
        QObject::connect(shortcut, &QShortcut::activated, &mainWindow, command);
    }
}

} // namespace zendrix
