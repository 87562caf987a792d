#include "app/windowlayout.h"

#include <algorithm>

QSize ClientSizeInWorkArea(QSize workArea, const QMargins& frame)
{
    return workArea.shrunkBy(frame).expandedTo({0, 0});
}

PreviewViewLayout LayOutPreviewView(QSize box, QSize largestViewport, QSize client, int scrollBarExtent)
{
    using namespace FormLayout;
    // The room from the window's left edge to the controls, and from the view's top to the window's bottom.
    const int roomWidth = std::max(0, std::min(ControlsLeft, client.width()) - Spacing);
    const int roomHeight = std::max(0, client.height() - Spacing - PreviewPlace.y());

    PreviewViewLayout layout;
    QSize viewport;
    // A scroll bar in one direction takes room from the other, which may then need its own: two rounds settle
    // it, a third confirms.
    for (int round = 0; round < 3; ++round) {
        viewport.setWidth(
            std::max(0, std::min({box.width(), largestViewport.width(),
                                  roomWidth - (layout.verticalScrollBar ? scrollBarExtent : 0)})));
        viewport.setHeight(
            std::max(0, std::min({box.height(), largestViewport.height(),
                                  roomHeight - (layout.horizontalScrollBar ? scrollBarExtent : 0)})));
        layout.horizontalScrollBar = box.width() > viewport.width();
        layout.verticalScrollBar = box.height() > viewport.height();
    }
    const QSize view(viewport.width() + (layout.verticalScrollBar ? scrollBarExtent : 0),
                     viewport.height() + (layout.horizontalScrollBar ? scrollBarExtent : 0));
    const int left = std::max(0, std::min(PreviewPlace.x(), roomWidth - view.width()));
    layout.geometry = QRect(QPoint(left, PreviewPlace.y()), view);
    return layout;
}
