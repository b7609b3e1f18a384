// Reading a sheet's scanned image: whole pictures are taken in the reader's pixels, a picture
// that does not decode whole is refused (never filled with grey), sides beyond the limit are
// refused from the header.
#include "sheets/MapImageFile.h"

#include "support/TempDir.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orv {
namespace {

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage scan() {
    QImage image(120, 90, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 2, y * 2, (x * y) % 256));
    return image;
}

TEST(MapImageFile, WholePicturesAreTakenAsTheReaderGivesThem) {
    test::TempDir dir;
    const QImage grey = scan().convertToFormat(QImage::Format_Grayscale8);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    for (const Case& c : {Case{"colour.jpg", encoded(scan(), "JPEG")}, Case{"grey.jpg", encoded(grey, "JPEG")},
                          Case{"scan.bmp", encoded(scan(), "BMP")}, Case{"scan.png", encoded(scan(), "PNG")}}) {
        SCOPED_TRACE(c.name);
        const auto path = dir.write(c.name, std::string_view(c.bytes.constData(), static_cast<size_t>(c.bytes.size())));
        const MapImageRead read = readMapImage(path.string());
        ASSERT_EQ(read.load, ImageLoad::Loaded);
        const QImage expected(QString::fromStdString(path.string()));
        EXPECT_EQ(read.image.format(), expected.format());
        EXPECT_EQ(read.image, expected);
    }
    const std::string real = std::string(ORVANE_FIXTURES) + "/scan/644205.jpg";
    EXPECT_EQ(readMapImage(real).image, QImage(QString::fromStdString(real)));
}

TEST(MapImageFile, APictureThatDoesNotDecodeWholeIsRefused) {
    test::TempDir dir;
    const QByteArray jpeg = encoded(scan().convertToFormat(QImage::Format_Grayscale8), "JPEG");
    const QByteArray bmp = encoded(scan(), "BMP");
    QByteArray garbage;
    for (int i = 0; i < 3000; ++i) garbage.append(static_cast<char>((i * 7919) % 251));
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"cut.jpg", jpeg.left(jpeg.size() - 60)},
        // The end-of-image marker put right after half the data: the decoder meets it mid-picture.
        {"half-with-end.jpg", jpeg.left(jpeg.size() / 2) + QByteArray("\xFF\xD9", 2)},
        {"cut.bmp", bmp.left(bmp.size() - 200)},
        {"garbage.jpg", garbage},
        {"empty.jpg", QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir.write(c.name, std::string_view(c.bytes.constData(), static_cast<size_t>(c.bytes.size())));
        const MapImageRead read = readMapImage(path.string());
        EXPECT_EQ(read.load, ImageLoad::Unreadable);
        EXPECT_TRUE(read.image.isNull());
    }
    // 176 bytes whose header claims 20000 × 20000 grey pixels: refused before the 400 MB of
    // pixels are made.
    const MapImageRead cut = readMapImage(std::string(ORVANE_FIXTURES) + "/scan/cut-20000.jpg");
    EXPECT_EQ(cut.load, ImageLoad::Unreadable);
    EXPECT_EQ(readMapImage((dir / "none.jpg").string()).load, ImageLoad::Missing);
}

}  // namespace
}  // namespace orv
