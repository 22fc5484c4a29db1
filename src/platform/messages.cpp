#include "platform/messages.h"

#include "platform/dosfs.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

class StderrMessages final : public SilentMessages {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(prompt));
        return SilentMessages::msgBox(prompt, style, title);
    }
};

StderrMessages fallback;
MessageService* current = nullptr;

} // namespace

MessageService& messages() {
    return current ? *current : fallback;
}

MessageService* setMessages(MessageService* service) {
    MessageService* previous = current;
    current = service;
    return previous;
}

void DoEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

QString DosPathOrReport(const QString& hostPath) {
    const QString dos = dosfs::toDos(hostPath);
    if (dos.isEmpty())
        MsgBox(QStringLiteral("This file is outside every drive: ") + hostPath, vbOKOnly, QStringLiteral("Error"));
    return dos;
}
