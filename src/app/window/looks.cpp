#include "app/window/looks.h"

#include "app/layout.h"
#include "app/window/windowlayout.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>

namespace {

const char* const kListBoxes[] = {"lstListe", "Drive1", "Dir1", "File1"};

struct FontRule {
    QStringList controls;
    const char* family;
    qreal points;
    bool bold;
};

// Arial, Times New Roman and Courier New resolve through fontconfig to the metric-compatible
// Liberation Sans, Serif and Mono.
const QList<FontRule>& fontRules() {
    static const QList<FontRule> rules = {
        {{QStringLiteral("cmdDefault"), QStringLiteral("cmdOeffnen"), QStringLiteral("cmdSpeichern"),
          QStringLiteral("cmdQuit")},
         "Arial",
         9.75,
         true},
        {layout::EditingButtons(), "Arial", 9.75, false},
        {{QStringLiteral("lblZeit")}, "Times New Roman", 12, true},
        {{QStringLiteral("lblProzent")}, "Courier New", 9.75, true},
        {{QStringLiteral("lblCopy")}, "Arial", 6.75, false},
    };
    return rules;
}

void setColours(QWidget* widget, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours) {
    if (!widget)
        return;
    QPalette palette = widget->palette();
    for (const auto& [role, colour] : colours)
        palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A list box's background and text; the drive box draws its closed state as a button.
void colourListBox(QWidget* box, const QColor& background, const QColor& text) {
    if (qobject_cast<QComboBox*>(box))
        setColours(box, {{QPalette::Base, background},
                         {QPalette::Text, text},
                         {QPalette::Button, background},
                         {QPalette::ButtonText, text}});
    else
        setColours(box, {{QPalette::Base, background}, {QPalette::Text, text}});
}

const QColor kNewWindow(10, 9, 8);
const QColor kNewWindowText(224, 220, 214);
const QColor kCopyText(64, 64, 64);
const QColor kCopyPlate(178, 182, 188); // keeps the dark credit text readable on the dark picture

} // namespace

Looks::Looks(QWidget& client, QAction& oldLayout, WindowLayout& layout)
    : client_(client), oldLayout_(oldLayout), layout_(layout) {}

QColor Looks::oldWindowColour() {
    return QColor(212, 210, 205);
}

QWidget* Looks::control(const char* name) const {
    return client_.findChild<QWidget*>(QString::fromLatin1(name));
}

void Looks::applyDesign() {
    for (const FontRule& rule : fontRules()) {
        QFont font(QString::fromLatin1(rule.family));
        font.setPointSizeF(rule.points);
        font.setBold(rule.bold);
        for (const QString& name : rule.controls)
            if (QWidget* w = client_.findChild<QWidget*>(name))
                w->setFont(font);
    }
    client_.setAutoFillBackground(true);
    setColours(control("lblCopy"), {{QPalette::WindowText, kCopyText}, {QPalette::Window, kCopyPlate}});
    applyLook(oldLayout_.isChecked());
}

void Looks::ColourListBoxes() {
    const QColor windowBackground = QApplication::palette().color(QPalette::Base);
    for (const char* name : kListBoxes)
        colourListBox(control(name), Qt::black, windowBackground);
}

void Looks::menBlind_Click() {
    const bool old = !oldLayout_.isChecked();
    oldLayout_.setChecked(old);
    applyLook(old);
    if (old)
        layout_.Form_Resize();
}

void Looks::applyLook(bool old) {
    setColours(&client_, {{QPalette::Window, old ? oldWindowColour() : kNewWindow},
                                       {QPalette::WindowText, old ? QColor(Qt::black) : kNewWindowText}});
    if (QWidget* picture = control("Image1"))
        picture->setVisible(!old);
    for (const char* name : kListBoxes)
        colourListBox(control(name), old ? Qt::white : Qt::black, old ? Qt::black : Qt::white);
    const QColor labels = old ? QColor(Qt::black) : QColor(0, 255, 0);
    setColours(control("lblZeit"), {{QPalette::WindowText, labels}});
    setColours(control("lblProzent"), {{QPalette::WindowText, labels}});
    if (QWidget* bar = control("shpStrich")) {
        setColours(bar, {{QPalette::Window, old ? QColor(Qt::white) : QColor(255, 0, 0)}});
        bar->setAutoFillBackground(true);
    }
    if (QWidget* copy = control("lblCopy"))
        copy->setAutoFillBackground(!old);
    for (const QString& name : layout::EditingButtons())
        if (QWidget* button = client_.findChild<QWidget*>(name))
            button->setVisible(old);
}
