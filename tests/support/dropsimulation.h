#pragma once

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <memory>

// Simulates a drag entering a window at a point and a drop there. As Qt does, the drag goes to the widget
// under the point or the nearest parent that takes drops. Returns whether the drop was taken.
inline bool SimulateDropAt(QWidget* window, QPoint point, const QStringList& localFiles,
                           const QString& text = QString())
{
    QWidget* target = window->childAt(point) != nullptr ? window->childAt(point) : window;
    while (target != nullptr && !target->acceptDrops())
        target = target->isWindow() ? nullptr : target->parentWidget();
    if (target == nullptr)
        return false;

    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& file : localFiles)
        urls.append(QUrl::fromLocalFile(file));
    if (!urls.isEmpty())
        data->setUrls(urls);
    if (!text.isEmpty())
        data->setText(text);
    const QPoint local = target->mapFrom(window, point);
    QDragEnterEvent enter(local, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(local, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// The same over the middle of a widget.
inline bool SimulateDrop(QWidget* over, const QStringList& localFiles, const QString& text = QString())
{
    QWidget* window = over->window();
    return SimulateDropAt(window, over->mapTo(window, over->rect().center()), localFiles, text);
}
