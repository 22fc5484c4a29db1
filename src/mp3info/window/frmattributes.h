#pragma once
// The file information window: one list of the ID3v1 fields, header values, size, length and
// attributes of one MP3 file. Created on first use, modeless; OK hides it for reuse, the close box
// unloads it.

#include <QWidget>
#include <functional>

class QListWidget;
class QPushButton;

class frmAttributes : public QWidget {
    Q_OBJECT
public:
    // Loading the window fills it (from an empty Pfad).
    explicit frmAttributes(QWidget* parent = nullptr);

    // Full path of the file shown.
    QString Pfad;

    QListWidget* lstHeaderInfos;
    QPushButton* cmdOK;

    // Fills the caption and the list from Pfad, replacing what was there.
    void Starte();
    void cmdOK_Click();
};

// The window while it is loaded, else nullptr.
frmAttributes* FileInfosWindow();

// Shows the window, owned by owner, for the file at path (a DOS path): stores it, lets pending
// events run, fills the window, shows it modeless, then runs refreshTimeDisplay.
void ShowFileInfos(const QString& path, QWidget& owner, const std::function<void()>& refreshTimeDisplay);

// Unloads the window if it is loaded (the exit sequence).
void UnloadFileInfos();
