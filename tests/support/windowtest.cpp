#include "windowtest.h"

#include "playback/modmp3.h"

#include <QtTest>

void WindowTest::setUp() {
    sandbox = std::make_unique<WindowSandbox>();
    window = &sandbox->window;
    state = &sandbox->state;
    env = &sandbox->env;
}

void WindowTest::tearDown() {
    const QStringList problems = env->messages.problems();
    StopAndClose();
    sandbox.reset();
    QCOMPARE(problems, QStringList());
}

void WindowTest::show(const QString& letters, int row) {
    QStringList entries;
    for (QChar c : letters) {
        entries.append(QStringLiteral("C:\\M\\%1.mp3").arg(c));
        env->drive.copyFixture(QStringLiteral("plain-stereo.mp3"), entries.last());
    }
    state->Entries = entries;
    window->display.RefreshList(row);
}

QString WindowTest::letters(const QStringList& entries) {
    QString s;
    for (const QString& e : entries)
        s += e.mid(e.lastIndexOf(u'\\') + 1).chopped(4);
    return s;
}
