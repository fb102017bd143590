#pragma once

#include "core/Host.h"

#include <QMessageBox>
#include <QPointer>
#include <QStringList>

class QMessageBox;

namespace zendrix {

// The desktop's side of the host interfaces: Qt message boxes titled "Zendrix", Qt file dialogs, the
// default application through xdg-open, and an immediate end of the process.

class QtMessageBoxes : public MessageBoxes
{
public:
    ~QtMessageBoxes() override;
    MessageAnswer show(const QString& text, MessageIcon icon, MessageButtons buttons) override;
    // The box names the first kMaxPassedOverLines failures, then counts the rest.
    void reportPassedOver(const QString& description) override;
    static constexpr int kMaxPassedOverLines = 20;

private:
    QPointer<QMessageBox> m_passedOver;
    QStringList m_passedOverLines;
    int m_passedOverMore = 0;
};

// Every dialog opens in the folder of the file last chosen in any of them in this run, however it was
// chosen (a typed or pasted path too); the first opens where the toolkit puts it.
class QtFileDialogs : public FileDialogs
{
public:
    QString open(const QString& title, const QString& filter) override;
    QString save(const QString& title, const QString& filter) override;
    QStringList openSeveral(const QString& title, const QString& filter) override;
    QString openFileOrFolder(const QString& title, const QString& filter) override;

private:
    QString m_folder;
};

class QtProgramExit : public ProgramExit
{
public:
    [[noreturn]] void endNow() override;
};

class QtShell : public Shell
{
public:
    bool openDocument(const QString& pathOrAddress) override;
    bool startProgram(const QString& path) override;
};

// The least width of a window whose frame shows `title` whole: the title in the desktop's title font,
// and room for the frame's buttons beside it.
int titleBarWidth(const QString& title);
// Makes a message box at least that wide for its own title; a wider box stays as it is.
void keepTitleWhole(QMessageBox& box);

// "Description|*.a;*.b|..." as Qt's name filters: each description keeps its text as it stands, and the
// pattern list follows in the parentheses Qt reads ("Description (*.a *.b)"); the dialog hides that part.
QStringList qtNameFilters(const QString& filter);

}  // namespace zendrix
