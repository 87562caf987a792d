#include "toolkit/filedrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

QStringList localFiles(const QMimeData* data)
{
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

bool isDragEvent(const QEvent* event)
{
    return event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
           event->type() == QEvent::Drop;
}

} // namespace

FileDropTarget::FileDropTarget(QWidget* target) : QObject(target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject*, QEvent* event)
{
    if (!isDragEvent(event))
        return false;
    auto* drag = static_cast<QDropEvent*>(event);
    const QStringList paths = localFiles(drag->mimeData());
    if (paths.isEmpty()) {
        drag->ignore();
        return true;
    }
    drag->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        emit FilesDropped(paths);
    return true;
}

void RefuseDrops(QWidget* widget)
{
    widget->setAcceptDrops(false);
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->setAcceptDrops(false);
}
