#pragma once

// Scripted stand-ins for the desktop services: they record what the program asked and answer from a
// script the test sets up.
#include "core/Host.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace zendrix::testing {

struct ShownMessage
{
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

class FakeMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(const QString& text, MessageIcon icon, MessageButtons buttons) override
    {
        shown.push_back({text, icon, buttons});
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers.empty())
            return MessageAnswer::No;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QStringList texts() const
    {
        QStringList result;
        for (const ShownMessage& message : shown)
            result.append(message.text);
        return result;
    }

    void reportPassedOver(const QString& description) override { passedOver.append(description); }

    std::vector<ShownMessage> shown;
    std::deque<MessageAnswer> answers;  // for Yes/No questions; No when none is left
    QStringList passedOver;             // failures reported without waiting, in order
};

struct DialogRequest
{
    enum Kind { Open, Save, OpenSeveral, OpenFileOrFolder } kind;
    QString title;
    QString filter;
};

class FakeFileDialogs : public FileDialogs
{
public:
    QString open(const QString& title, const QString& filter) override { return answer({DialogRequest::Open, title, filter}); }
    QString save(const QString& title, const QString& filter) override { return answer({DialogRequest::Save, title, filter}); }
    // Answers from `severalAnswers` first; when none is scripted there, from `answers` as one file.
    QStringList openSeveral(const QString& title, const QString& filter) override
    {
        if (severalAnswers.empty()) {
            const QString one = answer({DialogRequest::OpenSeveral, title, filter});
            return one.isEmpty() ? QStringList() : QStringList{one};
        }
        requests.push_back({DialogRequest::OpenSeveral, title, filter});
        QStringList paths = severalAnswers.front();
        severalAnswers.pop_front();
        return paths;
    }
    QString openFileOrFolder(const QString& title, const QString& filter) override
    {
        return answer({DialogRequest::OpenFileOrFolder, title, filter});
    }

    std::vector<DialogRequest> requests;
    std::deque<QString> answers;  // the chosen paths; "" (cancel) when none is left
    std::deque<QStringList> severalAnswers;

private:
    QString answer(DialogRequest request)
    {
        requests.push_back(std::move(request));
        if (answers.empty())
            return {};
        QString path = answers.front();
        answers.pop_front();
        return path;
    }
};

class FakeAddressDialogs : public AddressDialogs
{
public:
    QString openAddress() override
    {
        ++asked;
        if (answers.empty())
            return {};
        QString address = answers.front();
        answers.pop_front();
        return address;
    }
    int asked = 0;
    std::deque<QString> answers; // the addresses taken; "" (cancel) when none is left
};

class FakeProgramExit : public ProgramExit
{
public:
    void endNow() override { ++ended; }
    int ended = 0;
};

class FakeShell : public Shell
{
public:
    bool openDocument(const QString& pathOrAddress) override
    {
        opened.append(pathOrAddress);
        return openResult;
    }
    bool startProgram(const QString& path) override
    {
        started.append(path);
        return startResult;
    }
    QStringList opened;
    QStringList started;
    bool openResult = true;
    bool startResult = true;
};

}  // namespace zendrix::testing
