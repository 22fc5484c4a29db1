#pragma once
// The message service shown with Qt: QMessageBox, QInputDialog and QFileDialog. The dialogs work
// on host paths, start in a folder of the drive table and hand back DOS paths; a file chosen
// outside every drive is reported ("This file is outside every drive: ") and counts as no choice.

#include "platform/messages.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QtMessages final : public MessageService {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    int msgBox(const QString& prompt, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString showOpenDialog(const QString& filter, const QString& title, const QString& folder) override;
    QString showSaveDialog(const QString& filter, const QString& title, const QString& folder) override;

    // "Description|pattern;pattern|..." as Qt name filters whose shown text is the description
    // and whose patterns match without regard to case.
    static QStringList nameFilters(const QString& filter);

private:
    QPointer<QWidget> owner_;
};
