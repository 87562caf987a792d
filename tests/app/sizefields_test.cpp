#include "app/sizetext.h"
#include "tests/app/formfixture.h"
#include "toolkit/optionbutton.h"
#include "toolkit/textbox.h"
#include "toolkit/updown.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QToolButton>

TEST(IsSignedDigits, AcceptsOnlyAsciiDigitsAfterAnOptionalMinus)
{
    const std::pair<const char*, bool> cases[] = {
        {"", true},    {"-", true},    {"-12", true},  {"0240", true}, {"1-2", false},    {"--1", false},
        {"+1", false}, {"1.5", false}, {"1 2", false}, {" 1", false},  {"１２０", false}, {"12a", false},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(IsSignedDigits(QString::fromUtf8(text)), expected) << text;
}

TEST(StartsWithDoubleByte, IsTrueForCharactersOfMoreThanOneByte)
{
    const std::pair<const char*, bool> cases[] = {
        {"1", false}, {"a5", false}, {"１２０", true}, {"横", true}, {"é", true}, {"\xF0\x9F\x98\x80", true},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(StartsWithDoubleByte(QString::fromUtf8(text)), expected) << text;
}

namespace {

class SizeFieldsTest : public FormTest
{
  protected:
    void SetUp() override
    {
        writeSettings("[Kadrelle]\nSCREENSELECT=Option2\n");
        open();
        showActive();
        width = control<TextBox>("Text2");
        height = control<TextBox>("Text3");
        widthSpin = control<UpDown>("UpDown1");
        heightSpin = control<UpDown>("UpDown2");
    }

    // Clicks into the field after its text, as the user does before typing.
    void clickAtEnd(TextBox* field)
    {
        field->setFocus();
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 3, field->height() / 2));
        ASSERT_EQ(field->SelStart(), field->text().size());
    }

    void paste(TextBox* field, const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }

    TextBox* width = nullptr;
    TextBox* height = nullptr;
    UpDown* widthSpin = nullptr;
    UpDown* heightSpin = nullptr;
};

} // namespace

TEST_F(SizeFieldsTest, ALetterIsUndoneAndTheCaretReturns)
{
    clickAtEnd(width);
    QTest::keyClick(width, Qt::Key_Left);
    QTest::keyClick(width, Qt::Key_A);
    EXPECT_EQ(width->text(), QStringLiteral("240"));
    EXPECT_EQ(width->SelStart(), 2);
    EXPECT_EQ(form->targetWidth(), 240);
}

TEST_F(SizeFieldsTest, TypedValuesAreJudgedByTheSpinRange)
{
    struct Case
    {
        const char* name;
        bool heightField;
        const char* typed;
        const char* shown;
        std::int16_t target;
    };
    const Case cases[] = {
        {"480 then 5 is above Max", false, "4805", "480", 480},
        {"801 is above the height's Max", true, "801", "80", 80},
        {"800 is the height's Max", true, "800", "800", 800},
        {"the height field has its own last value", true, "-", "400", 400},
        {"a lone minus is undone", false, "-", "240", 240},
        {"minus five is below Min", false, "-5", "240", 240},
        {"zero is below Min", false, "0", "240", 240},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextBox* field = c.heightField ? height : width;
        const std::int16_t otherTarget = c.heightField ? form->targetWidth() : form->targetHeight();
        // Start each case from an emptied field whose last accepted value is the default.
        field->setText(QString::fromLatin1(c.heightField ? "400" : "240"));
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        ASSERT_TRUE(field->text().isEmpty());
        QTest::keyClicks(field, QString::fromLatin1(c.typed));
        EXPECT_EQ(field->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(c.heightField ? form->targetHeight() : form->targetWidth(), c.target);
        EXPECT_EQ(c.heightField ? heightSpin->Value() : widthSpin->Value(), c.target);
        EXPECT_EQ(c.heightField ? form->targetWidth() : form->targetHeight(), otherTarget);
    }
}

TEST_F(SizeFieldsTest, RejectionRestoresTheLastAcceptedValueAsPlainDecimal)
{
    width->setText(QStringLiteral("0120"));
    EXPECT_EQ(form->targetWidth(), 120);
    width->setText(QStringLiteral("0120x"));
    EXPECT_EQ(width->text(), QStringLiteral("120"));
    EXPECT_EQ(form->targetWidth(), 120);
}

TEST_F(SizeFieldsTest, PastedTextIsJudgedWhole)
{
    struct Case
    {
        const char* name;
        QString pasted;
        QString shown;
    };
    const Case cases[] = {
        {"full-width digits", QStringLiteral("１２０"), QStringLiteral("240")},
        {"eleven nines", QStringLiteral("99999999999"), QStringLiteral("240")},
        {"text beyond 32767 characters", QString(40000, u'1'), QStringLiteral("240")},
        {"a good number", QStringLiteral("300"), QStringLiteral("300")},
        {"a leading zero is kept", QStringLiteral("0240"), QStringLiteral("0240")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        width->setText(QStringLiteral("240"));
        paste(width, c.pasted);
        EXPECT_EQ(width->text(), c.shown);
        EXPECT_EQ(form->targetWidth(), c.shown.toInt());
        EXPECT_EQ(height->text(), QStringLiteral("400"));
    }
}

TEST_F(SizeFieldsTest, AnEmptiedFieldStaysEmptyUntilASpinClickFillsIt)
{
    width->selectAll();
    QTest::keyClick(width, Qt::Key_Backspace);
    EXPECT_TRUE(width->text().isEmpty());
    EXPECT_EQ(form->targetWidth(), 240);
    EXPECT_EQ(widthSpin->Value(), 240);
    QTest::mouseClick(widthSpin->upArrow(), Qt::LeftButton);
    EXPECT_EQ(width->text(), QStringLiteral("241"));
    EXPECT_EQ(form->targetWidth(), 241);
}

TEST_F(SizeFieldsTest, ASpinClickWritesOnlyItsOwnField)
{
    QTest::mouseClick(heightSpin->downArrow(), Qt::LeftButton);
    EXPECT_EQ(height->text(), QStringLiteral("399"));
    EXPECT_EQ(form->targetHeight(), 399);
    EXPECT_EQ(width->text(), QStringLiteral("240"));
    EXPECT_EQ(form->targetWidth(), 240);
    // The restored value after a rejection is the spin's, not the field's old text.
    height->setText(QStringLiteral("x"));
    EXPECT_EQ(height->text(), QStringLiteral("399"));
}

TEST_F(SizeFieldsTest, HomeAndEndDoNotMoveTheSavedCaret)
{
    clickAtEnd(width);
    QTest::keyClick(width, Qt::Key_Left);
    QTest::keyClick(width, Qt::Key_Home);
    QTest::keyClick(width, Qt::Key_Q);
    EXPECT_EQ(width->SelStart(), 2);
}

TEST_F(SizeFieldsTest, AcceptedEntriesSetTheTargetInEitherMode)
{
    control<OptionButton>("Option1")->SetValue(true);
    width->setText(QStringLiteral("100"));
    EXPECT_EQ(form->targetWidth(), 100);
}
