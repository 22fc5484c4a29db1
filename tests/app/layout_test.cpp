// The main window's geometry rules in twips: where each control ends up for a window size, a
// layout and the state of the progress bar; and the conversion to pixels.
#include "app/layout.h"
#include "printers.h"

#include <gtest/gtest.h>
#include <optional>

using layout::Rect;
using layout::WindowState;

namespace layout {
void PrintTo(const Rect& r, std::ostream* os) {
    *os << '{' << r.left << ", " << r.top << ", " << r.width << ", " << r.height << '}';
}
} // namespace layout

namespace {

// The design size: outer 11760 x 7755 around a client area of 11640 x 7365.
WindowState window(int outerWidth = 11760, int outerHeight = 7755, int clientWidth = 11640,
                   int clientHeight = 7365) {
    return {outerWidth, outerHeight, clientWidth, clientHeight};
}
WindowState playing(WindowState w) {
    w.barVisible = true;
    return w;
}
WindowState old(WindowState w) {
    w.oldLayout = true;
    return w;
}
WindowState timeWidth(WindowState w, int width) {
    w.timeWidth = width;
    return w;
}

struct ResizeCase {
    const char* what;
    WindowState window;
    const char* control;
    std::optional<Rect> expected; // nullopt: the resize leaves the control where it is
};

const ResizeCase kResizeCases[] = {
    // At the design width the playlist and the file panel keep their design places.
    {"design", window(), "lstListe", Rect{6900, 1020, 4455, 5685}},
    // The folder box takes 1215/4770 of the height below the drive box (5340), the file box the rest.
    {"design", window(), "Dir1", Rect{360, 1440, 4455, 1360}},
    {"design", window(), "fraAnzeige", Rect{0, 0, 11640, 75}},
    // The time field on half the outer width.
    {"time field 500 wide", timeWidth(window(), 500), "lblZeit", Rect{5630, 1080, 500, 285}},
    {"new layout", window(), "cmdHoch", std::nullopt},
    // 1000 wider: the playlist moves right by 500 and both it and the panel widen by 500.
    {"1000 wider", window(12760, 7755, 12640), "lstListe", Rect{7400, 1020, 4955, 5685}},
    {"1000 wider", window(12760, 7755, 12640), "File1", Rect{360, 2830, 4955, 3980}},
    {"1000 wider", window(12760, 7755, 12640), "imgPlay", Rect{5900, 1500, 480, 480}},
    {"1000 wider", window(12760, 7755, 12640), "lblCopy", Rect{11605, 7070, 1035, 195}},
    // 1.5 times the design size: the panel follows the playlist's height.
    {"1.5 times", window(17640, 11633, 17460, 11048), "lstListe", Rect{9840, 1020, 7395, 9563}},
    {"1.5 times", window(17640, 11633, 17460, 11048), "File1", Rect{360, 3818, 7395, 6870}},
    // Smaller than the minimum is placed as the minimum 6400 x 5300, the client area growing as much.
    {"below minimum", window(5000, 4000, 4880, 3610), "lstListe", Rect{4220, 1020, 1775, 3230}},
    {"below minimum", window(5000, 4000, 4880, 3610), "Image1", Rect{0, 80, 6280, 4910}},
    {"at minimum", window(6400, 5300, 6280, 4910), "lstListe", Rect{4220, 1020, 1775, 3230}},
    // With the bar visible the list is shorter by the bar's height; the bar and the percent label
    // sit under it; the file panel keeps the full height.
    {"playing", playing(window()), "lstListe", Rect{6900, 1020, 4455, 5465}},
    {"playing", playing(window()), "shpStrich", Rect{6900, 6485, 4455, 220}},
    {"playing", playing(window()), "lblProzent", Rect{9060, 6485, 135, 240}},
    {"playing", playing(window()), "File1", Rect{360, 2830, 4455, 3980}},
    {"playing, 1000 wider", playing(window(12760, 7755, 12640)), "shpStrich", Rect{7400, 6485, 4455, 220}},
    // The old layout centres the editing buttons in pairs, 30 apart, on half the client width.
    {"old layout", old(window()), "cmdHoch", Rect{5010, 3540, 795, 315}},
    {"old layout", old(window()), "cmdLoesch", Rect{4950, 2580, 855, 315}},
    {"old layout", old(window()), "cmdLeere", Rect{5835, 2580, 855, 315}},
    {"old layout", old(window()), "cmdAdd2", Rect{5715, 2160, 795, 315}},
    {"old layout, client 1000 wider", old(window(11760, 7755, 12640)), "cmdHoch2",
     Rect{6335, 3540, 795, 315}},
    {"old layout, client 1000 wider", old(window(11760, 7755, 12640)), "cmdAdd", Rect{5630, 2160, 555, 315}},
    {"old layout, client 1000 wider", old(window(11760, 7755, 12640)), "imgPlay", Rect{5400, 1500, 480, 480}},
};

TEST(LayoutTest, FormResizePlacesEachControl) {
    for (const ResizeCase& c : kResizeCases) {
        SCOPED_TRACE(std::string(c.what) + ": " + c.control);
        const auto rects = layout::Final(layout::FormResize(c.window));
        const auto found = rects.constFind(QString::fromLatin1(c.control));
        if (!c.expected) {
            EXPECT_EQ(found, rects.cend());
            continue;
        }
        ASSERT_NE(found, rects.cend());
        EXPECT_EQ(*found, *c.expected);
    }
}

// The file panel is sized from the full list height before the list makes room for the bar, and
// pending events run between the stages: the list is placed in full first, shortened last.
TEST(LayoutTest, FormResizeShortensTheListLast) {
    const layout::Plan plan = layout::FormResize(playing(window()));
    QList<int> listHeights;
    for (const layout::Stage& stage : plan)
        for (const layout::Placement& p : stage)
            if (p.control == u"lstListe")
                listHeights.append(p.rect.height);
    EXPECT_EQ(plan.size(), 5);
    EXPECT_EQ(listHeights, (QList<int>{5685, 5465}));
}

// Start-up: the picture covers the outer size; the player buttons centre on half the outer width;
// the file panel follows the playlist as it stands.
TEST(LayoutTest, StartupPlacement) {
    WindowState w = window(12000, 8000, 11880, 7610);
    w.list = {6900, 1020, 4455, 5930};
    const auto image = layout::Final(layout::PlaceBackgroundImage(w));
    EXPECT_EQ(image.value("Image1"), (Rect{0, 80, 12000, 8000}));
    EXPECT_EQ(image.size(), 1);
    const auto placed = layout::Final(layout::PlacePlayerButtons(w));
    EXPECT_EQ(placed.value("imgZurueck"), (Rect{5040, 1500, 480, 480}));
    EXPECT_EQ(placed.value("imgVor"), (Rect{6480, 1500, 480, 480}));
    EXPECT_EQ(placed.value("Drive1"), (Rect{360, 1080, 4455, 315}));
    EXPECT_EQ(placed.value("Dir1"), (Rect{360, 1440, 4455, 1423}));
    EXPECT_EQ(placed.value("File1"), (Rect{360, 2893, 4455, 4162}));
    EXPECT_FALSE(placed.contains("lstListe"));
}

// Edges are rounded, so that controls meeting in twips meet in pixels at any dpi.
TEST(LayoutTest, TwipsToPixels) {
    struct Case {
        Rect twips;
        double dpi;
        QRect pixels;
    };
    const Case cases[] = {
        {{6900, 1020, 4455, 5685}, 96, QRect(460, 68, 297, 379)},
        {{6900, 6780, 4455, 220}, 96, QRect(460, 452, 297, 15)},
        {{6900, 7000, 135, 240}, 96, QRect(460, 467, 9, 16)},
        {{6900, 6780, 4455, 220}, 192, QRect(920, 904, 594, 29)},
        {{60, 180, 975, 315}, 120, QRect(5, 15, 81, 26)},
        {{0, 80, 11640, 7365}, 144, QRect(0, 8, 1164, 737)},
    };
    for (const Case& c : cases) {
        const QRect px = layout::ToPixels(c.twips, c.dpi);
        EXPECT_EQ(px, c.pixels) << c.twips.left << ',' << c.twips.top << " at " << c.dpi;
        EXPECT_NEAR(layout::ToTwips(px.left() + px.width(), c.dpi), c.twips.left + c.twips.width,
                    1440 / c.dpi / 2 + 1);
    }
}

} // namespace
