// The reference of the start benchmark: a bare QMainWindow program, started and shown as the
// program's own window is.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.show();
    return app.exec();
}
