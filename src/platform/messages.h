#pragma once
// Every message box, input box and file dialog of the program goes through one MessageService.
// The windows install the Qt version; tests install a scripted one that answers and records.

#include <QString>

enum MsgStyle { vbOKOnly = 0, vbYesNo = 4, vbCritical = 16 };
enum MsgAnswer { vbOK = 1, vbYes = 6, vbNo = 7 };

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    // The text typed, or an empty text when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // filter is "Description|pattern" pairs; folder and the result are DOS paths; "" when cancelled.
    virtual QString showOpenDialog(const QString& filter, const QString& title, const QString& folder) = 0;
    virtual QString showSaveDialog(const QString& filter, const QString& title, const QString& folder) = 0;
};

// Answers every message box with OK, or No when it asks a question, and cancels every input box
// and dialog, showing nothing: for runs that nobody watches (benchmarks, fuzzing).
class SilentMessages : public MessageService {
public:
    int msgBox(const QString&, int style, const QString&) override { return (style & 7) == vbYesNo ? vbNo : vbOK; }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString showOpenDialog(const QString&, const QString&, const QString&) override { return {}; }
    QString showSaveDialog(const QString&, const QString&, const QString&) override { return {}; }
};

// The service in use. Without one installed, messages go to stderr and are answered as
// SilentMessages answers them.
MessageService& messages();
// Installs service (not owned); nullptr restores the default. Returns the previous one.
MessageService* setMessages(MessageService* service);

// The program's title, which message boxes without a title of their own pass.
inline const QString AppTitle = QStringLiteral("Vorlak Verivuze Dadeve");

inline int MsgBox(const QString& prompt, int style, const QString& title) {
    return messages().msgBox(prompt, style, title);
}

// CR LF, the line break inside message prompts.
inline const QString vbCrLf = QStringLiteral("\r\n");

// The DOS path of a host file the user picked or dropped; "" after saying "This file is outside
// every drive: " & hostPath, since a playlist could not name it.
QString DosPathOrReport(const QString& hostPath);

// Lets pending window events run once.
void DoEvents();
