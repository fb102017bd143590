#include "PlayerMenu.h"

#include "EqualizerWindow.h"
#include "Program.h"
#include "TitleStrip.h"
#include "VideoMenu.h"
#include "core/Failure.h"
#include "core/Player.h"
#include "core/SoundSettings.h"
#include "core/SwitchSetting.h"

#include <QActionGroup>

namespace zendrix {

namespace {

struct Speed
{
    double rate;
    const char* caption;
};
// The digits make mnemonics of their own: "1.2&5x" since 1 and 2 open faster speeds.
const Speed kSpeeds[] = {{0.5, "&0.5\u00d7"},   {0.75, "0.&75\u00d7"}, {1.0, "&Normal"},
                         {1.25, "1.2&5\u00d7"}, {1.5, "&1.5\u00d7"},   {2.0, "&2\u00d7"}};

const std::pair<EngineAudio::ReplayGain, const char*> kReplayGainModes[] = {
    {EngineAudio::ReplayGain::Off, "&Off"},
    {EngineAudio::ReplayGain::Track, "&Track"},
    {EngineAudio::ReplayGain::Album, "&Album"},
};

QActionGroup* exclusiveGroup(QObject* parent)
{
    auto* group = new QActionGroup(parent);
    group->setExclusive(true);
    return group;
}

} // namespace

const QList<double>& PlayerMenu::speeds()
{
    static const QList<double> rates = [] {
        QList<double> list;
        for (const Speed& speed : kSpeeds)
            list << speed.rate;
        return list;
    }();
    return rates;
}

QStringList withMnemonics(const QStringList& names, QString taken)
{
    taken = taken.toLower();
    QStringList captions;
    for (const QString& name : names) {
        QString caption = name;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar c = caption.at(i);
            if (c.isLetterOrNumber() && !taken.contains(c.toLower())) {
                taken.append(c.toLower());
                caption.insert(i, QLatin1Char('&'));
                break;
            }
        }
        captions << caption;
    }
    return captions;
}

PlayerMenu::PlayerMenu(Program& program) : m_program(program)
{
    mnuPlayer.setObjectName(QStringLiteral("mnuPlayer"));
    mnuPlayer.setTitle(QStringLiteral("Zendrix"));
    mnuPlayer.setAccessibleName(QStringLiteral("Player"));

    mnuOpenUrl = mnuPlayer.addAction(QStringLiteral("Open &URL\u2026"), this, &PlayerMenu::mnuOpenUrl_Click);
    mnuOpenUrl->setObjectName(QStringLiteral("mnuOpenUrl"));
    mnuOpenUrl->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuPlayer.addSeparator();

    mnuAudio = mnuPlayer.addMenu(QStringLiteral("&Audio"));
    mnuAudio->setObjectName(QStringLiteral("mnuAudio"));
    mnuEqualizer =
        mnuAudio->addAction(QStringLiteral("&Equalizer\u2026"), this, &PlayerMenu::mnuEqualizer_Click);
    mnuEqualizer->setObjectName(QStringLiteral("mnuEqualizer"));
    mnuEqualizer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuReplayGain = mnuAudio->addMenu(QStringLiteral("&ReplayGain"));
    mnuReplayGain->setObjectName(QStringLiteral("mnuReplayGain"));
    m_replayGainGroup = exclusiveGroup(this);
    for (const auto& [mode, caption] : kReplayGainModes) {
        QAction* action = mnuReplayGain->addAction(QString::fromUtf8(caption));
        action->setCheckable(true);
        action->setData(int(mode));
        m_replayGainGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode = mode] { chooseReplayGain(mode); });
    }
    mnuDevice = mnuAudio->addMenu(QStringLiteral("Output &Device"));
    mnuDevice->setObjectName(QStringLiteral("mnuDevice"));
    m_deviceGroup = exclusiveGroup(this);

    mnuVideo = mnuPlayer.addMenu(QStringLiteral("&Video"));
    mnuVideo->setObjectName(QStringLiteral("mnuVideo"));
    video = new VideoMenu(*mnuVideo, *mnuAudio, m_program.wmp(), m_program.messages(), m_program.dialogs());

    mnuSpeed = mnuPlayer.addMenu(QStringLiteral("&Speed"));
    mnuSpeed->setObjectName(QStringLiteral("mnuSpeed"));
    m_speedGroup = exclusiveGroup(this);
    for (const Speed& speed : kSpeeds) {
        QAction* action = mnuSpeed->addAction(QString::fromUtf8(speed.caption));
        action->setCheckable(true);
        action->setData(speed.rate);
        m_speedGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, rate = speed.rate] { chooseSpeed(rate); });
    }

    mnuPlayer.addSeparator();
    m_optionsEnd = mnuPlayer.addSeparator();
    // An empty place for the options shows no second line.
    m_optionsEnd->setVisible(false);
    mnuAbout = mnuPlayer.addAction(QStringLiteral("A&bout"), this, &PlayerMenu::mnuAbout_Click);
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    mnuExit = mnuPlayer.addAction(QStringLiteral("E&xit"), this, &PlayerMenu::mnuExit_Click);
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    for (QAction* action : {mnuOpenUrl, mnuEqualizer})
        action->setShortcutContext(Qt::ApplicationShortcut);
    connect(&mnuPlayer, &QMenu::aboutToShow, this, &PlayerMenu::showChecks);
    connect(mnuAudio, &QMenu::aboutToShow, this, &PlayerMenu::showChecks);
    connect(mnuDevice, &QMenu::aboutToShow, this, [this] {
        fillDevices();
        // The list is asked for again; a new one fills the menu while it shows.
        m_program.wmp().audio().refreshOutputDevices();
    });
    connect(&m_program.wmp(), &MediaEngine::OutputDevicesChange, this, [this] {
        if (mnuDevice->isVisible())
            fillDevices();
    });
}

