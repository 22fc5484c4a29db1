#pragma once
// Media keys and the desktop's media controls: the MPRIS 2 player "org.mpris.MediaPlayer2.vorlak"
// on the session bus. Its Play, Pause, PlayPause, Stop, Next and Previous run the main window's own
// player commands; PlaybackStatus and Metadata describe the title the device plays, and changes
// of either are announced with PropertiesChanged. Without a session bus it does nothing.

#include <QObject>
#include <QTimer>
#include <QVariantMap>

class PlayerCommands;
class QWidget;

// What the desktop is told about the title playing: "Playing" or "Stopped" (the player has no
// pause), and the MPRIS metadata map (empty but for the no-track id when nothing plays).
struct MprisState {
    QString playbackStatus;
    QVariantMap metadata;
    bool operator==(const MprisState&) const = default;
};

// The metadata of the title at dosPath: its ID3v1 title and artist, else its file name as title;
// the length in microseconds; the file's URL; a track id made from the path.
QVariantMap MprisMetadata(const QString& dosPath, double lengthSeconds);

class Mpris : public QObject {
    Q_OBJECT
public:
    // Runs the player's commands; raises and closes window.
    Mpris(QWidget& window, PlayerCommands& player);
    ~Mpris() override;

    // Puts the player on the session bus: true when it is there. Without a bus, or when the bus
    // refuses the names, false and nothing else happens.
    bool registerOnSessionBus();

    // The state as it is now, asked from the device.
    MprisState currentState() const;

    // Runs a player command of the main window on the next turn of the event loop, so that the
    // bus gets its answer at once even when the command shows a message. Ignored while a modal
    // window is open, as the mouse is.
    enum class Command { Play, Pause, PlayPause, Stop, Next, Previous };
    Q_ENUM(Command)
    void run(Command command);

    // Raises and activates the main window; closes it (which asks about saving).
    void raise();
    void quit();

private:
    void execute(Command command);
    // Compares the state with the one last announced and sends PropertiesChanged for what differs.
    void announceChanges();

    QWidget& window_;
    PlayerCommands& player_;
    QString service_;
    MprisState announced_;
    QTimer poll_;
};
