#include "app/form1.h"
#include "outputname/serialname.h"
#include "toolkit/picturebox.h"
#include "toolkit/textbox.h"
#include "trim/trimandsave.h"

namespace {

const QString PathTooLong = QStringLiteral("出力ファイルパスが長すぎるため、連番を付けられません。");

} // namespace

void Form1::dropFiles(const QStringList& paths)
{
    CurrentFile = paths.first();
    if (EnsureSerial() && TrimAndSave())
        AdvanceSerial();
}

bool Form1::EnsureSerial()
{
    const std::optional<QString> numbered = ::EnsureSerial(Text1->text());
    if (!numbered) {
        report(PathTooLong);
        return false;
    }
    Text1->setText(*numbered);
    return true;
}

bool Form1::AdvanceSerial()
{
    const std::optional<QString> advanced = ::AdvanceSerial(Text1->text());
    if (!advanced) {
        report(PathTooLong);
        return false;
    }
    Text1->setText(*advanced);
    return true;
}

bool Form1::TrimAndSave()
{
    Picture1->SetAutoRedraw(false);
    Picture2->SetAutoRedraw(false);
    Picture1->Cls();
    Picture2->Cls();
    const TrimResult result = TrimAndSaveFile(
        CurrentFile, {TargetWidth, TargetHeight, PreviewMaxWidth, PreviewMaxHeight}, Text1->text());
    if (result.preview) {
        const int border = 2 * PictureBox::BorderWidth;
        Picture2->SetAutoRedraw(true);
        Picture2->SetOuterSize(result.preview->width() + border, result.preview->height() + border);
        Picture2->Cls();
        Picture2->PaintPicture(*result.preview, {0, 0});
        Picture2->SetAutoRedraw(false);
    }
    report(result.message);
    return result.saved;
}
