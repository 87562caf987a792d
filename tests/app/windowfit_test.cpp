#include "tests/app/formfixture.h"
#include "tests/support/dropsimulation.h"
#include "toolkit/optionbutton.h"
#include "toolkit/picturebox.h"
#include "toolkit/textbox.h"

#include <QImage>
#include <QScrollArea>
#include <QScrollBar>

namespace {

struct Screen
{
    const char* name;
    QRect screenArea;
    QRect workArea;
};

void PrintTo(const Screen& screen, std::ostream* out)
{
    *out << screen.name;
}

// The real window on screens of common sizes, with a panel at the bottom or at the top.
class WindowFitTest : public FormTest, public ::testing::WithParamInterface<Screen>
{
  protected:
    void SetUp() override
    {
        const Screen& screen = GetParam();
        writeSettings("[Kadrelle]\nDATAFILE=" + folder.filePath(QStringLiteral("out.bmp")).toUtf8() + "\n");
        open(ScreenMetrics{screen.workArea, screen.screenArea});
        view = control<QScrollArea>("PreviewView");
        Picture2 = control<PictureBox>("Picture2");
    }

    // Drops a picture large enough for the largest crop of the target typed in custom mode.
    void dropForTarget(int width, int height)
    {
        control<OptionButton>("Option2")->SetValue(true);
        control<TextBox>("Text2")->setText(QString::number(width));
        control<TextBox>("Text3")->setText(QString::number(height));
        QImage picture(2000, 2000, QImage::Format_RGB32);
        picture.fill(Qt::darkYellow);
        const QString path = folder.filePath(QStringLiteral("picture.png"));
        ASSERT_TRUE(picture.save(path));
        ASSERT_TRUE(SimulateDrop(Picture2, {path}));
    }

    // The view lies in the window, covers no control, shows the box 1:1 and scrolls exactly when it must.
    void expectViewFitsBesideTheControls()
    {
        const QRect inWindow(view->mapTo(form.get(), QPoint(0, 0)), view->size());
        EXPECT_TRUE(form->rect().contains(inWindow));
        for (const char* name : {"Text1", "Command1", "Label1", "Label2", "Option1", "Option2", "Frame1",
                                 "Frame2", "Command2", "StatusLine"}) {
            const QWidget* other = control<QWidget>(name);
            EXPECT_FALSE(inWindow.intersects(other->geometry())) << name;
        }
        const QSize viewport = view->viewport()->size();
        EXPECT_LE(viewport.width(), form->previewMaxWidth() + 4);
        EXPECT_LE(viewport.height(), form->previewMaxHeight() + 4);
        EXPECT_EQ(view->horizontalScrollBar()->isVisible(), Picture2->width() > viewport.width());
        EXPECT_EQ(view->verticalScrollBar()->isVisible(), Picture2->height() > viewport.height());
        EXPECT_EQ(view->horizontalScrollBar()->maximum(), std::max(0, Picture2->width() - viewport.width()));
        EXPECT_EQ(view->verticalScrollBar()->maximum(), std::max(0, Picture2->height() - viewport.height()));
    }

    QScrollArea* view = nullptr;
    PictureBox* Picture2 = nullptr;
};

} // namespace

TEST_P(WindowFitTest, TheWholeWindowLiesInTheWorkArea)
{
    const Screen& screen = GetParam();
    EXPECT_TRUE(screen.workArea.contains(form->frameGeometry()))
        << form->frameGeometry().x() << "," << form->frameGeometry().y();
    EXPECT_EQ(form->frameGeometry(), screen.workArea);
    expectViewFitsBesideTheControls();
}

TEST_P(WindowFitTest, ATallCropScrollsInsteadOfRunningOffTheWindow)
{
    dropForTarget(240, 400);
    const QImage saved(folder.filePath(QStringLiteral("out[00000].bmp")));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(Picture2->size(), saved.size() + QSize(4, 4));
    expectViewFitsBesideTheControls();
}

TEST_P(WindowFitTest, AWideCropScrollsInsteadOfCoveringTheControls)
{
    dropForTarget(400, 240);
    const QImage saved(folder.filePath(QStringLiteral("out[00000].bmp")));
    ASSERT_EQ(saved.width(), 800);
    EXPECT_EQ(Picture2->size(), saved.size() + QSize(4, 4));
    EXPECT_TRUE(view->horizontalScrollBar()->isVisible());
    expectViewFitsBesideTheControls();
}

INSTANTIATE_TEST_SUITE_P(
    Screens, WindowFitTest,
    ::testing::Values(Screen{"screen1024x768", {0, 0, 1024, 768}, {0, 0, 1024, 738}},
                      Screen{"screen1366x768", {0, 0, 1366, 768}, {0, 0, 1366, 738}},
                      Screen{"screen1366x768PanelAtTheTop", {0, 0, 1366, 768}, {0, 28, 1366, 740}},
                      Screen{"screen1920x1080", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                      Screen{"screen1088x800", {0, 0, 1088, 800}, {0, 0, 1088, 770}}),
    [](const auto& info) { return std::string(info.param.name); });
