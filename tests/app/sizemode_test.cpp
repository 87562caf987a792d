#include "tests/app/formfixture.h"
#include "toolkit/combobox.h"
#include "toolkit/optionbutton.h"
#include "toolkit/textbox.h"

#include <QAbstractItemView>

namespace {

// Switching the size mode by clicking the option buttons: the size in force is always the one the enabled
// controls show.
class SizeModeTest : public FormTest
{
  protected:
    void start(const QByteArray& settings)
    {
        writeSettings(settings);
        open();
        showActive();
        Option1 = control<OptionButton>("Option1");
        Option2 = control<OptionButton>("Option2");
        Combo1 = control<ComboBox>("Combo1");
        Text2 = control<TextBox>("Text2");
        Text3 = control<TextBox>("Text3");
    }

    void click(QWidget* control)
    {
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
    }

    void typeInto(TextBox* field, const QString& text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    QSize target() const { return {form->targetWidth(), form->targetHeight()}; }

    OptionButton* Option1 = nullptr;
    OptionButton* Option2 = nullptr;
    ComboBox* Combo1 = nullptr;
    TextBox* Text2 = nullptr;
    TextBox* Text3 = nullptr;
};

} // namespace

TEST_F(SizeModeTest, EachModeCutsTheSizeItsControlsShow)
{
    start("[Kadrelle]\nSCREENSELECT=Option2\nFIXSIZE=1\nVALWIDTH=320\nVALHEIGHT=480\n");
    EXPECT_EQ(target(), QSize(320, 480));
    typeInto(Text2, QStringLiteral("100"));
    typeInto(Text3, QStringLiteral("150"));
    EXPECT_EQ(target(), QSize(100, 150));

    click(Option1);
    ASSERT_TRUE(Option1->Value());
    EXPECT_EQ(target(), QSize(240, 400));

    click(Option2);
    ASSERT_TRUE(Option2->Value());
    EXPECT_EQ(target(), QSize(100, 150));
}

TEST_F(SizeModeTest, AnEmptiedFieldShowsNoSizeAndLeavesThePresetInForce)
{
    start("[Kadrelle]\nSCREENSELECT=Option2\nVALWIDTH=100\nVALHEIGHT=150\n");
    typeInto(Text3, QString());
    QTest::keyClick(Text3, Qt::Key_Backspace);
    ASSERT_TRUE(Text3->text().isEmpty());
    click(Option1);
    click(Option2);
    EXPECT_EQ(target(), QSize(240, 400));
}

TEST_F(SizeModeTest, TextTypedIntoTheListPicksNothingAndLeavesTheSize)
{
    start("[Kadrelle]\nSCREENSELECT=Option2\nFIXSIZE=-1\nVALWIDTH=100\nVALHEIGHT=150\n");
    ASSERT_EQ(Combo1->ListIndex(), -1);
    click(Option1);
    EXPECT_EQ(target(), QSize(100, 150));
}

TEST_F(SizeModeTest, APresetPickedWhileInCustomModeIsLeftForTheSwitch)
{
    start("[Kadrelle]\nSCREENSELECT=Option1\nFIXSIZE=0\n");
    EXPECT_EQ(target(), QSize(240, 320));
    click(Option2);
    EXPECT_EQ(target(), QSize(240, 400));
    Combo1->SetListIndex(1);
    EXPECT_EQ(target(), QSize(240, 400));
    click(Option1);
    EXPECT_EQ(target(), QSize(240, 400));
    Combo1->SetListIndex(0);
    EXPECT_EQ(target(), QSize(240, 320));
}
