#include "QtHost.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace zendrix {

namespace {
const QString kTitle = QStringLiteral("Zendrix");
}

MessageAnswer QtMessageBoxes::show(const QString& text, MessageIcon icon, MessageButtons buttons)
{
    QMessageBox box;
    box.setWindowTitle(kTitle);
    // The texts carry CR LF line breaks; Qt breaks lines at LF.
    QString shown = text;
    box.setText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

QtMessageBoxes::~QtMessageBoxes()
{
    delete m_passedOver;
}

void QtMessageBoxes::reportPassedOver(const QString& description)
{
    if (!m_passedOver) {
        m_passedOverLines.clear();
        m_passedOverMore = 0;
        m_passedOver = new QMessageBox(QMessageBox::Critical, kTitle, QString(), QMessageBox::Ok);
        m_passedOver->setAttribute(Qt::WA_DeleteOnClose);
        m_passedOver->setWindowModality(Qt::NonModal);
    }
    QString line = description;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (m_passedOverLines.size() < kMaxPassedOverLines)
        m_passedOverLines.append(line);
    else
        ++m_passedOverMore;
    QString text = QStringLiteral("Error!\n") + m_passedOverLines.join(QLatin1Char('\n'));
    if (m_passedOverMore > 0)
        text += QStringLiteral("\n... and %1 more").arg(m_passedOverMore);
    m_passedOver->setText(text);
    m_passedOver->show();
}

QStringList qtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        // "*.*" means every file, also one without a dot in its name.
        for (QString& pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        result.append(parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return result;
}

namespace {
enum class Picks { One, Several };

// Shows a dialog in `folder` (when it still is one) and makes the chosen file's folder the next one.
QStringList runDialog(const QString& title, const QString& filter, QFileDialog::AcceptMode mode, Picks picks,
                      QString& folder)
{
    QFileDialog dialog(nullptr, title);
    dialog.setAcceptMode(mode);
    // The file need not exist, a typed name keeps no added extension, and saving does not ask first.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(filter));
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    dialog.selectFile(QString());
    // Several files are picked in the dialog's own lists, which then hand all of them back; a typed
    // name still need not exist.
    if (picks == Picks::Several) {
        for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>())
            view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QStringList selected =
        picks == Picks::Several ? dialog.selectedFiles() : QStringList{dialog.selectedFiles().constFirst()};
    QStringList chosen;
    for (const QString& file : selected)
        chosen.append(QFileInfo(file).absoluteFilePath());
    folder = QFileInfo(chosen.constFirst()).absolutePath();
    return chosen;
}
}  // namespace

QString QtFileDialogs::open(const QString& title, const QString& filter)
{
    return runDialog(title, filter, QFileDialog::AcceptOpen, Picks::One, m_folder).value(0);
}

QString QtFileDialogs::save(const QString& title, const QString& filter)
{
    return runDialog(title, filter, QFileDialog::AcceptSave, Picks::One, m_folder).value(0);
}

QStringList QtFileDialogs::openSeveral(const QString& title, const QString& filter)
{
    return runDialog(title, filter, QFileDialog::AcceptOpen, Picks::Several, m_folder);
}

void QtProgramExit::endNow()
{
    std::fflush(nullptr);
    std::_Exit(0);
}

bool QtShell::openDocument(const QString& pathOrAddress)
{
    const QUrl url = QFileInfo(pathOrAddress).isAbsolute() ? QUrl::fromLocalFile(pathOrAddress)
                                                            : QUrl::fromUserInput(pathOrAddress);
    return QDesktopServices::openUrl(url);
}

bool QtShell::startProgram(const QString& path)
{
    return QProcess::startDetached(path, {});
}

}  // namespace zendrix
