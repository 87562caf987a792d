#include "tests/e2e/bitmapcheck.h"
#include "tests/e2e/dragsourcewindow.h"
#include "tests/e2e/patternnames.h"
#include "tests/e2e/windowclose.h"
#include "tests/e2e/xdndfinish.h"

#include <QApplication>
#include <QImageWriter>
#include <QTimer>
#include <cstdio>
#include <optional>

// kadrelle-e2e-helper: the real-window test's hands and eyes.
//   picture PATTERN WIDTH HEIGHT FILE  writes a test picture (coordinates, tiles or colourful)
//   drag X Y SIZE FILE...              shows a square drag source at X,Y; exits 0 once a drop target
//                                      has taken the files and finished with them
//   close WINDOW                       sends WM_DELETE_WINDOW to an X window id
//   check BITMAP SOURCE X Y WIDTH HEIGHT [TOLERANCE]
//                                      checks a saved 24-bit crop against the source's pixels

namespace {

// A drag that nobody finishes must not hang the test.
constexpr int DragTimeoutMs = 30000;

int fail(const QString& message)
{
    std::fprintf(stderr, "kadrelle-e2e-helper: %s\n", qPrintable(message));
    return 1;
}

std::optional<int> number(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int writePicture(const QStringList& args)
{
    const PatternPainter paint = PatternNamed(args.value(0));
    const std::optional<int> width = number(args.value(1));
    const std::optional<int> height = number(args.value(2));
    if (args.size() != 4 || !paint || !width || !height || *width <= 0 || *height <= 0)
        return fail(QStringLiteral("usage: picture coordinates|tiles|colourful WIDTH HEIGHT FILE"));
    QImageWriter writer(args[3]);
    writer.setQuality(100);
    if (!writer.write(paint(*width, *height)))
        return fail(QStringLiteral("cannot write %1: %2").arg(args[3], writer.errorString()));
    return 0;
}

int drag(int argc, char** argv, const QStringList& args)
{
    const std::optional<int> x = number(args.value(0));
    const std::optional<int> y = number(args.value(1));
    const std::optional<int> size = number(args.value(2));
    if (args.size() < 4 || !x || !y || !size || *size <= 0)
        return fail(QStringLiteral("usage: drag X Y SIZE FILE..."));
    QApplication app(argc, argv);
    QList<QUrl> files;
    for (const QString& path : args.mid(3))
        files.append(QUrl::fromLocalFile(path));
    DragSourceWindow window(files);
    window.setGeometry(*x, *y, *size, *size);
    XdndFinishWatcher finish;
    QObject::connect(&window, &DragSourceWindow::DragEnded, &app, [&app](bool dropped) {
        if (!dropped)
            app.exit(2);
    });
    QObject::connect(&finish, &XdndFinishWatcher::Finished, &app,
                     [&app](bool accepted) { app.exit(accepted ? 0 : 2); });
    QTimer::singleShot(DragTimeoutMs, &app, [&app] { app.exit(3); });
    window.show();
    const int result = app.exec();
    if (result == 2)
        return fail(QStringLiteral("the drop target refused the files"));
    if (result == 3)
        return fail(QStringLiteral("no drag finished within %1 ms").arg(DragTimeoutMs));
    return result;
}

int closeWindow(const QStringList& args)
{
    bool ok = false;
    const std::uint32_t window = args.value(0).toUInt(&ok, 0);
    if (args.size() != 1 || !ok)
        return fail(QStringLiteral("usage: close WINDOW"));
    const QString error = SendDeleteWindow(window);
    return error.isEmpty() ? 0 : fail(error);
}

int check(const QStringList& args)
{
    const std::optional<int> x = number(args.value(2));
    const std::optional<int> y = number(args.value(3));
    const std::optional<int> width = number(args.value(4));
    const std::optional<int> height = number(args.value(5));
    const std::optional<int> tolerance = number(args.value(6, QStringLiteral("0")));
    if (args.size() < 6 || args.size() > 7 || !x || !y || !width || !height || !tolerance)
        return fail(QStringLiteral("usage: check BITMAP SOURCE X Y WIDTH HEIGHT [TOLERANCE]"));
    const QString error = CheckCrop({args[0], args[1], QRect(*x, *y, *width, *height), *tolerance});
    return error.isEmpty() ? 0 : fail(error);
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const QString mode = args.isEmpty() ? QString() : args.takeFirst();
    if (mode == QStringLiteral("drag"))
        return drag(argc, argv, args);

    QCoreApplication app(argc, argv);
    if (mode == QStringLiteral("picture"))
        return writePicture(args);
    if (mode == QStringLiteral("close"))
        return closeWindow(args);
    if (mode == QStringLiteral("check"))
        return check(args);
    return fail(QStringLiteral("unknown mode \"%1\"; use picture, drag, close or check").arg(mode));
}
