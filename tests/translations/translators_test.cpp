#include "codecs/bmp/bmpmessages.h"
#include "codecs/gif/gifmessages.h"
#include "codecs/jpeg/jpegmessages.h"
#include "codecs/picture/picturemessages.h"
#include "codecs/png/pngmessages.h"
#include "toolkit/openfiledialog.h"
#include "translations/translators.h"
#include "trim/trimmessages.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// True when the text holds Japanese and no English word.
bool IsJapanese(const QString& text)
{
    static const QRegularExpression englishWord(QStringLiteral("[A-Za-z]{3,}"));
    static const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
    return text.contains(japanese) && !text.contains(englishWord);
}

// True when the text holds an English word ("No" is one) and no Japanese.
bool IsEnglish(const QString& text)
{
    static const QRegularExpression englishWord(QStringLiteral("[A-Za-z]{2,}"));
    static const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
    return text.contains(englishWord) && !text.contains(japanese);
}

// The translators of one language stay for one test only.
class TranslatorsTest : public ::testing::TestWithParam<QLocale::Language>
{
  protected:
    void SetUp() override { InstallTranslators(*QCoreApplication::instance(), GetParam()); }
    void TearDown() override
    {
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
            delete translator;
    }

    bool speaks(const QString& text) const
    {
        return GetParam() == QLocale::English ? IsEnglish(text) : IsJapanese(text);
    }
};

// The English translators stay for one test only.
class EnglishTranslators : public ::testing::Test
{
  protected:
    void SetUp() override { InstallTranslators(*QCoreApplication::instance(), QLocale::English); }
    void TearDown() override
    {
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
            delete translator;
    }
};

std::string LanguageName(const ::testing::TestParamInfo<QLocale::Language>& info)
{
    return QLocale::languageToString(info.param).toStdString();
}

} // namespace

TEST(ProgramLanguage, EnglishOnlyForAnEnglishLocale)
{
    const struct
    {
        const char* locale;
        QLocale::Language language;
    } cases[] = {
        {"en_US", QLocale::English},  {"en_GB", QLocale::English}, {"en", QLocale::English},
        {"ja_JP", QLocale::Japanese}, {"C", QLocale::Japanese},    {"de_DE", QLocale::Japanese},
        {"fr_CA", QLocale::Japanese},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramLanguage(QLocale(QString::fromLatin1(c.locale))), c.language) << c.locale;
}

TEST_P(TranslatorsTest, StandardButtonsSpeakTheLanguage)
{
    QMessageBox question(QMessageBox::Question, QStringLiteral("?"), QStringLiteral("?"),
                         QMessageBox::Yes | QMessageBox::No);
    for (QAbstractButton* button : question.buttons())
        EXPECT_TRUE(speaks(button->text())) << button->text().toStdString();
    QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    for (QAbstractButton* button : buttons.buttons())
        EXPECT_TRUE(speaks(button->text())) << button->text().toStdString();
}

TEST_P(TranslatorsTest, TheFileDialogSpeaksTheLanguage)
{
    QFileDialog dialog;
    QtOpenFileDialog::configure(dialog, {QStringLiteral("?"), QDir::tempPath(), QString(), {}});
    dialog.show();
    int checked = 0;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        EXPECT_TRUE(speaks(label->text())) << label->text().toStdString();
        ++checked;
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        EXPECT_TRUE(speaks(button->text())) << button->text().toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 4);
}

TEST_P(TranslatorsTest, StatusTextsSpeakTheLanguage)
{
    // Paths without letters, which would read as English words.
    const QString picture = QStringLiteral("/0/1");
    const QString output = QStringLiteral("/0/2[00000]");
    const QString texts[] = {
        TrimMessages::Saved(output, {240, 320}),
        TrimMessages::CannotLoad(picture, QStringLiteral("-")),
        TrimMessages::SizeUnreadable(picture),
        TrimMessages::TooSmall(picture, {10, 10}),
        TrimMessages::TargetNotPositive(0, 320),
        TrimMessages::SizeMismatch(picture),
        TrimMessages::CannotSave(output, QStringLiteral("-")),
        TrimMessages::OutputPathTooLong(output),
        TrimMessages::NoOutputPath(),
        TrimMessages::WithOthersIgnored(QString(), 1),
        TrimMessages::WithOthersIgnored(QString(), 3),
    };
    for (const QString& text : texts)
        EXPECT_TRUE(speaks(text)) << text.toStdString();
}

TEST_F(EnglishTranslators, CountOtherFilesInTheirPluralForms)
{
    EXPECT_EQ(TrimMessages::WithOthersIgnored(QStringLiteral("Saved"), 1),
              QStringLiteral("Saved\n1 other file was ignored (one file is trimmed at a time)"));
    EXPECT_EQ(TrimMessages::WithOthersIgnored(QStringLiteral("Saved"), 2),
              QStringLiteral("Saved\n2 other files were ignored (one file is trimmed at a time)"));
}

// A decoder's reason is English too, its numbers and the library's own message in their places, and so is
// the status line it ends.
TEST_F(EnglishTranslators, GiveTheDecodersReasons)
{
    const struct
    {
        QString text;
        const char* english;
    } rows[] = {
        {GifMessages::CutShort(), "The GIF file is cut short."},
        {JpegMessages::TooLargeToDecode(768), "The JPEG picture needs more than 768 MiB to decode."},
        {PngMessages::LibpngFailed(QStringLiteral("IDAT: CRC error")),
         "The PNG data cannot be decoded: IDAT: CRC error"},
        {PictureMessages::RegionOutside(QRect(1, 2, 30, 40), QSize(20, 10)),
         "The region 1,2 30x40 lies outside the 20x10 picture."},
        {TrimMessages::CannotLoad(QStringLiteral("/0/1"), BmpMessages::CutShort()),
         "Cannot read the picture: /0/1 (The BMP file is cut short.)"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.text.toStdString(), row.english);
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslatorsTest, ::testing::Values(QLocale::Japanese, QLocale::English),
                         LanguageName);
