#include "app/translators.h"
#include "toolkit/openfiledialog.h"

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

// Qt's translators stay for this test only.
class TranslatorsTest : public ::testing::Test
{
  protected:
    void SetUp() override { InstallTranslators(*QCoreApplication::instance()); }
    void TearDown() override
    {
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
            delete translator;
    }

    // True when the text holds Japanese and no English word.
    static bool isJapanese(const QString& text)
    {
        static const QRegularExpression englishWord(QStringLiteral("[A-Za-z]{3,}"));
        static const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
        return text.contains(japanese) && !text.contains(englishWord);
    }
};

} // namespace

TEST_F(TranslatorsTest, StandardButtonsAreJapanese)
{
    QMessageBox question(QMessageBox::Question, QStringLiteral("作成"), QStringLiteral("作成しますか?"),
                         QMessageBox::Yes | QMessageBox::No);
    for (QAbstractButton* button : question.buttons())
        EXPECT_TRUE(isJapanese(button->text())) << button->text().toStdString();
    QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    for (QAbstractButton* button : buttons.buttons())
        EXPECT_TRUE(isJapanese(button->text())) << button->text().toStdString();
}

TEST_F(TranslatorsTest, TheFileDialogIsJapanese)
{
    QFileDialog dialog;
    QtOpenFileDialog::configure(dialog, {QStringLiteral("データファイルの指定"),
                                         QDir::tempPath(),
                                         QString(),
                                         {QStringLiteral("ビットマップ ファイル (*.bmp)")}});
    dialog.show();
    int checked = 0;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        EXPECT_TRUE(isJapanese(label->text())) << label->text().toStdString();
        ++checked;
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        EXPECT_TRUE(isJapanese(button->text())) << button->text().toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 4);
}
