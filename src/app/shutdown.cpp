#include "app/shutdown.h"

#include "app/window/frmVeriVuzeDadeve.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "playback/modmp3.h"
#include "playlist/documents.h"

#include <QAction>
#include <QTimer>

void Shutdown::Form_Unload() {
    main_.UnloadOtherWindows();
    StopAndClose();
    main_.Timer1->stop();
    main_.Timer2->stop();
    const ProgramState& s = main_.state;
    const FileComparison comparison = ListEqualsFile(s, s.PlaylistPath);
    if (comparison == FileComparison::Unreadable)
        ReportCouldNotOpen(s.PlaylistPath);
    if (comparison != FileComparison::Equal &&
        MsgBox(QStringLiteral("Do you want to save the new list?"), vbYesNo, QString()) == vbYes)
        SavePlaylist(s, s.PlaylistPath);
    RegWrite(HKEY_CURRENT_USER, kProgramKey, QStringLiteral("Old"),
             main_.menBlind->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    RegWrite(HKEY_CURRENT_USER, kProgramKey, QStringLiteral("Opend"), QStringLiteral("1"));
}
