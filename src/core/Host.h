#pragma once

#include <QString>
#include <QStringList>

namespace zendrix {

// What the windows ask of the desktop: message boxes, file dialogs, opening documents and ending the
// program. Production code uses the Qt implementations of src/windows; tests pass fakes that record what
// was asked and answer from a script.

enum class MessageIcon { None, Critical, Question, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // A modal message box titled with the application's title ("Zendrix").
    virtual MessageAnswer show(const QString& text, MessageIcon icon, MessageButtons buttons) = 0;
    // A failure the program passes over and goes on from, such as a list entry that cannot be played on
    // the way to the next: "Error!", CR LF and the description, with the critical icon and an OK button,
    // in a box that does not hold the windows back; the call returns at once. While that box still shows,
    // a further failure adds its description to it as a line of its own instead of opening another box.
    virtual void reportPassedOver(const QString& description) = 0;
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // `filter` alternates descriptions and pattern lists separated by "|", as in
    // "Zendrix Playlist Files (*.zdx)|*.zdx". The chosen full path, or "" when the user cancelled.
    // No extension is added to a typed name; the open dialog does not require the file to exist and the
    // save dialog does not ask before replacing one.
    virtual QString open(const QString& title, const QString& filter) = 0;
    virtual QString save(const QString& title, const QString& filter) = 0;
    // The open dialog that lets the user pick several files at once: their full paths in the dialog's
    // order, empty when the user cancelled. One file is picked exactly as with open().
    virtual QStringList openSeveral(const QString& title, const QString& filter) = 0;
    // An open dialog that chooses an existing file or a folder: Open on a selected folder chooses it, a
    // double click enters it. The full path, or "" when the user cancelled.
    virtual QString openFileOrFolder(const QString& title, const QString& filter) = 0;
};

class AddressDialogs
{
public:
    virtual ~AddressDialogs() = default;
    // Asks for the address of a stream or a file in a dialog titled "Open URL", which takes only what
    // checkOpenAddress (OpenAddress.h) takes and says why it refuses the rest. The address taken, or ""
    // when the user cancelled.
    virtual QString openAddress() = 0;
};

class ProgramExit
{
public:
    virtual ~ProgramExit() = default;
    // Ends the program at once: no window's closing handling runs and nothing more is written. A fake
    // returns, so callers return straight after calling it.
    virtual void endNow() = 0;
};

class Shell
{
public:
    virtual ~Shell() = default;
    // Opens a document or an address with the desktop's default application. Failures are the caller's
    // to ignore: the result only says whether the desktop took the request.
    virtual bool openDocument(const QString& pathOrAddress) = 0;
    // Starts a program in a window of its own, not waiting for it. False when it could not be started.
    virtual bool startProgram(const QString& path) = 0;
};

// "Error!", CR LF and the failure's description: the text of every guarded handler's message.
inline QString errorText(const QString& description)
{
    return QStringLiteral("Error!\r\n") + description;
}

// How a guarded handler reports the failure that stopped it: errorText in a message box with the
// critical icon and an OK button.
inline void reportFailure(MessageBoxes& messages, const QString& description)
{
    messages.show(errorText(description), MessageIcon::Critical, MessageButtons::Ok);
}

}  // namespace zendrix
