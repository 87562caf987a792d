// The window in English: every caption fits the control that shows it, as the Japanese ones the layout was
// drawn for do.
#include "tests/app/formfixture.h"
#include "translations/translators.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTranslator>

namespace {

// The window with the programs' English translation installed.
class EnglishFormTest : public FormTest
{
  protected:
    EnglishFormTest() { InstallTranslators(*QCoreApplication::instance(), QLocale::English); }
    ~EnglishFormTest() override
    {
        form.reset();
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
            delete translator;
    }
};

QString Caption(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    return {};
}

} // namespace

TEST_F(EnglishFormTest, NoCaptionIsCut)
{
    Form1& window = open();
    int captions = 0;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const QString caption = Caption(control);
        if (caption.isEmpty() || !control->isVisible())
            continue;
        ++captions;
        const std::string name = control->objectName().toStdString() + " \"" + caption.toStdString() + '"';
        EXPECT_LE(control->sizeHint().width(), control->width()) << name;
        // The design's heights are below Qt's line height in either language; what matters is the ink.
        EXPECT_LE(control->fontMetrics().tightBoundingRect(caption).height(), control->height()) << name;
        EXPECT_FALSE(
            caption.contains(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"))))
            << name;
    }
    EXPECT_EQ(captions, 8);
}
