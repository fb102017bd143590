#pragma once

// A stand-in for the window group a skin dresses: it records which window got a picture, in order,
// with the colour at the picture's centre.
#include "core/Skin.h"

#include <QColor>
#include <QStringList>
#include <vector>

namespace zendrix::testing {

struct SetPicture
{
    QString target;  // "main", "playlist", "settings", "info", "title"
    QColor centre;
    QSize size;      // in pixels
    qreal ratio;     // the picture's device pixel ratio
};

class FakeSkinTargets : public SkinTargets
{
public:
    void setMainPicture(const Picture& picture) override { record("main", picture); }
    void setPlaylistBack(const Picture& picture) override { record("playlist", picture); }
    void setSettingsBack(const Picture& picture) override { record("settings", picture); }
    void setInfoBack(const Picture& picture) override { record("info", picture); }
    void setTitlePicture(const Picture& picture) override { record("title", picture); }
    qreal devicePixelRatio() const override { return screenRatio; }

    QStringList targets() const
    {
        QStringList names;
        for (const SetPicture& set : pictures)
            names.append(set.target);
        return names;
    }

    std::vector<SetPicture> pictures;
    qreal screenRatio = 1.0;

private:
    void record(const QString& target, const Picture& picture)
    {
        const QImage& image = picture.image();
        pictures.push_back({target, image.pixelColor(image.width() / 2, image.height() / 2), image.size(),
                            image.devicePixelRatio()});
    }
};

// Colours survive JPEG only approximately.
inline bool closeTo(const QColor& a, const QColor& b, int tolerance = 6)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace zendrix::testing
