#include "QtHost.h"

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

// Qt's own file dialog, which also takes a folder: Open chooses the selected folder instead of entering
// it. Only a path that exists is taken.
class FileOrFolderDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (chosen.isEmpty() || !QFileInfo::exists(chosen.constFirst()))
            return;
        if (QFileInfo(chosen.constFirst()).isDir()) {
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
    }
};

// Shows a dialog in `folder` (when it still is one) and makes the chosen file's folder the next one.
QString runDialog(QFileDialog& dialog, const QString& filter, QFileDialog::AcceptMode mode, QString& folder)
{
    dialog.setAcceptMode(mode);
    // The file need not exist, a typed name keeps no added extension, and saving does not ask first.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(filter));
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    folder = chosen.absolutePath();
    return chosen.absoluteFilePath();
}
}  // namespace

QString QtFileDialogs::open(const QString& title, const QString& filter)
{
    QFileDialog dialog(nullptr, title);
    return runDialog(dialog, filter, QFileDialog::AcceptOpen, m_folder);
}

QString QtFileDialogs::save(const QString& title, const QString& filter)
{
    QFileDialog dialog(nullptr, title);
    return runDialog(dialog, filter, QFileDialog::AcceptSave, m_folder);
}

QString QtFileDialogs::openFileOrFolder(const QString& title, const QString& filter)
{
    FileOrFolderDialog dialog(nullptr, title);
    // The desktop's own dialog would not ask the accept() above.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    return runDialog(dialog, filter, QFileDialog::AcceptOpen, m_folder);
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
