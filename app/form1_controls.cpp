#include "app/form1.h"
#include "toolkit/combobox.h"
#include "toolkit/filedrop.h"
#include "toolkit/optionbutton.h"
#include "toolkit/picturebox.h"
#include "toolkit/textbox.h"
#include "toolkit/updown.h"
#include "toolkit/windowicon.h"
#include "trim/previewbackground.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>

namespace {

// Places a new control at its design position (pixels, relative to its container) under its system name.
template <typename Control> Control* place(Control* control, const char* name, QRect geometry)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

QLabel* label(const QString& caption, QWidget* parent)
{
    return new QLabel(caption, parent);
}

} // namespace

void Form1::createControls()
{
    setWindowTitle(QStringLiteral("Kadrelle Ver1.0.0"));
    setWindowIcon(WindowIcon());
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);

    // The bare surface lies beneath every control, so a drop over a control never reaches it.
    Surface = place(new QWidget(this), "Surface", rect());
    // The preview box sits in a view that scrolls when the crop is larger than the window has room for.
    PreviewView = place(new QScrollArea(this), "PreviewView", {9, 4, 480, 800});
    PreviewView->setFrameShape(QFrame::NoFrame);
    Picture2 = new PictureBox;
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->resize(480, 800);
    PreviewView->setWidget(Picture2);
    QPalette previewPalette = Picture2->palette();
    previewPalette.setColor(Picture2->backgroundRole(), PreviewBackground);
    Picture2->setPalette(previewPalette);
    Text1 = place(new TextBox(this), "Text1", {596, 5, 266, 20});
    Command1 = place(new QPushButton(this), "Command1", {864, 2, 28, 26});
    Command1->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    Command1->setIconSize({16, 16});
    Label1 = place(label(QCoreApplication::translate("Form1", "出力ファイルパス"), this), "Label1",
                   {505, 10, 88, 13});
    Label2 = place(label(QCoreApplication::translate("Form1", "携帯画面サイズ"), this), "Label2",
                   {505, 59, 84, 13});
    Picture1 = place(new PictureBox(this), "Picture1", {585, 196, 240, 370});
    Picture1->setVisible(false);
    Option1 = place(new OptionButton(QCoreApplication::translate("Form1", "選択して選ぶ"), this), "Option1",
                    {596, 59, 88, 15});
    Option1->SetValue(true);
    Option2 = place(new OptionButton(QCoreApplication::translate("Form1", "画面サイズを指定する"), this),
                    "Option2", {596, 127, 148, 14});
    Frame1 = place(new QGroupBox(this), "Frame1", {597, 75, 295, 43});
    Combo1 = place(new ComboBox(Frame1), "Combo1", {39, 15, 203, 20});
    Frame2 = place(new QGroupBox(this), "Frame2", {597, 141, 295, 39});
    Label3 = place(label(QCoreApplication::translate("Form1", "横"), Frame2), "Label3", {43, 17, 12, 12});
    Text2 = place(new TextBox(Frame2), "Text2", {61, 15, 49, 17});
    UpDown1 = place(new UpDown(Frame2), "UpDown1", {109, 14, 16, 19});
    UpDown1->SetRange(1, 480);
    Label4 = place(label(QStringLiteral("×"), Frame2), "Label4", {135, 17, 13, 12});
    Label5 = place(label(QCoreApplication::translate("Form1", "縦"), Frame2), "Label5", {158, 17, 13, 13});
    Text3 = place(new TextBox(Frame2), "Text3", {176, 15, 49, 18});
    UpDown2 = place(new UpDown(Frame2), "UpDown2", {224, 14, 16, 19});
    UpDown2->SetRange(1, 800);
    Command2 = place(new QPushButton(QCoreApplication::translate("Form1", "連番リセット"), this), "Command2",
                     {596, 32, 296, 18});
    StatusLine = place(label(QString(), this), "StatusLine", {597, 188, 295, 120});
    StatusLine->setWordWrap(true);
    StatusLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StatusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // Only the window's bare surface, the status line on it and the preview box take dropped files.
    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (control != Surface && control != StatusLine)
            RefuseDrops(control);
    connect(new FileDropTarget(Surface), &FileDropTarget::FilesDropped, this, &Form1::Form_OLEDragDrop);
    connect(new FileDropTarget(StatusLine), &FileDropTarget::FilesDropped, this, &Form1::Form_OLEDragDrop);
    connect(new FileDropTarget(Picture2), &FileDropTarget::FilesDropped, this, &Form1::Picture2_OLEDragDrop);
}

void Form1::setTabOrder()
{
    QWidget* const order[] = {Picture2, Text1, Command1, Option1, Option2, Combo1, Text2, Text3, Command2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
