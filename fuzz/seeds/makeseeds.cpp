// Writes the seed corpus of every fuzz target: makeseeds FOLDER makes FOLDER/<target>/<seed>.
#include "fuzz/seeds/encodedpictures.h"
#include "fuzz/seeds/handbuiltpictures.h"
#include "fuzz/seeds/qtwrittenpictures.h"
#include "fuzz/seeds/textseeds.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool WriteSeeds(const QDir& corpus, const QString& target, const Seeds& seeds)
{
    if (!corpus.mkpath(target))
        return false;
    for (const Seed& seed : seeds) {
        QFile file(corpus.filePath(target + u'/' + seed.name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(seed.bytes) != seed.bytes.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    Seeds pictures = HandBuiltPictures();
    for (Seed& seed : QtWrittenPictures())
        pictures.push_back(std::move(seed));
    for (Seed& seed : EncodedPictures())
        pictures.push_back(std::move(seed));
    const bool written =
        WriteSeeds(corpus, "imagesize", pictures) && WriteSeeds(corpus, "trim", pictures) &&
        WriteSeeds(corpus, "jpegstream", pictures) && WriteSeeds(corpus, "jpegwindow", pictures) &&
        WriteSeeds(corpus, "settings", SettingsSeeds()) && WriteSeeds(corpus, "serialname", PathSeeds());
    if (!written) {
        std::fprintf(stderr, "cannot write the seeds under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
