#include "VideoMenu.h"

#include "PlayerMenu.h"
#include "core/Failure.h"
#include "core/Snapshot.h"

#include <QActionGroup>

namespace zendrix {

namespace {

// Each shape with a mnemonic of its own: digits where they are free.
const std::pair<const char*, const char*> kAspectRatios[] = {
    {"", "&Default"},    {"16:9", "1&6:9"},     {"4:3", "&4:3"},
    {"16:10", "16:1&0"}, {"2.35:1", "&2.35:1"}, {"1:1", "&1:1"},
};

const QString kSubtitleTitle = QStringLiteral("Load Subtitle File");
const QString kSubtitleFilter = QStringLiteral(
    "Subtitle Files (*.srt,*.ass,*.ssa,*.sub,*.vtt)|*.srt;*.ass;*.ssa;*.sub;*.vtt|All Files (*.*)|*.*");

// A checkable item of an exclusive group.
QAction* addChoice(QMenu& menu, QActionGroup& group, const QString& caption, bool checked)
{
    QAction* action = menu.addAction(caption);
    action->setCheckable(true);
    action->setChecked(checked);
    group.addAction(action);
    return action;
}

// Empties a menu of choices filled afresh at each opening.
void clear(QMenu& menu, QActionGroup& group)
{
    for (QAction* action : group.actions())
        group.removeAction(action);
    menu.clear();
}

} // namespace

const QStringList& VideoMenu::aspectRatios()
{
    static const QStringList ratios = [] {
        QStringList list;
        for (const auto& [ratio, caption] : kAspectRatios)
            list << QString::fromLatin1(ratio);
        return list;
    }();
    return ratios;
}

VideoMenu::VideoMenu(QMenu& menu, QMenu& audioMenu, MediaEngine& engine, MessageBoxes& messages,
                     FileDialogs& dialogs)
    : QObject(&menu), m_menu(menu), m_engine(engine), m_messages(messages), m_dialogs(dialogs)
{
    // The Audio menu holds the track menu: an item of sound alone, with no picture to grey the Video menu
    // for, may have tracks to choose from too.
    mnuAudioTrack = audioMenu.addMenu(QStringLiteral("Audio &Track"));
    mnuAudioTrack->setObjectName(QStringLiteral("mnuAudioTrack"));
    m_menu.addMenu(mnuAudioTrack);
    m_audioGroup = new QActionGroup(this);
    m_subtitleGroup = new QActionGroup(this);
    mnuSubtitles = m_menu.addMenu(QStringLiteral("&Subtitles"));
    mnuSubtitles->setObjectName(QStringLiteral("mnuSubtitles"));
    mnuAspectRatio = m_menu.addMenu(QStringLiteral("&Aspect Ratio"));
    mnuAspectRatio->setObjectName(QStringLiteral("mnuAspectRatio"));
    auto* shapes = new QActionGroup(this);
    for (const auto& [ratio, caption] : kAspectRatios) {
        QAction* action = addChoice(*mnuAspectRatio, *shapes, QString::fromUtf8(caption), false);
        action->setData(QString::fromLatin1(ratio));
        connect(action, &QAction::triggered, this,
                [this, ratio = QString::fromLatin1(ratio)] { chooseAspectRatio(ratio); });
    }
    m_menu.addSeparator();
    mnuSnapshot = m_menu.addAction(QStringLiteral("Take S&napshot"), this, &VideoMenu::takeSnapshot);
    mnuSnapshot->setObjectName(QStringLiteral("mnuSnapshot"));
    mnuSnapshot->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    mnuSnapshot->setShortcutContext(Qt::ApplicationShortcut);

    connect(mnuAudioTrack, &QMenu::aboutToShow, this, &VideoMenu::fillAudioTracks);
    connect(mnuSubtitles, &QMenu::aboutToShow, this, &VideoMenu::fillSubtitles);
    connect(mnuAspectRatio, &QMenu::aboutToShow, this, &VideoMenu::showAspectRatio);
    connect(&m_engine, &MediaEngine::TracksChange, this, &VideoMenu::showState);
    connect(&m_engine, &MediaEngine::SnapshotFailed, this,
            [this](const QString& description) { reportFailure(m_messages, description); });
    showState();
}

void VideoMenu::showState()
{
    bool picture = false;
    int audioTracks = 0;
    try {
        picture = m_engine.video().hasVideo();
        audioTracks = int(m_engine.video().audioTracks().size());
    } catch (const Failure&) {
        // An engine that cannot tell shows nothing to choose.
    }
    m_menu.setEnabled(picture);
    mnuSnapshot->setEnabled(picture);
    mnuAudioTrack->setEnabled(audioTracks > 1);
}

void VideoMenu::fillAudioTracks()
{
    clear(*mnuAudioTrack, *m_audioGroup);
    const EngineVideo& video = m_engine.video();
    const QList<EngineVideo::Track> tracks = video.audioTracks();
    QStringList names;
    for (const EngineVideo::Track& track : tracks)
        names << track.name;
    const QStringList captions = withMnemonics(names, QString());
    for (qsizetype i = 0; i < tracks.size(); ++i) {
        const int id = tracks[i].id;
        QAction* action = addChoice(*mnuAudioTrack, *m_audioGroup, captions[i], id == video.audioTrack());
        connect(action, &QAction::triggered, this, [this, id] { chooseAudioTrack(id); });
    }
}

void VideoMenu::fillSubtitles()
{
    clear(*mnuSubtitles, *m_subtitleGroup);
    const EngineVideo& video = m_engine.video();
    const QList<EngineVideo::Track> tracks = video.subtitleTracks();
    QAction* off = addChoice(*mnuSubtitles, *m_subtitleGroup, QStringLiteral("&Off"),
                             video.subtitleTrack() == EngineVideo::kNone);
    connect(off, &QAction::triggered, this, [this] { chooseSubtitles(EngineVideo::kNone); });
    QStringList names;
    for (const EngineVideo::Track& track : tracks)
        names << track.name;
    const QStringList captions = withMnemonics(names, QStringLiteral("ol"));
    for (qsizetype i = 0; i < tracks.size(); ++i) {
        const int id = tracks[i].id;
        QAction* action =
            addChoice(*mnuSubtitles, *m_subtitleGroup, captions[i], id == video.subtitleTrack());
        connect(action, &QAction::triggered, this, [this, id] { chooseSubtitles(id); });
    }
    mnuSubtitles->addSeparator();
    mnuSubtitles->addAction(QStringLiteral("&Load Subtitle File\u2026"), this, &VideoMenu::loadSubtitleFile);
}

void VideoMenu::showAspectRatio()
{
    const QString ratio = m_engine.video().aspectRatio();
    for (QAction* action : mnuAspectRatio->actions())
        action->setChecked(action->data().toString() == ratio);
}

void VideoMenu::chooseAudioTrack(int id)
{
    m_engine.video().setAudioTrack(id);
}

void VideoMenu::chooseSubtitles(int id)
{
    m_engine.video().setSubtitleTrack(id);
}

void VideoMenu::loadSubtitleFile()
{
    const QString file = m_dialogs.open(kSubtitleTitle, kSubtitleFilter);
    if (!file.isEmpty())
        m_engine.video().addSubtitleFile(file);
}

void VideoMenu::chooseAspectRatio(const QString& ratio)
{
    m_engine.video().setAspectRatio(ratio);
}

void VideoMenu::takeSnapshot()
{
    try {
        if (!m_engine.video().hasVideo())
            return;
        const QString name =
            snapshotBaseName(m_engine.currentMedia().name(), m_engine.controls().currentPosition());
        m_engine.video().takeSnapshot(snapshotFolder(), name);
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

} // namespace zendrix
