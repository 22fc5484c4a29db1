#include "platform/failure.h"

#include "platform/messages.h"

void ReportFailure(const QString& description) {
    MsgBox(description + vbCrLf + QStringLiteral("Please report this error"), vbCritical,
           QStringLiteral("Error"));
}

void ReportFailure(const std::exception& failure) {
    if (const auto* e = dynamic_cast<const RuntimeError*>(&failure))
        ReportFailure(e->description());
    else
        ReportFailure(QString::fromUtf8(failure.what()));
}

void RaiseSubscriptOutOfRange() {
    throw RuntimeError(QStringLiteral("Subscript out of range"));
}
