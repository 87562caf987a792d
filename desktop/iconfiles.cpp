// Writes Kadrelle's installed icons from the window's own drawing: a PNG at each size asked for and a
// scalable SVG of the same shapes, in the layout of the hicolor icon theme.
#include "toolkit/windowicon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace {

QString Number(qreal value)
{
    return QString::number(value, 'g', 6);
}

QByteArray ScalableIcon(const WindowIconShapes& shapes)
{
    QByteArray svg;
    QTextStream out(&svg);
    const QString grid = QString::number(WindowIconShapes::Grid);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << grid << "\" height=\"" << grid
        << "\" viewBox=\"0 0 " << grid << ' ' << grid << "\">\n"
        << "  <rect x=\"" << Number(shapes.frame.x()) << "\" y=\"" << Number(shapes.frame.y())
        << "\" width=\"" << Number(shapes.frame.width()) << "\" height=\"" << Number(shapes.frame.height())
        << "\" fill=\"" << shapes.screenColour.name() << "\" stroke=\"" << shapes.frameColour.name()
        << "\" stroke-width=\"" << Number(shapes.frameWidth) << "\" stroke-linejoin=\"miter\"/>\n";
    for (const QPolygonF& arrow : shapes.arrows) {
        out << "  <polygon fill=\"" << shapes.arrowColour.name() << "\" points=\"";
        for (qsizetype corner = 0; corner < arrow.size(); ++corner)
            out << (corner > 0 ? " " : "") << Number(arrow[corner].x()) << ',' << Number(arrow[corner].y());
        out << "\"/>\n";
    }
    out << "</svg>\n";
    out.flush();
    return svg;
}

bool Save(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size() && file.commit();
}

bool SavePng(const QString& path, int size)
{
    return QDir().mkpath(QFileInfo(path).absolutePath()) && WindowIconImage(size).save(path, "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER NAME [SIZE...]\n", argv[0]);
        return 2;
    }
    const QString themeFolder = QFile::decodeName(argv[1]) + QStringLiteral("/hicolor/");
    const QString fileName = QString::fromLocal8Bit(argv[2]);
    for (int arg = 3; arg < argc; ++arg) {
        const int size = QByteArray(argv[arg]).toInt();
        const QString path = themeFolder + QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(fileName);
        if (size < 1 || !SavePng(path, size)) {
            std::fprintf(stderr, "%s: cannot write the %s icon\n", argv[0], argv[arg]);
            return 1;
        }
    }
    if (!Save(themeFolder + QStringLiteral("scalable/apps/%1.svg").arg(fileName),
              ScalableIcon(WindowIconLayout()))) {
        std::fprintf(stderr, "%s: cannot write the scalable icon\n", argv[0]);
        return 1;
    }
    return 0;
}
