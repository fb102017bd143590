#include "QtHost.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
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
        keepTitleWhole(box);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    keepTitleWhole(box);
    box.exec();
    return MessageAnswer::Ok;
}

int titleBarWidth(const QString& title)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    // Beside the title, a frame keeps room for its buttons (close, and often minimise and maximise) and
    // its edges: some ten lines' height on the common desktops.
    return metrics.horizontalAdvance(title) + 10 * metrics.height();
}

void keepTitleWhole(QMessageBox& box)
{
    // The box sizes itself to its contents when shown, and a short message makes it narrower than its
    // own title. A spacer across the box's grid sets the least width; the box may still grow past it.
    // (Setting the texts and icon lays the grid out anew, so this comes after them.)
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(
        new QSpacerItem(titleBarWidth(box.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
        grid->rowCount(), 0, 1, grid->columnCount());
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
    if (!m_passedOver->isVisible())
        keepTitleWhole(*m_passedOver);
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

enum class Picks { One, Several };

// Shows a dialog in `folder` (when it still is one) and makes the chosen file's folder the next one.
QStringList runDialog(QFileDialog& dialog, const QString& filter, QFileDialog::AcceptMode mode, Picks picks,
                      QString& folder)
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
    QFileDialog dialog(nullptr, title);
    return runDialog(dialog, filter, QFileDialog::AcceptOpen, Picks::One, m_folder).value(0);
}

QString QtFileDialogs::save(const QString& title, const QString& filter)
{
    QFileDialog dialog(nullptr, title);
    return runDialog(dialog, filter, QFileDialog::AcceptSave, Picks::One, m_folder).value(0);
}

QStringList QtFileDialogs::openSeveral(const QString& title, const QString& filter)
{
    QFileDialog dialog(nullptr, title);
    return runDialog(dialog, filter, QFileDialog::AcceptOpen, Picks::Several, m_folder);
}

QString QtFileDialogs::openFileOrFolder(const QString& title, const QString& filter)
{
    FileOrFolderDialog dialog(nullptr, title);
    // The desktop's own dialog would not ask the accept() above.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    return runDialog(dialog, filter, QFileDialog::AcceptOpen, Picks::One, m_folder).value(0);
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
