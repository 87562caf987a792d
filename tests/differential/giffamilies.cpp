// GIF pictures built byte by byte from the format's rules, their data written by an LZW encoder: logical
// screens with a first image that covers them or lies inside them, or reaches past them; global or local
// colour tables of every size; a transparent index or none; interlaced or not; every minimum code size.
#include "tests/differential/differentialpicture.h"
#include "tests/support/pictures/giffiles.h"

using namespace testpictures;

namespace {

} // namespace

std::vector<DifferentialPicture> GifPictures()
{
    Choices choices(0x61f);
    std::vector<DifferentialPicture> pictures;
    for (int i = 0; i < 100; ++i) {
        GifPicture picture;
        picture.screenWidth = quint16(choices.between(1, 200));
        picture.screenHeight = quint16(choices.between(1, 150));
        const bool wholeScreen = choices.chance(40);
        if (wholeScreen) {
            picture.frame = QRect(0, 0, picture.screenWidth, picture.screenHeight);
        } else {
            const int left = choices.between(0, picture.screenWidth - 1);
            const int top = choices.between(0, picture.screenHeight - 1);
            // Mostly inside the screen, sometimes past its right or bottom edge.
            const int width = choices.between(1, picture.screenWidth - left + (choices.chance(20) ? 30 : 0));
            const int height = choices.between(1, picture.screenHeight - top + (choices.chance(20) ? 30 : 0));
            picture.frame = QRect(left, top, width, height);
        }
        // Qt's reader places the rows of an interlaced image wrongly when it is 3 or 4 rows high or reaches
        // past the screen's bottom.
        picture.interlaced = choices.chance(40) && picture.frame.height() != 3 &&
                             picture.frame.height() != 4 && picture.frame.bottom() < picture.screenHeight;
        picture.minimumCodeSize = choices.between(2, 8);
        // Every index the codes can name has a colour: the table is as long as the code size allows.
        const int colours = 1 << picture.minimumCodeSize;
        const bool local = choices.chance(50);
        if (local)
            picture.localColours = choices.colours(colours);
        if (local && choices.chance(50))
            picture.globalColours = choices.colours(choices.oneOf(std::vector<int>{2, 16, 256}));
        else if (!local)
            picture.globalColours = choices.colours(choices.chance(50) ? colours : 256);
        picture.backgroundIndex = quint8(choices.between(0, 255));
        picture.transparentIndex = choices.chance(30) ? choices.between(0, colours - 1) : -1;
        const int style = choices.between(0, 2);
        const std::uint32_t seed = std::uint32_t(choices.between(1, 1 << 30));
        picture.indexAt = [style, colours, seed](int x, int y) {
            if (style == 0)
                return int((std::uint32_t(x) * 2654435761u ^ std::uint32_t(y) * 40503u ^ seed) %
                           std::uint32_t(colours));
            if (style == 1)
                return (x / 7 + y / 3) % colours;
            return (x * y) % colours;
        };
        // Qt's reader gives the image's pixels; around a smaller image it fills the screen with a colour of
        // its own choosing.
        const QRect image = picture.frame.intersected(QRect(0, 0, picture.screenWidth, picture.screenHeight));
        const bool qtDefinesAll = wholeScreen || picture.transparentIndex >= 0;
        pictures.push_back({QStringLiteral("screen%1x%2_image%3,%4_%5x%6_codeSize%7%8%9%10_style%11")
                                .arg(picture.screenWidth)
                                .arg(picture.screenHeight)
                                .arg(picture.frame.x())
                                .arg(picture.frame.y())
                                .arg(picture.frame.width())
                                .arg(picture.frame.height())
                                .arg(picture.minimumCodeSize)
                                .arg(local ? "_local" : "_global")
                                .arg(picture.interlaced ? "_interlaced" : "")
                                .arg(picture.transparentIndex >= 0 ? "_transparent" : "")
                                .arg(style),
                            GifFile(picture), qtDefinesAll ? QRect() : image});
    }
    return pictures;
}