void PlayerMenu::popup(const QPoint& globalPosition)
{
    if (mnuPlayer.isVisible())
        return;
    mnuPlayer.popup(globalPosition);
}

void PlayerMenu::addToggle(QAction* action)
{
    mnuPlayer.insertAction(m_optionsEnd, action);
    m_optionsEnd->setVisible(true);
}

QAction* PlayerMenu::addOption(const QString& caption, SwitchSetting& setting)
{
    auto* action = new QAction(caption, this);
    action->setCheckable(true);
    action->setChecked(setting.isOn());
    connect(action, &QAction::triggered, this, [&setting](bool on) { setting.store(on); });
    connect(&mnuPlayer, &QMenu::aboutToShow, action,
            [action, &setting] { action->setChecked(setting.isOn()); });
    addToggle(action);
    return action;
}

void PlayerMenu::showChecks()
{
    video->showState();
    const double speed = m_program.player().speed();
    for (QAction* action : m_speedGroup->actions())
        action->setChecked(action->data().toDouble() == speed);
    const EngineAudio::ReplayGain mode = m_program.wmp().audio().replayGain();
    for (QAction* action : m_replayGainGroup->actions())
        action->setChecked(action->data().toInt() == int(mode));
}

void PlayerMenu::fillDevices()
{
    mnuDevice->clear();
    for (QAction* action : m_deviceGroup->actions())
        m_deviceGroup->removeAction(action);
    const EngineAudio& audio = m_program.wmp().audio();
    const QList<EngineAudio::OutputDevice> devices = audio.outputDevices();
    const QString current = audio.outputDevice();
    QStringList names;
    for (const EngineAudio::OutputDevice& device : devices)
        names << device.description;
    const QStringList captions = withMnemonics(names, QStringLiteral("d"));
    const auto add = [&](const QString& caption, const QString& id) {
        QAction* action = mnuDevice->addAction(caption);
        action->setCheckable(true);
        action->setChecked(id == current);
        m_deviceGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, id] { chooseOutputDevice(id); });
    };
    add(QStringLiteral("&Default"), QString());
    for (qsizetype i = 0; i < devices.size(); ++i)
        add(captions.at(i), devices.at(i).id);
}

void PlayerMenu::mnuOpenUrl_Click()
{
    const QString address = m_program.addresses().openAddress();
    if (!address.isEmpty())
        m_program.player().openAddress(address);
}

void PlayerMenu::mnuEqualizer_Click()
{
    m_program.showEqualizer();
}

void PlayerMenu::chooseReplayGain(EngineAudio::ReplayGain mode)
{
    m_program.wmp().audio().setReplayGain(mode);
    writeReplayGain(mode);
}

void PlayerMenu::chooseOutputDevice(const QString& id)
{
    m_program.wmp().audio().setOutputDevice(id);
    writeOutputDevice(id);
}

void PlayerMenu::chooseSpeed(double speed)
{
    m_program.player().setSpeed(speed);
}

void PlayerMenu::mnuAbout_Click()
{
    m_program.frmTitle().cmdAbout_Click();
}

void PlayerMenu::mnuExit_Click()
{
    m_program.frmTitle().cmdExit_Click();
}

} // namespace zendrix
