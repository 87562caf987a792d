#include "app/form1.h"

#include "app/previewarea.h"
#include "app/windowlayout.h"
#include "settings/appsettings.h"
#include "toolkit/combobox.h"
#include "toolkit/numbertext.h"
#include "toolkit/openfiledialog.h"
#include "toolkit/optionbutton.h"
#include "toolkit/picturebox.h"
#include "toolkit/textbox.h"
#include "toolkit/updown.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr std::int16_t SettingsBufferSize = 256;

QString readSetting(const IniSnapshot& stored, const QString& key, const QString& defaultText)
{
    return stored.ReadIniString(key, defaultText, SettingsBufferSize);
}

// A stored number that is no 16-bit integer falls back to the key's default, so that a damaged or
// emptied value can never keep the program from starting.
std::int16_t readNumberSetting(const IniSnapshot& stored, const QString& key, std::int16_t defaultValue)
{
    return TextToInt16(readSetting(stored, key, QString::number(defaultValue))).value_or(defaultValue);
}

} // namespace

Form1::Form1(std::unique_ptr<OpenFileDialog> dialog, const ScreenMetrics& screen)
    : CommonDialog1(std::move(dialog)), screen_(screen)
{
    createControls();
    setTabOrder();
    connectHandlers();
    Form_Load();
}

Form1::Form1() : Form1(std::make_unique<QtOpenFileDialog>(), PrimaryScreenMetrics()) {}

Form1::~Form1() = default;

void Form1::connectHandlers()
{
    connect(Option1, &OptionButton::Click, this, &Form1::Option1_Click);
    connect(Option2, &OptionButton::Click, this, &Form1::Option2_Click);
    connect(Combo1, &ComboBox::Click, this, &Form1::Combo1_Click);
    connect(Text2, &TextBox::Change, this, &Form1::Text2_Change);
    connect(Text3, &TextBox::Change, this, &Form1::Text3_Change);
    connect(Text2, &TextBox::KeyUp, this, &Form1::Text2_KeyUp);
    connect(Text3, &TextBox::KeyUp, this, &Form1::Text3_KeyUp);
    connect(Text2, &TextBox::MouseUp, this, &Form1::Text2_MouseUp);
    connect(Text3, &TextBox::MouseUp, this, &Form1::Text3_MouseUp);
    connect(UpDown1, &UpDown::Change, this, &Form1::UpDown1_Change);
    connect(UpDown2, &UpDown::Change, this, &Form1::UpDown2_Change);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Text1, &TextBox::GotFocus, this, &Form1::Text1_GotFocus);
}

void Form1::FitFormToWorkArea()
{
    const PreviewArea preview = ChoosePreviewArea(static_cast<float>(screen_.screenArea.width()));
    PreviewMaxWidth = preview.width;
    PreviewMaxHeight = preview.height;
    fitFrameToWorkArea();
    Picture2->SetOuterSize(PreviewMaxWidth, PreviewMaxHeight);
    layOutPreview();
}

void Form1::Form_Load()
{
    FitFormToWorkArea();
    Combo1->AddItem(QStringLiteral("240×320"));
    Combo1->AddItem(QStringLiteral("240×400"));
    UpDown1->SetValue(240);
    UpDown2->SetValue(400);
    Option1_Click();
    Combo1->SetListIndex(0);

    const IniSnapshot stored(SettingsSection,
                             {SettingsKey::DataFile, SettingsKey::ScreenSelect, SettingsKey::FixSize,
                              SettingsKey::ValWidth, SettingsKey::ValHeight});
    CurrentFile = readSetting(stored, SettingsKey::DataFile, QString());
    Text1->setText(CurrentFile);
    if (readSetting(stored, SettingsKey::ScreenSelect, QStringLiteral("Option1")) ==
        QStringLiteral("Option1"))
        Option1->SetValue(true);
    else
        Option2->SetValue(true);
    // An index that names no entry falls back to the default pick.
    if (!Combo1->SetListIndex(readNumberSetting(stored, SettingsKey::FixSize, 1)))
        Combo1->SetListIndex(1);
    Text2->setText(QString::number(readNumberSetting(stored, SettingsKey::ValWidth, 240)));
    Text3->setText(QString::number(readNumberSetting(stored, SettingsKey::ValHeight, 400)));
    // The stored sizes were taken whatever the mode; the size in force is the one the mode's controls show.
    if (Option1->Value())
        Option1_Click();
    else
        Option2_Click();
}

void Form1::Form_Activate()
{
    fitFrameToWorkArea();
}

// The outer frame, decorations included, covers the work area: nothing of the window lies under a panel or
// off the screen.
void Form1::fitFrameToWorkArea()
{
    fittedFrame_ = frameMargins();
    resize(ClientSizeInWorkArea(screen_.workArea.size(), fittedFrame_));
    move(screen_.workArea.topLeft());
}

QMargins Form1::frameMargins() const
{
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

// Shows the preview box 1:1 in a view that keeps clear of the controls and within the window.
void Form1::layOutPreview()
{
    const int border = 2 * PictureBox::BorderWidth;
    const PreviewViewLayout layout =
        LayOutPreviewView(Picture2->size(), QSize(PreviewMaxWidth + border, PreviewMaxHeight + border),
                          size(), PreviewView->verticalScrollBar()->sizeHint().width());
    PreviewView->setHorizontalScrollBarPolicy(layout.horizontalScrollBar ? Qt::ScrollBarAlwaysOn
                                                                         : Qt::ScrollBarAlwaysOff);
    PreviewView->setVerticalScrollBarPolicy(layout.verticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                                     : Qt::ScrollBarAlwaysOff);
    PreviewView->setGeometry(layout.geometry);
}

void Form1::Form_QueryUnload()
{
    WriteIniStrings(SettingsSection,
                    {{SettingsKey::DataFile, Text1->text()},
                     {SettingsKey::ScreenSelect,
                      Option1->Value() ? QStringLiteral("Option1") : QStringLiteral("Option2")},
                     {SettingsKey::FixSize, QString::number(Combo1->ListIndex())},
                     {SettingsKey::ValWidth, Text2->text()},
                     {SettingsKey::ValHeight, Text3->text()}});
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!activated_) {
        activated_ = true;
        Form_Activate();
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    event->accept();
}

// The window manager reports the frame some time after the show, with a move or a resize of the window: the
// window is fitted again then, as long as it is neither maximized nor minimized.
void Form1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (activated_ && windowState() == Qt::WindowNoState && frameMargins() != fittedFrame_)
        fitFrameToWorkArea();
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Surface->resize(size());
    layOutPreview();
    if (activated_ && windowState() == Qt::WindowNoState && frameMargins() != fittedFrame_)
        fitFrameToWorkArea();
}

void Form1::report(const QString& message)
{
    StatusLine->setText(message);
}
