#include "scriptedmessages.h"

namespace {
QString describe(const MessageCall& c) {
    return QStringLiteral("%1(\"%2\", %3, \"%4\")").arg(c.kind, c.prompt).arg(c.style).arg(c.title);
}
} // namespace

ScriptedMessages& ScriptedMessages::expectMsgBox(const QString& prompt, int style, const QString& title,
                                                 int answer) {
    script_.append({{QStringLiteral("MsgBox"), prompt, style, title, {}}, {}, answer});
    return *this;
}

ScriptedMessages& ScriptedMessages::expect(const QString& kind, const QString& answer) {
    script_.append({{kind, {}, 0, {}, {}}, answer, 0});
    return *this;
}

std::optional<ScriptedMessages::Step> ScriptedMessages::take(const MessageCall& call) {
    calls_.append(call);
    if (script_.isEmpty()) {
        unexpected_.append(QStringLiteral("unexpected ") + describe(call));
        return std::nullopt;
    }
    const Step step = script_.takeFirst();
    // Dialogs are matched by kind; message boxes by their exact text, style and title too.
    const MessageCall& e = step.call;
    if (e.kind != call.kind || (e.kind == u"MsgBox" && (e.prompt != call.prompt || e.style != call.style ||
                                                        e.title != call.title))) {
        unexpected_.append(QStringLiteral("expected ") + describe(e) + QStringLiteral(" but got ") +
                           describe(call));
        return std::nullopt;
    }
    return step;
}

int ScriptedMessages::msgBox(const QString& prompt, int style, const QString& title) {
    const auto s = take({QStringLiteral("MsgBox"), prompt, style, title, {}});
    return s ? s->code : (style & 7) == vbYesNo ? vbNo : vbOK;
}

QString ScriptedMessages::inputBox(const QString& prompt, const QString& title, const QString&) {
    const auto s = take({QStringLiteral("InputBox"), prompt, 0, title, {}});
    return s ? s->text : QString();
}

QString ScriptedMessages::showOpenDialog(const QString& filter, const QString& title, const QString& folder) {
    const auto s = take({QStringLiteral("Open"), filter, 0, title, folder});
    return s ? s->text : QString();
}

QString ScriptedMessages::showSaveDialog(const QString& filter, const QString& title, const QString& folder) {
    const auto s = take({QStringLiteral("Save"), filter, 0, title, folder});
    return s ? s->text : QString();
}

QStringList ScriptedMessages::problems() const {
    QStringList all = unexpected_;
    for (const Step& s : script_)
        all.append(QStringLiteral("scripted but never shown: ") + describe(s.call));
    return all;
}
