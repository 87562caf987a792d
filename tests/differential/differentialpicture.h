#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

// A picture of the differential test: bytes written by an encoder or built by hand from a format's rules,
// and what Qt's full decode of them is a reference for.
struct DifferentialPicture
{
    QString name;
    QByteArray bytes;
    // Where Qt's full decode gives the pixels the picture shows; the empty rectangle means everywhere.
    // Elsewhere (around a GIF's smaller first image) the picture is transparent: the background shows.
    QRect qtDefines = {};
    // Qt draws palette indexes beyond a short colour table from stray memory; they are black here.
    bool blackBeyondPalette = false;
};

// The choices a family of pictures is made from, the same at every run.
class Choices
{
  public:
    explicit Choices(std::uint32_t seed) : engine_(seed) {}

    // A whole number from `low` to `high`, both included.
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T> const T& oneOf(const std::vector<T>& values)
    {
        return values[std::size_t(between(0, int(values.size()) - 1))];
    }
    // A colour table of `count` opaque colours.
    QList<QRgb> colours(int count)
    {
        QList<QRgb> table;
        for (int i = 0; i < count; ++i)
            table.append(qRgb(between(0, 255), between(0, 255), between(0, 255)));
        return table;
    }

  private:
    std::mt19937 engine_;
};

// The families, each a few dozen pictures from one format's rules.
std::vector<DifferentialPicture> JpegSequentialPictures();
std::vector<DifferentialPicture> JpegProgressivePictures();
std::vector<DifferentialPicture> PngPictures();
std::vector<DifferentialPicture> BmpPictures();
std::vector<DifferentialPicture> GifPictures();
