#include "mp3info/window/frmattributes.h"

#include "mp3info/headerinfos.h"
#include "mp3info/mp3tag.h"
#include "platform/dosfs.h"
#include "platform/messages.h"
#include "windows/auxwindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

QPointer<frmAttributes> loaded;

// Draws a row's label (the text before its first tab) and, from one column shared by all rows, the
// text after the tabs, so that the values line up whatever the font's widths.
class LabelValueDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect area =
            style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).adjusted(margin, 0, -margin, 0);
        constexpr int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs;

        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(QPalette::Normal, opt.state & QStyle::State_Selected
                                                                ? QPalette::HighlightedText
                                                                : QPalette::Text));
        const qsizetype tab = text.indexOf(u'\t');
        if (tab < 0) {
            painter->drawText(area, flags, text);
        } else {
            qsizetype value = tab;
            while (value < text.size() && text.at(value) == u'\t')
                ++value;
            painter->drawText(area, flags, text.left(tab));
            painter->drawText(area.adjusted(valueColumn(*index.model(), opt.fontMetrics), 0, 0, 0), flags,
                              text.mid(value));
        }
        painter->restore();
    }

private:
    static int valueColumn(const QAbstractItemModel& model, const QFontMetrics& metrics) {
        int widest = 0;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString text = model.index(row, 0).data().toString();
            const qsizetype tab = text.indexOf(u'\t');
            if (tab >= 0)
                widest = std::max(widest, metrics.horizontalAdvance(text.left(tab)));
        }
        return widest + 2 * metrics.averageCharWidth();
    }
};

QString trueFalse(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

frmAttributes::frmAttributes(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmAttributes"));
    setAttribute(Qt::WA_DeleteOnClose); // the close box unloads it; OK only hides it
    aux::announceAsDialog(this);
    setFixedSize(7185 / aux::kTwipsPerPixel, 4665 / aux::kTwipsPerPixel);

    lstHeaderInfos = new QListWidget(this);
    lstHeaderInfos->setObjectName(QStringLiteral("lstHeaderInfos"));
    lstHeaderInfos->setAccessibleName(QStringLiteral("File information"));
    lstHeaderInfos->setGeometry(aux::twips(120, 120, 6915, 3960));
    lstHeaderInfos->setItemDelegate(new LabelValueDelegate(lstHeaderInfos));
    lstHeaderInfos->setTextElideMode(Qt::ElideNone);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(aux::twips(2940, 4140, 1275, 435));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    Starte();
}

void frmAttributes::Starte() {
    HeaderInfos infos;
    infos.setFilePath(Pfad);
    infos.GetFileInfos();
    DoEvents();

    // A file that is gone has no attributes, size or name: its flags, size and caption stay
    // empty or 0.
    // A path with wildcards names no file of its own: it is shown as one that cannot be read.
    const bool named = !dosfs::hasWildcards(Pfad);
    const auto attributes = named ? dosfs::attributes(Pfad) : std::nullopt;
    const dosfs::Attributes a = attributes.value_or(dosfs::Attributes{});
    auto flag = [](bool set, const char* text) { return QLatin1String(set ? text : "- "); };
    const QString attributeLine = QStringLiteral("Attributes: \t\t") + flag(a.readOnly, "R ") +
                                  flag(a.hidden, "H ") + flag(a.system, "S ") + flag(a.archive, "A ");
    DoEvents();

    const MP3TagInfo tag = ReadMP3Tag(Pfad);
    const auto host = named ? dosfs::resolve(Pfad) : std::nullopt;
    const QFileInfo file(host.value_or(QString()));
    setWindowTitle(host ? file.fileName() : QString());
    const qint64 kilobytes = host ? file.size() / 1024 : 0;

    lstHeaderInfos->clear();
    lstHeaderInfos->addItems({
        QStringLiteral("Title: \t\t\t") + tag.Title,
        QStringLiteral("Interpret: \t\t\t") + tag.Interpret,
        QStringLiteral("Album: \t\t\t") + tag.Album,
        QStringLiteral("Year: \t\t\t") + tag.Year,
        QStringLiteral("Comment: \t\t") + tag.Comment,
        QStringLiteral("Genre: \t\t\t") + tag.Genre,
        QString(),
        QStringLiteral("FilePath: \t\t\t") + infos.FilePath(),
        QStringLiteral("FileSize: \t\t\t%1 kB (%2 Bytes)").arg(kilobytes).arg(infos.FileSize()),
        QStringLiteral("Bitrate: \t\t\t") + QString::number(infos.Bitrate()),
        QStringLiteral("Copyright: \t\t") + trueFalse(infos.Copyright()),
        QStringLiteral("CRCProtected: \t\t") + trueFalse(infos.CRCProtected()),
        QStringLiteral("Frequency: \t\t") + QString::number(infos.Frequency()),
        QStringLiteral("Layer: \t\t\t") + QString::number(infos.Layer()),
        QStringLiteral("LayerText: \t\t") + infos.LayerText(),
        QStringLiteral("Original: \t\t\t") + trueFalse(infos.Original()),
        QStringLiteral("Padding: \t\t\t") + trueFalse(infos.Padding()),
        QStringLiteral("PrivateBit: \t\t") + trueFalse(infos.PrivateBit()),
        QStringLiteral("Length: \t\t\t%1 seconds").arg(infos.Seconds()),
        attributeLine,
    });
}

void frmAttributes::cmdOK_Click() {
    hide();
}

frmAttributes* FileInfosWindow() {
    return loaded;
}

void ShowFileInfos(const QString& path, QWidget& owner, const std::function<void()>& refreshTimeDisplay) {
    if (!loaded)
        loaded = new frmAttributes(&owner);
    loaded->Pfad = path;
    DoEvents();
    if (!loaded)
        return;
    loaded->Starte();
    loaded->show();
    loaded->raise();
    loaded->activateWindow();
    refreshTimeDisplay();
}

void UnloadFileInfos() {
    delete loaded.data();
}
