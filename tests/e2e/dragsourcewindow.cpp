#include "tests/e2e/dragsourcewindow.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

DragSourceWindow::DragSourceWindow(QList<QUrl> files) : files_(std::move(files))
{
    setWindowTitle(QStringLiteral("Kadrelle drag source"));
}

void DragSourceWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(40, 90, 160));
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("%1 file(s)").arg(files_.size()));
}

void DragSourceWindow::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    pressedAt_ = event->position().toPoint();
}

void DragSourceWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_ || dragStarted_ ||
        (event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    dragStarted_ = true;
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setUrls(files_);
    drag->setMimeData(data);
    const Qt::DropAction action = drag->exec(Qt::CopyAction);
    emit DragEnded(action != Qt::IgnoreAction);
}
