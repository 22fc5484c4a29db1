#include "app/mpris.h"

#include "mp3info/mp3tag.h"
#include "platform/command.h"
#include "platform/dosfs.h"
#include "playback/modmp3.h"
#include "playback/window/playercommands.h"

#include <QApplication>
#include <QWidget>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QUrl>

namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.vorlak");
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
// How often the playing title is compared with the one last announced.
constexpr int kPollMilliseconds = 500;

} // namespace

// org.mpris.MediaPlayer2: who the player is.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ yes)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ none)
    Q_PROPERTY(QStringList SupportedMimeTypes READ none)
public:
    explicit MprisRootAdaptor(Mpris* owner) : QDBusAbstractAdaptor(owner), owner_(owner) {}
    bool yes() const { return true; }
    bool no() const { return false; }
    QString identity() const { return QStringLiteral("Vorlak Verivuze Dadeve"); }
    QString desktopEntry() const { return QStringLiteral("com.tovrelpro.vorlak"); }
    QStringList none() const { return {}; }
public Q_SLOTS:
    void Raise() { owner_->raise(); }
    void Quit() { owner_->quit(); }

private:
    Mpris* owner_;
};

// org.mpris.MediaPlayer2.Player: the player commands and what plays. There is no seeking, no
// volume and no rate: the program has none of them.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double Rate READ one)
    Q_PROPERTY(double MinimumRate READ one)
    Q_PROPERTY(double MaximumRate READ one)
    Q_PROPERTY(double Volume READ one)
    Q_PROPERTY(bool CanGoNext READ yes)
    Q_PROPERTY(bool CanGoPrevious READ yes)
    Q_PROPERTY(bool CanPlay READ yes)
    Q_PROPERTY(bool CanPause READ yes)
    Q_PROPERTY(bool CanSeek READ no)
    Q_PROPERTY(bool CanControl READ yes)
public:
    explicit MprisPlayerAdaptor(Mpris* owner) : QDBusAbstractAdaptor(owner), owner_(owner) {}
    QString playbackStatus() const { return owner_->currentState().playbackStatus; }
    QVariantMap metadata() const { return owner_->currentState().metadata; }
    qlonglong position() const {
        try {
            return IsPlaying() ? qlonglong(PositionSeconds() * 1e6) : 0;
        } catch (const PlaybackQueryError&) {
            return 0;
        }
    }
    double one() const { return 1.0; }
    bool yes() const { return true; }
    bool no() const { return false; }
public Q_SLOTS:
    void Play() { owner_->run(Mpris::Command::Play); }
    void Pause() { owner_->run(Mpris::Command::Pause); }
    void PlayPause() { owner_->run(Mpris::Command::PlayPause); }
    void Stop() { owner_->run(Mpris::Command::Stop); }
    void Next() { owner_->run(Mpris::Command::Next); }
    void Previous() { owner_->run(Mpris::Command::Previous); }
    void Seek(qlonglong) {}
    void SetPosition(const QDBusObjectPath&, qlonglong) {}
    void OpenUri(const QString&) {}
Q_SIGNALS:
    void Seeked(qlonglong position);

private:
    Mpris* owner_;
};

QVariantMap MprisMetadata(const QString& dosPath, double lengthSeconds) {
    const MP3TagInfo tag = ReadMP3Tag(dosPath);
    QVariantMap m;
    m.insert(QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath(QStringLiteral("/com/tovrelpro/vorlak/track/") +
                                                 QString::number(qHash(dosPath.toUpper()), 16))));
    m.insert(QStringLiteral("xesam:title"), tag.Title.isEmpty() ? dosfs::FileNameOf(dosPath) : tag.Title);
    if (!tag.Interpret.isEmpty())
        m.insert(QStringLiteral("xesam:artist"), QStringList{tag.Interpret});
    if (!tag.Album.isEmpty())
        m.insert(QStringLiteral("xesam:album"), tag.Album);
    m.insert(QStringLiteral("mpris:length"), qlonglong(lengthSeconds * 1e6));
    if (const std::optional<QString> host = dosfs::resolve(dosPath))
        m.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(*host).toString(QUrl::FullyEncoded));
    return m;
}

Mpris::Mpris(QWidget& window, PlayerCommands& player) : QObject(&window), window_(window), player_(player) {
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
    poll_.setInterval(kPollMilliseconds);
    connect(&poll_, &QTimer::timeout, this, &Mpris::announceChanges);
}

Mpris::~Mpris() {
    if (!service_.isEmpty())
        QDBusConnection::sessionBus().unregisterService(service_);
}

bool Mpris::registerOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors))
        return false;
    // A second running program takes an instance name, as MPRIS has it.
    for (const QString& name :
         {kServiceName, kServiceName + QStringLiteral(".instance") + QString::number(QApplication::applicationPid())}) {
        if (bus.registerService(name)) {
            service_ = name;
            announced_ = currentState();
            poll_.start();
            return true;
        }
    }
    bus.unregisterObject(kObjectPath);
    return false;
}

MprisState Mpris::currentState() const {
    if (!IsPlaying())
        return {QStringLiteral("Stopped"),
                {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(kNoTrack))}}};
    return {QStringLiteral("Playing"), MprisMetadata(OpenTitle(), LengthSeconds())};
}

void Mpris::run(Command command) {
    QTimer::singleShot(0, this, [this, command] {
        if (QApplication::activeModalWidget())
            return;
        RunCommand([this, command] { execute(command); });
        announceChanges();
    });
}

// The keys act as the image buttons do; the player has no pause, so Pause stops as the Stop button
// does.
void Mpris::execute(Command command) {
    switch (command) {
    case Command::Play:
        if (!IsPlaying())
            player_.cmdPlay_Click();
        break;
    case Command::Pause:
        if (IsPlaying())
            player_.imgStop_Click();
        break;
    case Command::PlayPause:
        if (IsPlaying())
            player_.imgStop_Click();
        else
            player_.cmdPlay_Click();
        break;
    case Command::Stop:
        player_.imgStop_Click();
        break;
    case Command::Next:
        player_.cmdVor_Click();
        break;
    case Command::Previous:
        player_.cmdZurueck_Click();
        break;
    }
}

void Mpris::raise() {
    QTimer::singleShot(0, this, [this] {
        window_.showNormal();
        window_.raise();
        window_.activateWindow();
    });
}

void Mpris::quit() {
    QTimer::singleShot(0, this, [this] {
        if (!QApplication::activeModalWidget())
            window_.close();
    });
}

void Mpris::announceChanges() {
    if (service_.isEmpty())
        return;
    const MprisState now = currentState();
    QVariantMap changed;
    if (now.playbackStatus != announced_.playbackStatus)
        changed.insert(QStringLiteral("PlaybackStatus"), now.playbackStatus);
    if (now.metadata != announced_.metadata)
        changed.insert(QStringLiteral("Metadata"), now.metadata);
    announced_ = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

#include "mpris.moc"
