#include "MediaKeys.h"

#include "MainWindow.h"
#include "core/PlayerRemote.h"

#include <QShortcut>
#include <functional>
#include <optional>

namespace zendrix {

void installMediaKeys(MainWindow& mainWindow, PlayerRemote& remote)
{
    struct MediaKey
    {
        Qt::Key key;
        std::function<void()> command;
        // The transport button that always does the same, and the key's name on it.
        std::optional<Player::Command> button;
        const char* name = nullptr;
    };
    const MediaKey keys[] = {
        {Qt::Key_MediaTogglePlayPause, [&remote] { remote.playPause(); }, Player::Play, "Play/Pause key"},
        {Qt::Key_MediaPlay, [&remote] { remote.play(); }, std::nullopt},
        {Qt::Key_MediaPause, [&remote] { remote.pause(); }, std::nullopt},
        {Qt::Key_MediaStop, [&remote] { remote.stop(); }, Player::Stop, "Stop key"},
        // These walk the playlist, where the buttons step through the engine's own items (a DVD's
        // chapters): only on a DVD are they the same.
        {Qt::Key_MediaNext, [&remote] { remote.next(); }, std::nullopt},
        {Qt::Key_MediaPrevious, [&remote] { remote.previous(); }, std::nullopt},
    };
    for (const MediaKey& key : keys) {
        // An application-wide shortcut: any window of the group may have the focus.
        auto* shortcut = new QShortcut(QKeySequence(key.key), &mainWindow);
        shortcut->setContext(Qt::ApplicationShortcut);
        shortcut->setAutoRepeat(false);
        QObject::connect(shortcut, &QShortcut::activated, &mainWindow, key.command);
        if (key.button)
            mainWindow.cmdControls[static_cast<std::size_t>(*key.button)]->setKeyName(
                QLatin1String(key.name));
    }
}

} // namespace zendrix
