#include "app/termination.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace termination {
namespace {

// The handler only writes the signal's number into this pipe; the event loop reads it.
int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t received = 0;

void onSignal(int signal) {
    if (received)
        ::_exit(128 + signal);
    received = signal;
    const char number = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
}

} // namespace

void closeOnTermination(QWidget& window) {
    if (signalPipe[0] < 0) {
        if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
            ::sigaction(signal, &action, nullptr);
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char number;
        while (::read(signalPipe[0], &number, 1) > 0) {
        }
        window.close();
    });
#ifndef QT_NO_SESSIONMANAGER
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QObject::connect(app, &QGuiApplication::commitDataRequest, &window,
                         [&window](QSessionManager& session) {
                             // The exit check may ask whether to save; the session manager must allow that
                             // first.
                             if (session.allowsInteraction()) {
                                 window.close();
                                 session.release();
                             }
                         });
#endif
}

} // namespace termination
