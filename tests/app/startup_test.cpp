#include "app/previewarea.h"
#include "tests/app/formfixture.h"
#include "toolkit/combobox.h"
#include "toolkit/optionbutton.h"
#include "toolkit/picturebox.h"
#include "toolkit/textbox.h"
#include "toolkit/updown.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

TEST(ChoosePreviewArea, FollowsTheScreenWidth)
{
    struct Case
    {
        float screenWidth;
        std::int16_t width, height;
    };
    const Case cases[] = {{800, 408, 680},  {1024, 408, 680}, {1087, 408, 680},
                          {1088, 312, 520}, {1089, 408, 680}, {1151, 408, 680},
                          {1152, 480, 800}, {1280, 480, 800}, {1088.5f, 408, 680}};
    for (const Case& c : cases) {
        const PreviewArea area = ChoosePreviewArea(c.screenWidth);
        EXPECT_EQ(area.width, c.width) << c.screenWidth;
        EXPECT_EQ(area.height, c.height) << c.screenWidth;
    }
}

TEST_F(FormTest, StartsWithoutSettingsFileInPresetModeAt240By400)
{
    open();
    EXPECT_EQ(control<TextBox>("Text1")->text(), QString());
    EXPECT_TRUE(control<OptionButton>("Option1")->Value());
    EXPECT_EQ(control<ComboBox>("Combo1")->currentText(), QStringLiteral("240×400"));
    EXPECT_EQ(control<ComboBox>("Combo1")->ListIndex(), 1);
    EXPECT_EQ(control<TextBox>("Text2")->text(), QStringLiteral("240"));
    EXPECT_EQ(control<TextBox>("Text3")->text(), QStringLiteral("400"));
    EXPECT_EQ(form->targetWidth(), 240);
    EXPECT_EQ(form->targetHeight(), 400);
    EXPECT_FALSE(control<TextBox>("Text2")->isEnabled());
    EXPECT_TRUE(control<ComboBox>("Combo1")->isEnabled());
}

TEST_F(FormTest, ClosingWritesTheFiveKeysInOrder)
{
    open();
    form->close();
    EXPECT_EQ(
        readSettings().replace("\r\n", "\n").trimmed(),
        QByteArray("[Kadrelle]\nDATAFILE=\nSCREENSELECT=Option1\nFIXSIZE=1\nVALWIDTH=240\nVALHEIGHT=400"));
}

