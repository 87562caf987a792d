#include "app/form1.h"
#include "outputname/pathparts.h"
#include "outputname/serialname.h"
#include "settings/appsettings.h"
#include "toolkit/openfiledialog.h"
#include "toolkit/textbox.h"
#include "trim/trimmessages.h"

#include <QCoreApplication>

void Form1::Command1_Click()
{
    const std::optional<FolderAndName> current = SplitFolderAndName(Text1->text());
    if (!current) {
        report(TrimMessages::OutputPathTooLong(Text1->text()));
        return;
    }
    const OpenFileRequest request{
        QCoreApplication::translate("Form1", "データファイルの指定"),
        current->folder.isEmpty() ? AppFolder() : current->folder,
        current->name,
        {QCoreApplication::translate("Form1", "ビットマップ ファイル (*.bmp)"),
         QCoreApplication::translate("Form1", "すべてのファイル (*)")},
    };
    const std::optional<QString> picked = CommonDialog1->pick(this, request);
    if (!picked)
        return;

    Text1->setText(*picked);
    Text1->SetSelStart(0);
    Text1->SetSelLength(int(Text1->text().size()));
    Text1->setFocus();
    if (Text1->text() == CurrentFile)
        return;
    const std::optional<FrontAndRest> parts = SplitAtFirstDot(Text1->text());
    if (!parts) {
        report(TrimMessages::OutputPathTooLong(Text1->text()));
        return;
    }
    Text1->setText(parts->front + QStringLiteral("[00000]") + parts->rest);
    // The pick is kept at once, so it survives even an end without the close's settings write.
    WriteIniString(SettingsSection, SettingsKey::DataFile, Text1->text());
}

void Form1::Text1_GotFocus()
{
    Text1->SetSelStart(0);
    Text1->SetSelLength(int(Text1->text().size()));
}

void Form1::Command2_Click()
{
    if (const std::optional<QString> reset = ResetSerial(Text1->text()))
        Text1->setText(*reset);
}
