#pragma once

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <memory>

// Simulates a drag over a widget and a drop on it, as the window system delivers them.
// Returns whether the widget accepted the drag when it entered.
inline bool SimulateDrop(QWidget* widget, const QStringList& localFiles, const QString& text = QString())
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& file : localFiles)
        urls.append(QUrl::fromLocalFile(file));
    if (!urls.isEmpty())
        data->setUrls(urls);
    if (!text.isEmpty())
        data->setText(text);
    const QPoint centre = widget->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(centre, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &drop);
    return drop.isAccepted();
}
