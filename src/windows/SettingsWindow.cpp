#include "SettingsWindow.h"

#include "core/Failure.h"
#include "core/modINI.h"

#include <QCloseEvent>
#include <QEventLoop>

namespace zendrix {

namespace {

const QString kSection = QStringLiteral("Skin");
const QString kKey = QStringLiteral("Skin");

// What reading a value back gives when the write succeeded: the store keeps a value on one line and
// hands it back without blanks around it, cut to 254 characters.
QString storedForm(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value.trimmed().left(254);
}

}  // namespace

SettingsWindow::SettingsWindow(SkinTargets& targets, MessageBoxes& messages, ProgramExit& exit,
                               FileDialogs& dialogs, Shell& shell)
    : Form(layouts::frmSettings().window, Kind::Secondary), m_targets(targets), m_messages(messages),
      m_exit(exit), m_dialogs(dialogs), m_shell(shell)
{
    const layouts::SettingsWindow& layout = layouts::frmSettings();
    imgBack = new ImageBox(this, layout.imgBack.rect, ImageBox::Fit::Stretch);
    imgBack->setObjectName(layout.imgBack.name);
    new BoundLabel(this, layout.lblSettings);
    cmdExit = makeButton(this, layout.cmdExit);
    new BoundLabel(this, layout.lblSkin);
    lstSkin = new QListWidget(this);
    lstSkin->setObjectName(layout.lstSkin.name);
    lstSkin->setAccessibleName(layout.lstSkin.accessibleName);
    lstSkin->setGeometry(layout.lstSkin.rect);
    lstSkin->setFont(layoutFont(layout.lstSkin.font));
    lstSkin->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdOk = makeButton(this, layout.cmdOk);
    cmdCancel = makeButton(this, layout.cmdCancel);
    connect(cmdOk, &SkinButton::Click, this, &SettingsWindow::cmdOk_Click);
    connect(cmdCancel, &SkinButton::Click, this, &SettingsWindow::cmdCancel_Click);
    connect(cmdExit, &SkinButton::Click, this, &SettingsWindow::cmdExit_Click);

    fillSkinList(configuredSkin());
    setUpSkinMenu();
    setDropped([this](const QStringList& paths) { installSkins(paths); });
}

void SettingsWindow::cmdOk_Click()
{
    try {
        if (m_messages.show(QStringLiteral("Are you sure you want to start the changes you made?"),
                            MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::No)
            return;
        // The current row, not the selection: a single-choice list always has one, as the user sees it.
        const QListWidgetItem* chosen = lstSkin->currentItem();
        const QString name = chosen ? chosen->text() : QString();
        WriteINI(ConfigPath, kSection, kKey, name);
        // The store is silent when it cannot write; applying now would reload the old skin and call
        // that a success. Say so instead and leave the window open.
        if (ReadINI(ConfigPath, kSection, kKey, QString()) != storedForm(name))
            throw Failure(QStringLiteral("The setting could not be saved to '%1'").arg(ConfigPath));
        if (!LoadSkin(m_targets, m_messages, m_exit))
            return;  // the program has been told to end
        m_messages.show(QStringLiteral("Changes saved successfully"), MessageIcon::Information,
                        MessageButtons::Ok);
        closeWindow();
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

void SettingsWindow::askToClose(const QString& question)
{
    try {
        if (m_messages.show(question, MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes)
            closeWindow();
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

void SettingsWindow::cmdCancel_Click()
{
    askToClose(QStringLiteral("If you made changes, they won't be saved.\r\n"
                              "Are you sure you want to quit from the settings window?"));
}

void SettingsWindow::cmdExit_Click()
{
    askToClose(QStringLiteral("If you made changes, they won't be saved if you close the window.\r\n"
                              "Are you sure you want to close the settings window?"));
}

void SettingsWindow::closeWindow()
{
    if (m_closed)
        return;
    m_closed = true;
    hide();
    Q_EMIT closed();
}

void SettingsWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    closeWindow();
}

void SettingsWindow::exec()
{
    if (m_closed)
        return;
    QEventLoop loop;
    connect(this, &SettingsWindow::closed, &loop, &QEventLoop::quit);
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    if (!m_closed)
        loop.exec(QEventLoop::DialogExec);
}

}  // namespace zendrix
