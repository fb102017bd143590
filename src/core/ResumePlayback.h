#pragma once

#include "MediaEngine.h"
#include "ResumePositions.h"
#include "StartPlaces.h"
#include "SwitchSetting.h"

#include <memory>

namespace zendrix {

// "Resume Where Left Off": with the setting on, a file of ten minutes or more starts again where it was
// left, less five seconds. Where it was left is kept when it is paused, stopped or replaced and when the
// program ends (keepNow), if it played since it was last kept; a file played to its end is forgotten.
// Only local files are kept, known by their path and size (ResumePositions). With the setting off every
// item starts at its beginning and nothing is read or kept.
class ResumePlayback final : public StartPlaces
{
public:
    static constexpr double kLeastLength = 600;
    static constexpr double kBackOff = 5;

    ResumePlayback(MediaEngine& engine, const SwitchSetting& setting);

    // Where the places are kept (ResumePositions); with the setting on, they start being read there.
    void setFolder(const QString& folder);
    // Starts reading the places, so the first item need not wait for them; nothing with the setting off.
    void prepare();

    double startOf(const QString& url) override;
    void leaving() override;
    void ended() override;
    // At the program's end: keeps where the item stands, and returns once the places are on disk.
    void keepNow();

    // The store, made at its first use; nullptr before.
    ResumePositions* positions() { return m_positions.get(); }

private:
    ResumePositions& store();
    // The file loaded now, as it was started: its path and size, or an empty path for anything else.
    struct File
    {
        QString url;
        QString path;
        qint64 size = -1;
    };
    File fileOf(const QString& url) const;

    MediaEngine& m_engine;
    const SwitchSetting& m_setting;
    QString m_folder;
    std::unique_ptr<ResumePositions> m_positions;
    File m_file;
};

} // namespace zendrix
