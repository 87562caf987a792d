#pragma once

#include <QList>
#include <QPoint>
#include <QUrl>
#include <QWidget>

// A small window that starts a real drag of its files when the mouse is pressed and moved on it,
// so that X input can carry them over XDND onto another program's window.
class DragSourceWindow : public QWidget
{
    Q_OBJECT

  public:
    explicit DragSourceWindow(QList<QUrl> files);

  signals:
    // The drag ended: dropped tells whether a drop was sent to a target that was willing to take it.
    void DragEnded(bool dropped);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QList<QUrl> files_;
    QPoint pressedAt_;
    bool pressed_ = false;
    bool dragStarted_ = false;
};
