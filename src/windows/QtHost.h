#pragma once

#include "core/Host.h"

#include <QStringList>

namespace zendrix {

// The desktop's side of the host interfaces: Qt message boxes titled "Zendrix", Qt file dialogs, the
// default application through xdg-open, and an immediate end of the process.

class QtMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(const QString& text, MessageIcon icon, MessageButtons buttons) override;
};

// Every dialog opens in the folder of the file last chosen in any of them in this run, however it was
// chosen (a typed or pasted path too); the first opens where the toolkit puts it.
class QtFileDialogs : public FileDialogs
{
public:
    QString open(const QString& title, const QString& filter) override;
    QString save(const QString& title, const QString& filter) override;
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

// "Description|*.a;*.b|..." as Qt's name filters: each description keeps its text as it stands, and the
// pattern list follows in the parentheses Qt reads ("Description (*.a *.b)"); the dialog hides that part.
QStringList qtNameFilters(const QString& filter);

}  // namespace zendrix
