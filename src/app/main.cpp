#include "app/frmVeriVuzeDadeve.h"
#include "app/gamelocations.h"
#include "app/qtmessages.h"
#include "app/termination.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtMessages messages;
    setMessages(&messages);
    ProgramState state;
    frmVeriVuzeDadeve window(state);
    messages.setOwner(&window);
    termination::closeOnTermination(window);
    try {
        window.startup.Form_Load(app.arguments().mid(1));
    } catch (const EndProgram& end) {
        return end.exitCode;
    }
    return app.exec();
}
