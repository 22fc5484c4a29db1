#pragma once
// Running a command handler so that an unexpected failure inside it shows the standard failure
// report instead of ending the program; and connecting a control's signal to such a handler.

#include "platform/failure.h"

#include <QObject>
#include <exception>

template <typename Handler> void RunCommand(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        ReportFailure(failure);
    }
}

template <typename Sender, typename Signal, typename Handler>
void connectCommand(QObject* context, Sender* sender, Signal signal, Handler handler) {
    QObject::connect(sender, signal, context, [handler] { RunCommand(handler); });
}
