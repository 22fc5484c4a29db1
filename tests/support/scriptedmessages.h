#pragma once
// The scripted message service: answers each message box and dialog from a script and records
// every call, so that tests check exact texts, styles and titles. A call the script did not
// expect is noted in problems() and answered with OK / No / cancel.

#include "platform/messages.h"
#include "printers.h"

#include <QList>
#include <QStringList>

struct MessageCall {
    QString kind;   // "MsgBox", "InputBox", "Open", "Save"
    QString prompt; // the prompt, or the dialog's filter
    int style = 0;
    QString title;
    QString folder; // the dialog's starting folder
};

class ScriptedMessages final : public MessageService {
public:
    ScriptedMessages() : previous_(setMessages(this)) {}
    ~ScriptedMessages() override { setMessages(previous_); }

    // The next call is a message box with exactly this prompt, style and title, answered so.
    ScriptedMessages& expectMsgBox(const QString& prompt, int style, const QString& title, int answer = vbOK);
    // The next call is the Open (Save) dialog, answered with this DOS path ("" = cancelled).
    ScriptedMessages& expectOpenDialog(const QString& answer) {
        return expect(QStringLiteral("Open"), answer);
    }
    ScriptedMessages& expectSaveDialog(const QString& answer) {
        return expect(QStringLiteral("Save"), answer);
    }
    // The next call is an input box, answered with this text ("" = cancelled).
    ScriptedMessages& expectInputBox(const QString& answer) {
        return expect(QStringLiteral("InputBox"), answer);
    }

    int msgBox(const QString& prompt, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString&) override;
    QString showOpenDialog(const QString& filter, const QString& title, const QString& folder) override;
    QString showSaveDialog(const QString& filter, const QString& title, const QString& folder) override;

    const QList<MessageCall>& calls() const { return calls_; }
    // Calls that did not match the script and steps that never came; empty when all went to script.
    QStringList problems() const;

private:
    struct Step {
        MessageCall call;
        QString text; // the answer of a dialog
        int code = 0; // the answer of a message box
    };
    ScriptedMessages& expect(const QString& kind, const QString& answer);
    std::optional<Step> take(const MessageCall& call);
    QList<MessageCall> calls_;
    QList<Step> script_;
    QStringList unexpected_;
    MessageService* previous_;
};
