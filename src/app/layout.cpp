#include "app/layout.h"

#include <cmath>

namespace layout {

namespace {

constexpr int kGap = 30;            // between the file panel's boxes and between paired buttons
constexpr int kImageTop = 80;       // the background picture starts under the top band
constexpr int kCopyBottomGap = 100; // lblCopy keeps this much above the client's bottom edge

Rect design(const QString& control) {
    return DesignRects().value(control);
}

Stage playerButtons(int outerWidth) {
    const int middle = outerWidth / 2;
    Rect previous = design(QStringLiteral("imgZurueck"));
    Rect play = design(QStringLiteral("imgPlay"));
    Rect stop = design(QStringLiteral("imgStop"));
    Rect next = design(QStringLiteral("imgVor"));
    previous.left = middle - play.width - previous.width;
    play.left = middle - play.width;
    stop.left = middle;
    next.left = middle + stop.width;
    return {{QStringLiteral("imgZurueck"), previous},
            {QStringLiteral("imgPlay"), play},
            {QStringLiteral("imgStop"), stop},
            {QStringLiteral("imgVor"), next}};
}

// The drive box as wide as the playlist; the folder and file boxes share the playlist's height
// below the drive box, the folder box taking 1215/4770 of it.
Stage filePanel(int listWidth, int listHeight) {
    Rect drive = design(QStringLiteral("Drive1"));
    Rect folder = design(QStringLiteral("Dir1"));
    Rect files = design(QStringLiteral("File1"));
    drive.width = listWidth;
    folder.width = drive.width;
    const int below = listHeight - kGap - drive.height;
    folder.height = int(std::lround(below * 1215.0 / 4770.0));
    files.width = drive.width;
    files.height = below - folder.height;
    files.top = folder.top + folder.height + kGap;
    return {{QStringLiteral("Drive1"), drive},
            {QStringLiteral("Dir1"), folder},
            {QStringLiteral("File1"), files}};
}

// The editing buttons in pairs around the middle of the client width.
Stage editingButtons(int clientWidth) {
    Stage stage;
    auto pair = [&](const char* leftName, const char* rightName, bool rightFollowsLeft) {
        Rect left = design(QString::fromLatin1(leftName));
        Rect right = design(QString::fromLatin1(rightName));
        left.left = (clientWidth - kGap) / 2 - left.width;
        right.left = rightFollowsLeft ? left.left + left.width + kGap : (clientWidth + kGap) / 2;
        stage.append({QString::fromLatin1(leftName), left});
        stage.append({QString::fromLatin1(rightName), right});
    };
    pair("cmdHoch", "cmdHoch2", false);
    pair("cmdRunter", "cmdRunter2", false);
    pair("cmdLoesch", "cmdLeere", true);
    Rect add = design(QStringLiteral("cmdAdd"));
    Rect addAll = design(QStringLiteral("cmdAdd2"));
    add.left = (clientWidth - add.width - addAll.width - kGap) / 2;
    addAll.left = add.left + add.width + kGap;
    stage.append({QStringLiteral("cmdAdd"), add});
    stage.append({QStringLiteral("cmdAdd2"), addAll});
    return stage;
}

} // namespace

const QHash<QString, Rect>& DesignRects() {
    static const QHash<QString, Rect> rects = {
        {QStringLiteral("fraAnzeige"), {0, 0, 11655, 75}},
        {QStringLiteral("cmdDefault"), {60, 180, 975, 315}},
        {QStringLiteral("cmdOeffnen"), {1140, 180, 975, 315}},
        {QStringLiteral("cmdSpeichern"), {2220, 180, 975, 315}},
        {QStringLiteral("cmdQuit"), {3300, 180, 975, 315}},
        {QStringLiteral("Drive1"), {360, 1080, 4455, 315}},
        {QStringLiteral("Dir1"), {360, 1440, 4455, 1215}},
        {QStringLiteral("File1"), {360, 2700, 4455, 4125}},
        {QStringLiteral("lstListe"), {6900, 1020, 4455, 5685}},
        {QStringLiteral("lblZeit"), {5400, 1080, 870, 285}},
        {QStringLiteral("imgZurueck"), {4920, 1500, 480, 480}},
        {QStringLiteral("imgPlay"), {5400, 1500, 480, 480}},
        {QStringLiteral("imgStop"), {5880, 1500, 480, 480}},
        {QStringLiteral("imgVor"), {6360, 1500, 480, 480}},
        {QStringLiteral("cmdAdd"), {5280, 2160, 555, 315}},
        {QStringLiteral("cmdAdd2"), {5880, 2160, 795, 315}},
        {QStringLiteral("cmdLoesch"), {4980, 2580, 855, 315}},
        {QStringLiteral("cmdLeere"), {5880, 2580, 855, 315}},
        {QStringLiteral("cmdHoch"), {5040, 3540, 795, 315}},
        {QStringLiteral("cmdHoch2"), {5880, 3540, 795, 315}},
        {QStringLiteral("cmdRunter"), {5040, 3900, 795, 315}},
        {QStringLiteral("cmdRunter2"), {5880, 3900, 795, 315}},
        {QStringLiteral("shpStrich"), {6900, 6780, 4455, 220}},
        {QStringLiteral("lblProzent"), {8970, 7000, 135, 240}},
        {QStringLiteral("lblCopy"), {10260, 7080, 1035, 195}},
        {QStringLiteral("Image1"), {0, kImageTop, kDesignClientWidth, kDesignClientHeight}},
    };
    return rects;
}

const QStringList& EditingButtons() {
    static const QStringList names = {QStringLiteral("cmdAdd"),    QStringLiteral("cmdAdd2"),
                                      QStringLiteral("cmdLeere"),  QStringLiteral("cmdLoesch"),
                                      QStringLiteral("cmdHoch"),   QStringLiteral("cmdHoch2"),
                                      QStringLiteral("cmdRunter"), QStringLiteral("cmdRunter2")};
    return names;
}

Plan PlaceBackgroundImage(const WindowState& window) {
    return {{{QStringLiteral("Image1"), {0, kImageTop, window.outerWidth, window.outerHeight}}}};
}

Plan PlacePlayerButtons(const WindowState& window) {
    return {playerButtons(window.outerWidth) + filePanel(window.list.width, window.list.height)};
}

Plan FormResize(WindowState window) {
    if (window.outerWidth < kMinOuterWidth) {
        window.clientWidth += kMinOuterWidth - window.outerWidth;
        window.outerWidth = kMinOuterWidth;
    }
    if (window.outerHeight < kMinOuterHeight) {
        window.clientHeight += kMinOuterHeight - window.outerHeight;
        window.outerHeight = kMinOuterHeight;
    }
    const int outerWidth = window.outerWidth;
    const int clientWidth = window.clientWidth;
    Plan plan;
    plan.append({{QStringLiteral("Image1"), {0, kImageTop, clientWidth, window.clientHeight}}});

    Rect time = design(QStringLiteral("lblZeit"));
    time.top = design(QStringLiteral("Drive1")).top;
    time.width = window.timeWidth;
    time.left = (outerWidth - time.width) / 2;
    // Half of every extra width goes to the file panel and half to the playlist.
    const int half = (outerWidth - kReferenceOuterWidth) / 2;
    Rect list = design(QStringLiteral("lstListe"));
    list.left = half + 6900;
    list.width = half + 4455;
    list.height = window.outerHeight - kListBottomMargin;
    plan.append({{QStringLiteral("lblZeit"), time}, {QStringLiteral("lstListe"), list}});

    plan.append(filePanel(list.width, list.height));

    Stage middle = playerButtons(outerWidth);
    if (window.oldLayout)
        middle += editingButtons(clientWidth);
    Rect band = design(QStringLiteral("fraAnzeige"));
    band.width = clientWidth;
    middle.append({QStringLiteral("fraAnzeige"), band});
    plan.append(middle);

    Stage bottom;
    Rect bar = design(QStringLiteral("shpStrich"));
    if (window.barVisible) {
        list.height -= bar.height;
        bottom.append({QStringLiteral("lstListe"), list});
    }
    bar.top = list.top + list.height;
    bar.left = list.left;
    bar.width = window.barWidth;
    // The percent label sits on the bar, centred over its full length.
    Rect percent = design(QStringLiteral("lblProzent"));
    percent.top = bar.top;
    percent.width = window.percentWidth;
    percent.left = list.width / 2 - percent.width / 2 + bar.left;
    Rect copy = design(QStringLiteral("lblCopy"));
    copy.left = clientWidth - copy.width;
    copy.top = window.clientHeight - copy.height - kCopyBottomGap;
    bottom += Stage{{QStringLiteral("shpStrich"), bar},
                    {QStringLiteral("lblProzent"), percent},
                    {QStringLiteral("lblCopy"), copy}};
    plan.append(bottom);
    return plan;
}

QHash<QString, Rect> Final(const Plan& plan) {
    QHash<QString, Rect> rects;
    for (const Stage& stage : plan)
        for (const Placement& p : stage)
            rects.insert(p.control, p.rect);
    return rects;
}

int ToPixels(int twips, double dpi) {
    return int(std::lround(twips * dpi / kTwipsPerInch));
}

QRect ToPixels(const Rect& rect, double dpi) {
    const int left = ToPixels(rect.left, dpi);
    const int top = ToPixels(rect.top, dpi);
    return QRect(left, top, ToPixels(rect.left + rect.width, dpi) - left,
                 ToPixels(rect.top + rect.height, dpi) - top);
}

int ToTwips(int pixels, double dpi) {
    return int(std::lround(pixels * double(kTwipsPerInch) / dpi));
}

} // namespace layout
