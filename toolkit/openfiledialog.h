#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QFileDialog;
class QWidget;

// What the open-file dialog is asked to show.
struct OpenFileRequest
{
    QString title;
    QString initialFolder;
    QString initialName;
    QStringList filters; // "description (*.ext)", the first one selected
};

// The open-file dialog behind an interface of our own, so that tests can script a pick or a cancel.
class OpenFileDialog
{
  public:
    virtual ~OpenFileDialog() = default;
    // The picked path, or nullopt when the user cancelled.
    virtual std::optional<QString> pick(QWidget* parent, const OpenFileRequest& request) = 0;
};

// Qt's own file dialog: the folder must exist, a name that does not exist yet may be picked once the user
// confirms its creation (nothing is created), the current folder is left alone and no extension is added.
class QtOpenFileDialog final : public OpenFileDialog
{
  public:
    std::optional<QString> pick(QWidget* parent, const OpenFileRequest& request) override;

    // Sets a dialog up for the request; apart so that the set-up can be checked without showing it.
    static void configure(QFileDialog& dialog, const OpenFileRequest& request);
};
