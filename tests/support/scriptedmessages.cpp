#include "scriptedmessages.h"

ScriptedMessages::ScriptedMessages() : previous_(setMessages(this)) {}
ScriptedMessages::~ScriptedMessages() {
    setMessages(previous_);
}

ScriptedMessages& ScriptedMessages::expectMsgBox(const QString& prompt, int style, const QString& title,
                                                 int answer) {
    script_.append({{QStringLiteral("MsgBox"), prompt, style, title, {}}, true, {}, answer});
    return *this;
}

ScriptedMessages& ScriptedMessages::expectInputBox(const QString& prompt, const QString& title,
                                                   const QString& answer) {
    script_.append({{QStringLiteral("InputBox"), prompt, 0, title, {}}, true, answer, 0});
    return *this;
}

ScriptedMessages& ScriptedMessages::expectOpenDialog(const QString& answer) {
    script_.append({{QStringLiteral("Open"), {}, 0, {}, {}}, false, answer, 0});
    return *this;
}

ScriptedMessages& ScriptedMessages::expectSaveDialog(const QString& answer) {
    script_.append({{QStringLiteral("Save"), {}, 0, {}, {}}, false, answer, 0});
    return *this;
}

const ScriptedMessages::Step* ScriptedMessages::take(const MessageCall& call) {
    calls_.append(call);
    auto describe = [](const MessageCall& c) {
        return QStringLiteral("%1(\"%2\", %3, \"%4\")").arg(c.kind, c.prompt).arg(c.style).arg(c.title);
    };
    if (script_.isEmpty()) {
        unexpected_.append(QStringLiteral("unexpected ") + describe(call));
        return nullptr;
    }
    const Step& step = script_.first();
    const bool kindOk = step.call.kind == call.kind;
    const bool textOk = !step.checkText || (step.call.prompt == call.prompt &&
                                            step.call.style == call.style && step.call.title == call.title);
    if (!kindOk || !textOk) {
        unexpected_.append(QStringLiteral("expected ") + describe(step.call) + QStringLiteral(" but got ") +
                           describe(call));
        script_.removeFirst();
        return nullptr;
    }
    lastStep_ = script_.takeFirst();
    return &lastStep_;
}

int ScriptedMessages::msgBox(const QString& prompt, int style, const QString& title) {
    const Step* s = take({QStringLiteral("MsgBox"), prompt, style, title, {}});
    if (s)
        return s->answerCode;
    return (style & 7) == vbYesNo ? vbNo : vbOK;
}

QString ScriptedMessages::inputBox(const QString& prompt, const QString& title, const QString&) {
    const Step* s = take({QStringLiteral("InputBox"), prompt, 0, title, {}});
    return s ? s->answer : QString();
}

QString ScriptedMessages::showOpenDialog(const QString& filter, const QString& title, const QString& folder) {
    const Step* s = take({QStringLiteral("Open"), filter, 0, title, folder});
    return s ? s->answer : QString();
}

QString ScriptedMessages::showSaveDialog(const QString& filter, const QString& title, const QString& folder) {
    const Step* s = take({QStringLiteral("Save"), filter, 0, title, folder});
    return s ? s->answer : QString();
}

QStringList ScriptedMessages::problems() const {
    QStringList all = unexpected_;
    for (const Step& s : script_)
        all.append(QStringLiteral("scripted but never shown: %1 \"%2\"").arg(s.call.kind, s.call.prompt));
    return all;
}

QStringList ScriptedMessages::prompts() const {
    QStringList out;
    for (const MessageCall& c : calls_)
        if (c.kind == u"MsgBox")
            out.append(c.prompt);
    return out;
}
