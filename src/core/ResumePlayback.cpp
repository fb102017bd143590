#include "ResumePlayback.h"

#include "VlcMediaSource.h"

#include <QFileInfo>
#include <algorithm>

namespace zendrix {

ResumePlayback::ResumePlayback(MediaEngine& engine, const SwitchSetting& setting)
    : m_engine(engine), m_setting(setting)
{}

void ResumePlayback::setFolder(const QString& folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    m_positions.reset();
    prepare();
}

void ResumePlayback::prepare()
{
    if (m_setting.isOn() && !m_folder.isEmpty())
        (void)store();
}

ResumePositions& ResumePlayback::store()
{
    if (!m_positions)
        m_positions = std::make_unique<ResumePositions>(m_folder);
    return *m_positions;
}

ResumePlayback::File ResumePlayback::fileOf(const QString& url) const
{
    const MediaSource source = resolveMediaSource(url);
    if (source.kind != MediaSource::Kind::File)
        return {url, {}, -1};
    const QFileInfo info(source.localPath);
    return {url, info.isFile() ? source.localPath : QString(), info.size()};
}

double ResumePlayback::startOf(const QString& url)
{
    m_file = {};
    if (!m_setting.isOn() || m_folder.isEmpty())
        return 0;
    m_file = fileOf(url);
    if (m_file.path.isEmpty())
        return 0;
    const std::optional<double> left = store().position(m_file.path, m_file.size);
    return left ? std::max(0.0, *left - kBackOff) : 0.0;
}

void ResumePlayback::leaving()
{
    if (!m_setting.isOn() || m_folder.isEmpty())
        return;
    // Only an item that plays (or waits paused, or winds) stands anywhere: one stopped or ended since it
    // was last kept has been kept or forgotten already.
    const long state = m_engine.playState();
    if (state != MediaEngine::Playing && state != MediaEngine::Paused && state != MediaEngine::ScanForward &&
        state != MediaEngine::ScanReverse && state != MediaEngine::Transitioning)
        return;
    const QString url = m_engine.URL();
    if (m_file.url != url)
        m_file = fileOf(url);
    if (m_file.path.isEmpty() || m_engine.currentMedia().duration() < kLeastLength)
        return;
    store().keep(m_file.path, m_file.size, m_engine.controls().currentPosition());
}

void ResumePlayback::ended()
{
    if (!m_setting.isOn() || m_folder.isEmpty())
        return;
    const QString url = m_engine.URL();
    if (m_file.url != url)
        m_file = fileOf(url);
    if (!m_file.path.isEmpty())
        store().forget(m_file.path, m_file.size);
}

void ResumePlayback::keepNow()
{
    leaving();
    if (m_positions)
        m_positions->flush();
}

} // namespace zendrix
