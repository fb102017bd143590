#pragma once

#include "core/PlayerRemote.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>

namespace zendrix {

// What the desktop reads of the player on the bus: the properties of org.mpris.MediaPlayer2 and
// org.mpris.MediaPlayer2.Player as they are now, valued from the player's one way in (PlayerRemote), and
// the description of the object. Tags come from media files: whatever they hold, what goes on the bus is
// valid text of a sane length.
class MprisProperties
{
public:
    static inline const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
    static inline const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
    static inline const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

    explicit MprisProperties(const PlayerRemote& remote) : m_remote(remote) {}

    static QVariantMap root();
    // The player's properties, all but Position: what PropertiesChanged compares and sends.
    QVariantMap player() const;
    // One property of the player, Position included; invalid for a name it does not have.
    QVariant playerProperty(const QString& name) const;
    // Every property of `interface`, Position included.
    QVariantMap all(const QString& interface) const;

    // The object path that names the track on the bus ("mpris:trackid"), or NoTrack.
    static QString trackPath(const std::optional<PlayerRemote::Track>& track);
    // The introspection data of the object's two interfaces.
    static QString introspection();

private:
    const PlayerRemote& m_remote;
};

} // namespace zendrix
