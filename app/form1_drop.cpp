#include "app/form1.h"
#include "toolkit/picturebox.h"
#include "toolkit/textbox.h"
#include "trim/dropsequence.h"
#include "trim/trimmessages.h"

void Form1::dropFiles(const QStringList& paths)
{
    CurrentFile = paths.first();
    report(TrimMessages::WithOthersIgnored(TrimAndSave(), paths.size() - 1));
}

QString Form1::TrimAndSave()
{
    Picture1->SetAutoRedraw(false);
    Picture2->SetAutoRedraw(false);
    Picture1->Cls();
    Picture2->Cls();
    const DropResult result = DropPicture(
        CurrentFile, {TargetWidth, TargetHeight, PreviewMaxWidth, PreviewMaxHeight}, Text1->text());
    Text1->setText(result.outputPath);
    if (result.trim.preview) {
        const QImage& crop = *result.trim.preview;
        const int border = 2 * PictureBox::BorderWidth;
        Picture2->SetAutoRedraw(true);
        Picture2->SetOuterSize(crop.width() + border, crop.height() + border);
        layOutPreview();
        Picture2->Cls();
        Picture2->PaintPicture(crop, {0, 0});
        Picture2->SetAutoRedraw(false);
    }
    return result.trim.message;
}
