// A picture file rewritten between its open and a decode is refused, not decoded by the header read at open.
#include "codecs/picture/picturemessages.h"
#include "tests/codecs/probedopen.h"
#include "tests/support/pictures/bmpfiles.h"
#include "tests/support/pictures/filebytes.h"
#include "tests/support/pictures/libpngwritten.h"
#include "tests/support/pictures/patterns.h"
#include "tests/support/pictures/qtwritten.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <png.h>

using namespace testpictures;

namespace {

// A PNG written by Qt, with a text chunk before its pixel data.
QByteArray pngWithText()
{
    QImage picture = PhotoLikePicture(40, 30);
    picture.setText("Comment", "a text chunk of some length");
    return QtWritten(picture, "png");
}

// The same file with its text chunk moved, whole, behind the pixel data: the first IDAT chunk moves up and
// the file keeps its length.
QByteArray pngWithTextMovedBehind()
{
    QByteArray bytes = pngWithText();
    const qsizetype start = bytes.indexOf("tEXt") - 4;
    const auto length = qsizetype(quint8(bytes[start]) << 24 | quint8(bytes[start + 1]) << 16 |
                                  quint8(bytes[start + 2]) << 8 | quint8(bytes[start + 3]));
    const QByteArray chunk = bytes.mid(start, 12 + length);
    bytes.remove(start, chunk.size());
    const qsizetype endChunk = bytes.size() - 12;
    return bytes.insert(endChunk, chunk);
}

struct ChangeCase
{
    const char* name;
    const char* fileName;
    QByteArray (*atOpen)();
    QByteArray (*atDecode)();
};

class ChangedFile : public testing::TestWithParam<ChangeCase>
{
};

TEST_P(ChangedFile, IsRefusedAtTheDecode)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(GetParam().fileName);
    ASSERT_TRUE(WriteFileBytes(path, GetParam().atOpen()));
    QString error;
    const std::unique_ptr<PictureSource> source = openProbed(path, error);
    ASSERT_TRUE(source) << error.toStdString();

    ASSERT_TRUE(WriteFileBytes(path, GetParam().atDecode()));
    EXPECT_FALSE(source->decodeRegion(QRect(QPoint(0, 0), source->size()), Qt::white, error));
    EXPECT_EQ(error.toStdString(), PictureMessages::ChangedSinceOpen().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ChangedFile,
    testing::Values(ChangeCase{"bmpOtherDepth", "a.bmp", [] { return NoiseBmp(40, 30, {24}); },
                               [] { return NoiseBmp(40, 30, {8}); }},
                    ChangeCase{"bmpOtherColourTable", "a.bmp",
                               [] {
                                   return NoiseBmp(40, 30, {8, false, 16});
                               },
                               [] {
                                   QByteArray bytes = NoiseBmp(40, 30, {8, false, 16});
                                   bytes[54] = char(bytes[54] ^ 0xff);
                                   return bytes;
                               }},
                    ChangeCase{"pngOtherDepth", "a.png",
                               [] {
                                   return LibpngWritten(40, 30, {PNG_COLOR_TYPE_RGB, 8});
                               },
                               [] {
                                   return LibpngWritten(40, 30, {PNG_COLOR_TYPE_RGB, 16});
                               }},
                    ChangeCase{"pngInterlacedOtherSize", "a.png",
                               [] {
                                   return LibpngWritten(40, 30, {PNG_COLOR_TYPE_GRAY, 4, true});
                               },
                               [] {
                                   return LibpngWritten(30, 40, {PNG_COLOR_TYPE_GRAY, 4, true});
                               }},
                    ChangeCase{"pngPixelDataMoved", "a.png", pngWithText, pngWithTextMovedBehind}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
