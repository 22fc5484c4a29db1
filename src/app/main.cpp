#include "app/frmVeriVuzeDadeve.h"
#include "app/qtmessages.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtMessages messages;
    setMessages(&messages);
    ProgramState state;
    frmVeriVuzeDadeve window(state);
    messages.setOwner(&window);
    window.show();
    return app.exec();
}
