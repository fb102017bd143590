#include "AboutWindow.h"

#include "core/InstallInfo.h"
#include "layouts/Layouts.h"
#include "platform/Picture.h"
#include "platform/ProgramSearch.h"

#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendrix {

namespace {
const QString kApplicationTitle = QStringLiteral("Zendrix");
constexpr int kIconSize = 48;
constexpr int kTextWidth = 300;
}  // namespace

const QStringList SysInfoSources::kWellKnownPrograms = {
    QStringLiteral("hardinfo2"),           QStringLiteral("hardinfo"),
    QStringLiteral("kinfocenter"),         QStringLiteral("gnome-system-monitor"),
    QStringLiteral("mate-system-monitor"), QStringLiteral("xfce4-taskmanager"),
};
const QString SysInfoSources::kFolder = QStringLiteral("/usr/local/share/Quarrymoor Software/SysInfo");
const QString SysInfoSources::kProgram = QStringLiteral("sysinfo");

QString findSysInfo(const SysInfoSources& sources)
{
    const QString searchPath = sources.searchPath ? sources.searchPath() : QString();
    for (const QString& name : sources.programs) {
        const QString found = findProgramOnPath(name, searchPath);
        if (!found.isEmpty())
            return found;
    }
    if (sources.folder.isEmpty() || sources.program.isEmpty())
        return {};
    const QString fallback = QDir(sources.folder).filePath(sources.program);
    return isExecutableFile(fallback) ? fallback : QString();
}

void StartSysInfo(const SysInfoSources& sources, Shell& shell, MessageBoxes& messages)
{
    const QString program = findSysInfo(sources);
    if (!program.isEmpty() && shell.startProgram(program))
        return;
    messages.show(QStringLiteral("System Information Is Unavailable At This Time"), MessageIcon::None,
                  MessageButtons::Ok);
}

AboutWindow::AboutWindow(Shell& shell, MessageBoxes& messages, SysInfoSources sources, QWidget* parent)
    : QDialog(parent), m_shell(shell), m_messages(messages), m_sources(std::move(sources))
{
    const layouts::AboutWindow& layout = layouts::frmAbout();
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + kApplicationTitle);
    setAccessibleName(windowTitle());
    setModal(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setFixedSize(kIconSize, kIconSize);
    picIcon->setAlignment(Qt::AlignCenter);
    // The icon is a design asset; without it the place stays empty.
    if (const auto icon = Picture::load(layout.picIcon)) {
        picIcon->setPixmap(QPixmap::fromImage(
            icon->image().scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }

    lblTitle = new QLabel(kApplicationTitle, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(
        QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription = new QLabel(layout.description, this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDisclaimer = new QLabel(layout.disclaimer, this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setFixedWidth(kTextWidth);
    for (QLabel* label : {lblTitle, lblVersion, lblDescription, lblDisclaimer})
        label->setTextFormat(Qt::PlainText);

    cmdOK = new QPushButton(QStringLiteral("Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Information..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutWindow::cmdSysInfo_Click);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    // Icon beside the title block; a rule; the notice beside the two buttons, which sit at the bottom.
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(lblDescription);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picIcon, 0, 0, Qt::AlignTop);
    grid->addLayout(texts, 0, 1, 1, 2);
    grid->addWidget(rule, 1, 0, 1, 3);
    grid->addWidget(lblDisclaimer, 2, 0, 1, 2, Qt::AlignTop);
    grid->addLayout(buttons, 2, 2);
}

void AboutWindow::cmdOK_Click()
{
    accept();
}

void AboutWindow::cmdSysInfo_Click()
{
    StartSysInfo(m_sources, m_shell, m_messages);
}

}  // namespace zendrix