TEST_F(FormTest, StoredSettingsAreRestored)
{
    struct Case
    {
        const char* name;
        QByteArray stored;
        bool customMode;
        int listIndex;
        const char* width;
        const char* height;
        std::int16_t targetWidth, targetHeight;
    };
    const Case cases[] = {
        {"custom mode with its sizes", "[Kadrelle]\nSCREENSELECT=Option2\nVALWIDTH=100\nVALHEIGHT=150\n",
         true, 1, "100", "150", 100, 150},
        {"lower-case option1 is custom mode", "[kadrelle]\nscreenselect=option1\n", true, 1, "240", "400",
         240, 400},
        {"blanks and a leading zero", "[Kadrelle]\nSCREENSELECT=Option2\nVALWIDTH= 0300 \n", true, 1, "300",
         "400", 300, 400},
        {"preset mode cuts the picked preset, not the stored sizes",
         "[Kadrelle]\nFIXSIZE=0\nVALWIDTH=320\nVALHEIGHT=480\n", false, 0, "320", "480", 240, 320},
        {"nothing picked survives", "[Kadrelle]\nFIXSIZE=-1\n", false, -1, "240", "400", 240, 320},
        {"preset 0", "[Kadrelle]\nFIXSIZE=0\n", false, 0, "240", "400", 240, 320},
        {"empty width falls back", "[Kadrelle]\nVALWIDTH=\nVALHEIGHT=abc\n", false, 1, "240", "400", 240,
         400},
        {"index beyond the list falls back", "[Kadrelle]\nFIXSIZE=7\n", false, 1, "240", "400", 240, 400},
        {"number beyond 16 bits falls back", "[Kadrelle]\nFIXSIZE=99999\nVALHEIGHT=70000\n", false, 1, "240",
         "400", 240, 400},
        {"width beyond the spin range is undone", "[Kadrelle]\nVALWIDTH=481\nVALHEIGHT=0\n", false, 1, "240",
         "400", 240, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeSettings(c.stored);
        open();
        EXPECT_EQ(control<OptionButton>("Option2")->Value(), c.customMode);
        EXPECT_EQ(control<TextBox>("Text2")->isEnabled(), c.customMode);
        EXPECT_EQ(control<ComboBox>("Combo1")->ListIndex(), c.listIndex);
        EXPECT_EQ(control<TextBox>("Text2")->text(), QString::fromLatin1(c.width));
        EXPECT_EQ(control<TextBox>("Text3")->text(), QString::fromLatin1(c.height));
        EXPECT_EQ(form->targetWidth(), c.targetWidth);
        EXPECT_EQ(form->targetHeight(), c.targetHeight);
    }
}

TEST_F(FormTest, TypedPresetTextIsStoredAsNothingPickedAndRestoredSo)
{
    open();
    control<ComboBox>("Combo1")->setEditText(QStringLiteral("my own"));
    form->close();
    EXPECT_TRUE(readSettings().contains("FIXSIZE=-1"));
    open();
    EXPECT_EQ(control<ComboBox>("Combo1")->ListIndex(), -1);
}

TEST_F(FormTest, OutputPathIsRestoredAsCurrentFileAndStoredBackUnchanged)
{
    writeSettings("[Kadrelle]\nDATAFILE=/pics/wall[00003].bmp\nVALWIDTH=\n");
    open();
    EXPECT_EQ(control<TextBox>("Text1")->text(), QStringLiteral("/pics/wall[00003].bmp"));
    EXPECT_EQ(form->currentFile(), QStringLiteral("/pics/wall[00003].bmp"));
    control<TextBox>("Text2")->clear();
    form->close();
    const QByteArray stored = readSettings();
    EXPECT_TRUE(stored.contains("DATAFILE=/pics/wall[00003].bmp"));
    EXPECT_TRUE(stored.contains("VALWIDTH=\n") || stored.contains("VALWIDTH=\r\n") ||
                stored.endsWith("VALWIDTH="));
}

TEST_F(FormTest, PreviewAreaAndWindowSizeFollowTheScreen)
{
    open(1088);
    EXPECT_EQ(form->previewMaxWidth(), 312);
    EXPECT_EQ(form->previewMaxHeight(), 520);
    EXPECT_EQ(control<PictureBox>("Picture2")->size(), QSize(312, 520));
    showActive();
    EXPECT_EQ(form->frameGeometry().size(), QSize(1088, 984));
    EXPECT_EQ(form->frameGeometry().topLeft(), QPoint(0, 0));
}

TEST_F(FormTest, ControlsCarryTheirCaptionsAndPlaces)
{
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kadrelle Ver1.0.0"));
    EXPECT_EQ(control<QLabel>("Label1")->text(), QStringLiteral("出力ファイルパス"));
    EXPECT_EQ(control<QLabel>("Label2")->text(), QStringLiteral("携帯画面サイズ"));
    EXPECT_EQ(control<OptionButton>("Option1")->text(), QStringLiteral("選択して選ぶ"));
    EXPECT_EQ(control<OptionButton>("Option2")->text(), QStringLiteral("画面サイズを指定する"));
    EXPECT_EQ(control<QLabel>("Label3")->text(), QStringLiteral("横"));
    EXPECT_EQ(control<QLabel>("Label4")->text(), QStringLiteral("×"));
    EXPECT_EQ(control<QLabel>("Label5")->text(), QStringLiteral("縦"));
    EXPECT_EQ(control<QPushButton>("Command2")->text(), QStringLiteral("連番リセット"));
    EXPECT_TRUE(control<QPushButton>("Command1")->text().isEmpty());
    EXPECT_FALSE(control<QPushButton>("Command1")->icon().isNull());
    EXPECT_EQ(control<TextBox>("Text1")->geometry(), QRect(596, 5, 266, 20));
    EXPECT_EQ(control<ComboBox>("Combo1")->geometry(), QRect(39, 15, 203, 20));
    EXPECT_EQ(control<ComboBox>("Combo1")->parentWidget(), control<QGroupBox>("Frame1"));
    EXPECT_EQ(control<UpDown>("UpDown2")->geometry(), QRect(224, 14, 16, 19));
    EXPECT_EQ(control<UpDown>("UpDown1")->Max(), 480);
    EXPECT_EQ(control<UpDown>("UpDown2")->Max(), 800);
    EXPECT_EQ(control<UpDown>("UpDown1")->Min(), 1);
    EXPECT_FALSE(control<PictureBox>("Picture1")->isVisibleTo(form.get()));
    const QList<QSize> iconSizes = form->windowIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(32, 32)));
}

TEST_F(FormTest, TabVisitsTheControlsInTheirOrder)
{
    open();
    const char* order[] = {"Text1", "Command1", "Option1", "Option2", "Combo1", "Text2", "Text3", "Command2"};
    QWidget* widget = control<TextBox>("Text1");
    for (std::size_t i = 1; i < std::size(order); ++i) {
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || widget->objectName().isEmpty());
        EXPECT_EQ(widget->objectName(), QString::fromLatin1(order[i]));
    }
}
