#pragma once
// The scripted message service: answers each message box, input box and dialog from a script
// and records every call, so that tests check exact texts, styles and titles. A call that the
// script did not expect is recorded in unexpected() and answered with OK / No / cancel.

#include "platform/messages.h"
#include "printers.h"

#include <QList>
#include <QString>
#include <QStringList>

struct MessageCall {
    QString kind;   // "MsgBox", "InputBox", "Open", "Save"
    QString prompt; // prompt, or filter for the dialogs
    int style = 0;
    QString title;
    QString folder; // the dialogs' starting folder
    bool operator==(const MessageCall&) const = default;
};

class ScriptedMessages final : public MessageService {
public:
    ScriptedMessages();           // installs itself
    ~ScriptedMessages() override; // restores the previous service

    // Script the next call: a message box with exactly this prompt, style and title, answered
    // with answer.
    ScriptedMessages& expectMsgBox(const QString& prompt, int style, const QString& title, int answer = vbOK);
    ScriptedMessages& expectInputBox(const QString& prompt, const QString& title, const QString& answer);
    ScriptedMessages& expectOpenDialog(const QString& answer);
    ScriptedMessages& expectSaveDialog(const QString& answer);

    int msgBox(const QString& prompt, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString showOpenDialog(const QString& filter, const QString& title, const QString& folder) override;
    QString showSaveDialog(const QString& filter, const QString& title, const QString& folder) override;

    const QList<MessageCall>& calls() const { return calls_; }
    // Calls that did not match the script, and scripted steps that never came; empty when the
    // run went as scripted.
    QStringList problems() const;
    // Prompts of the message boxes shown, in order.
    QStringList prompts() const;

private:
    struct Step {
        MessageCall call;
        bool checkText;
        QString answer;
        int answerCode;
    };
    const Step* take(const MessageCall& call);
    QList<MessageCall> calls_;
    QList<Step> script_;
    Step lastStep_;
    QStringList unexpected_;
    MessageService* previous_;
};
