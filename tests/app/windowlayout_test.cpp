#include "app/previewarea.h"
#include "app/windowlayout.h"

#include <gtest/gtest.h>

namespace {

constexpr int ScrollBar = 14;
constexpr int Border = 4; // the preview box's border, both sides

struct Screen
{
    const char* name;
    QSize size;
};

const Screen Screens[] = {{"1024x768", {1024, 768}},
                          {"1366x768", {1366, 768}},
                          {"1920x1080", {1920, 1080}},
                          {"1088x800", {1088, 800}}};

struct Frame
{
    const char* name;
    QMargins margins;
};

const Frame Frames[] = {
    {"no frame", {}}, {"20 px title bar", {0, 20, 0, 0}}, {"20 px all round", {20, 20, 20, 20}}};

QString Describe(const Screen& screen, const Frame& frame, QSize box)
{
    return QStringLiteral("%1, %2, box %3x%4")
        .arg(QLatin1String(screen.name), QLatin1String(frame.name))
        .arg(box.width())
        .arg(box.height());
}

} // namespace

// On every screen and frame, the window's outer frame covers the work area (a 30-pixel panel at the bottom),
// and the view of each preview box stays inside the window and left of the controls, shows the box whole
// when it fits and scroll bars exactly when it does not.
TEST(WindowLayout, TheWindowFitsAndThePreviewViewNeverCoversTheControls)
{
    for (const Screen& screen : Screens) {
        const PreviewArea area = ChoosePreviewArea(float(screen.size.width()));
        const QSize largest(area.width + Border, area.height + Border);
        const QSize boxes[] = {
            {area.width, area.height},            // at start
            largest,                              // a crop of the preview area's size
            {2 * 400 + Border, 2 * 240 + Border}, // a wide target's largest crop
            {2 * 240 + Border, 2 * 400 + Border}, // a tall target's largest crop
            {148, 196},                           // a small crop
        };
        for (const Frame& frame : Frames) {
            const QRect workArea(QPoint(0, 0), screen.size - QSize(0, 30));
            const QSize client = ClientSizeInWorkArea(workArea.size(), frame.margins);
            EXPECT_EQ(QRect(QPoint(0, 0), client).marginsAdded(frame.margins).size(), workArea.size())
                << screen.name << ", " << frame.name;
            for (const QSize box : boxes) {
                SCOPED_TRACE(Describe(screen, frame, box).toStdString());
                const PreviewViewLayout layout = LayOutPreviewView(box, largest, client, ScrollBar);
                const QRect view = layout.geometry;
                EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(view));
                EXPECT_LE(view.right(), FormLayout::ControlsLeft - FormLayout::Spacing);
                EXPECT_GE(view.left(), 0);
                EXPECT_LE(view.left(), FormLayout::PreviewPlace.x());
                EXPECT_EQ(view.top(), FormLayout::PreviewPlace.y());
                const QSize viewport(view.width() - (layout.verticalScrollBar ? ScrollBar : 0),
                                     view.height() - (layout.horizontalScrollBar ? ScrollBar : 0));
                EXPECT_LE(viewport.width(), largest.width());
                EXPECT_LE(viewport.height(), largest.height());
                EXPECT_EQ(layout.horizontalScrollBar, box.width() > viewport.width());
                EXPECT_EQ(layout.verticalScrollBar, box.height() > viewport.height());
                if (box.width() <= largest.width() && box.height() <= client.height() - 8 - ScrollBar) {
                    EXPECT_EQ(viewport, box);
                }
            }
        }
    }
}

TEST(WindowLayout, ConcreteViews)
{
    struct Case
    {
        const char* name;
        QSize box, largest, client;
        QRect view;
        bool horizontal, vertical;
    };
    const Case cases[] = {
        {"box that fits stands at its design place",
         {484, 644},
         {484, 804},
         {1366, 740},
         {9, 4, 484, 644},
         false,
         false},
        {"tall box on a 768-pixel screen scrolls down, moved left for the bar",
         {484, 804},
         {484, 804},
         {1366, 718},
         {3, 4, 498, 710},
         false,
         true},
        {"wide box scrolls across", {804, 484}, {484, 804}, {1920, 1050}, {9, 4, 484, 498}, true, false},
        {"box larger both ways", {804, 1604}, {484, 804}, {1920, 1050}, {3, 4, 498, 818}, true, true},
        {"a window narrower than the controls",
         {412, 684},
         {412, 684},
         {300, 600},
         {0, 4, 296, 592},
         true,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PreviewViewLayout layout = LayOutPreviewView(c.box, c.largest, c.client, ScrollBar);
        EXPECT_EQ(layout.geometry, c.view);
        EXPECT_EQ(layout.horizontalScrollBar, c.horizontal);
        EXPECT_EQ(layout.verticalScrollBar, c.vertical);
    }
}
