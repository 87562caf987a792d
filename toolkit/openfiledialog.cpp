#include "toolkit/openfiledialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// Asks before taking a name that does not exist yet, and keeps the dialog open for a missing folder.
class ConfirmingFileDialog final : public QFileDialog
{
  public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList picked = selectedFiles();
        if (picked.isEmpty())
            return;
        const QFileInfo file(picked.first());
        if (!file.dir().exists()) {
            QMessageBox::warning(
                this, windowTitle(),
                QCoreApplication::translate("OpenFileDialog", "フォルダーが見つかりません。\n%1")
                    .arg(QDir::toNativeSeparators(file.absolutePath())));
            return;
        }
        if (file.isDir()) {
            setDirectory(file.absoluteFilePath());
            return;
        }
        if (!file.exists() &&
            QMessageBox::question(
                this, windowTitle(),
                QCoreApplication::translate("OpenFileDialog", "%1 は存在しません。\n作成しますか?")
                    .arg(QDir::toNativeSeparators(file.absoluteFilePath()))) != QMessageBox::Yes)
            return;
        QFileDialog::accept();
    }
};

} // namespace

void QtOpenFileDialog::configure(QFileDialog& dialog, const OpenFileRequest& request)
{
    dialog.setWindowTitle(request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // AnyFile lets a new name through to accept(), which asks about it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(request.filters);
    if (!request.filters.isEmpty())
        dialog.selectNameFilter(request.filters.first());
    dialog.setDirectory(request.initialFolder);
    dialog.selectFile(request.initialName);
}

std::optional<QString> QtOpenFileDialog::pick(QWidget* parent, const OpenFileRequest& request)
{
    ConfirmingFileDialog dialog(parent);
    configure(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}
