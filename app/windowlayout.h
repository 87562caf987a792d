#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// The window's size in the work area and the place of the view that shows the preview box, worked out
// without widgets. Sizes and places are pixels of the window's client area.
namespace FormLayout {
// The preview box's place in the design; the view that holds it starts there.
inline constexpr QPoint PreviewPlace{9, 4};
// The left edge of the leftmost controls (the captions Label1 and Label2).
inline constexpr int ControlsLeft = 505;
// Kept free between the view and the controls, and between the view and the window's edges.
inline constexpr int Spacing = 4;
} // namespace FormLayout

// The client size that makes the window's outer frame, with the frame margins the window manager reports,
// cover the work area exactly.
QSize ClientSizeInWorkArea(QSize workArea, const QMargins& frame);

struct PreviewViewLayout
{
    QRect geometry;
    bool horizontalScrollBar = false;
    bool verticalScrollBar = false;
};

// The view that shows the preview box (outer size `box`) 1:1. It is as large as the box, but the part that
// shows the box is never larger than `largestViewport` (the preview area with the box's border), and the
// whole view, scroll bars included, stays left of the controls and above the window's bottom edge. Where
// the box does not fit, the view shows scroll bars (`scrollBarExtent` pixels thick). The view stands at the
// box's design place, moved left only as far as a vertical scroll bar needs the room.
PreviewViewLayout LayOutPreviewView(QSize box, QSize largestViewport, QSize client, int scrollBarExtent);
