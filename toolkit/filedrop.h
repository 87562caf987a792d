#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

// Makes a widget take dropped files: a drag that carries at least one local file is accepted when it enters,
// any other drag is refused; a drop reports the local files in the order the drag lists them.
class FileDropTarget : public QObject
{
    Q_OBJECT

  public:
    explicit FileDropTarget(QWidget* target);

  signals:
    void FilesDropped(const QStringList& paths);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Makes a widget and everything inside it refuse drops (a text box would otherwise insert a file's URL).
// Qt offers a drop that a widget refuses to its parents, so a widget that takes drops must not be the parent
// of one that refuses them.
void RefuseDrops(QWidget* widget);
