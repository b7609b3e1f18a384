// Pictures leaving and entering a drawing surface: BMP files, JPEG files, the clipboard.
#include "platform/DrawingSurface.h"

#include <QBuffer>
#include <QByteArray>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

namespace orv {
namespace {

class PictureFiles : public ::testing::Test {
protected:
    std::filesystem::path file(const std::string& name) const {
        return std::filesystem::path(dir_.path().toStdString()) / name;
    }

    static void write(const std::filesystem::path& path, const QByteArray& bytes) {
        QFile out(QString::fromStdString(path.string()));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }

    static QByteArray encoded(const QImage& image, const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    }

    static QImage sample() {
        QImage image(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
        return image;
    }

    QTemporaryDir dir_;
};

TEST_F(PictureFiles, SavedBitmapLoadsBackPixelForPixel) {
    DrawingSurface drawn(90, 70);
    drawn.box(5, 5, 60, 40, colours::navy, true);
    drawn.setForeColour(colours::red);
    drawn.setCurrentPosition(3, 45);
    drawn.text("地図 BMP");
    ASSERT_TRUE(drawn.saveBmp(file("map.bmp")));

    QFile saved(QString::fromStdString(file("map.bmp").string()));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.read(2), QByteArray("BM"));

    DrawingSurface loaded(10, 10);
    ASSERT_TRUE(loaded.loadPicture(file("map.bmp")));
    EXPECT_EQ(loaded.width(), 90);
    EXPECT_EQ(loaded.height(), 70);
    EXPECT_EQ(loaded.image(), drawn.image());
}

TEST_F(PictureFiles, PngReplacesAFileWholeAndLeavesNothingBeside) {
    DrawingSurface drawn(40, 30);
    drawn.box(3, 3, 20, 12, colours::red, true);
    write(file("map.png"), "an older picture");
    ASSERT_TRUE(drawn.savePicture(file("map.png"), PictureFormat::Png));

    QImage saved;
    ASSERT_TRUE(saved.load(QString::fromStdString(file("map.png").string()), "PNG"));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), drawn.image());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file("")), std::filesystem::directory_iterator()), 1);
}

TEST_F(PictureFiles, JpegLoadsWithItsSize) {
    write(file("sheet.jpg"), encoded(sample(), "JPEG"));
    DrawingSurface surface(5, 5);
    ASSERT_TRUE(surface.loadPicture(file("sheet.jpg")));
    EXPECT_EQ(surface.width(), 64);
    EXPECT_EQ(surface.height(), 48);
    EXPECT_EQ(surface.image().format(), QImage::Format_RGB32);
}

// Colour and greyscale JPEG files are decoded straight into the surface's pixels: they must be
// the pixels the desktop's image reader gives, the bundled overview of Japan included.
TEST_F(PictureFiles, JpegPixelsAreTheImageReadersOnes) {
    QImage grey = sample().convertToFormat(QImage::Format_Grayscale8);
    write(file("colour.jpg"), encoded(sample(), "JPEG"));
    write(file("grey.jpg"), encoded(grey, "JPEG"));
    for (const std::filesystem::path& path :
         {file("colour.jpg"), file("grey.jpg"), std::filesystem::path(ORVANE_ASSETS) / "overview" / "japan.jpg"}) {
        QImage expected(QString::fromStdString(path.string()));
        ASSERT_FALSE(expected.isNull()) << path;
        DrawingSurface surface(5, 5);
        ASSERT_TRUE(surface.loadPicture(path)) << path;
        EXPECT_EQ(surface.image(), expected.convertToFormat(QImage::Format_RGB32)) << path;
    }
}

// The first step, which may run before the application object exists, decodes colour and
// greyscale JPEG itself and leaves everything else to the second; together they read what
// readPicture reads.
TEST_F(PictureFiles, ReadingInTwoStepsLeavesOnlyTheDesktopsReaderToTheSecond) {
    write(file("sheet.jpg"), encoded(sample(), "JPEG"));
    write(file("sheet.bmp"), encoded(sample(), "BMP"));
    write(file("sheet.png"), encoded(sample(), "PNG"));
    const DrawingSurface::PictureReading jpeg = DrawingSurface::startReading(file("sheet.jpg"));
    ASSERT_TRUE(jpeg.picture.has_value());
    EXPECT_TRUE(jpeg.bytes.isEmpty());
    const DrawingSurface::PictureReading bmp = DrawingSurface::startReading(file("sheet.bmp"));
    EXPECT_FALSE(bmp.picture.has_value());
    EXPECT_TRUE(bmp.bytes.startsWith("BM"));
    const DrawingSurface::PictureReading png = DrawingSurface::startReading(file("sheet.png"));
    EXPECT_FALSE(png.picture.has_value());
    EXPECT_TRUE(png.bytes.isEmpty());
    EXPECT_EQ(DrawingSurface::finishReading(jpeg), DrawingSurface::readPicture(file("sheet.jpg")));
    EXPECT_EQ(DrawingSurface::finishReading(bmp), DrawingSurface::readPicture(file("sheet.bmp")));
    EXPECT_FALSE(DrawingSurface::finishReading(png).has_value());
}

TEST_F(PictureFiles, UnreadableFilesFailAndLeaveTheImageAlone) {
    const QByteArray jpeg = encoded(sample(), "JPEG");
    const QByteArray bmp = encoded(sample(), "BMP");
    QByteArray garbage;
    for (int i = 0; i < 5000; ++i) garbage.append(static_cast<char>((i * 7919) % 251));
    QByteArray lyingBmp = bmp.left(54);  // header of a 64 × 48 picture, no rows

    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"garbage.jpg", garbage},
        {"empty.bmp", QByteArray()},
        {"half.jpg", jpeg.left(jpeg.size() / 2)},
        {"cut.jpg", jpeg.left(jpeg.size() - 40)},  // the decoder alone would fill it with grey
        {"no-end.jpg", jpeg.left(jpeg.size() - 2)},
        {"half-with-end.jpg", jpeg.left(jpeg.size() / 2) + QByteArray("\xFF\xD9", 2)},  // the decoder meets the end mid-picture
        {"cut-header.jpg", jpeg.left(30)},
        {"cut.bmp", bmp.left(bmp.size() - 100)},
        {"header-only.bmp", lyingBmp},
        {"picture.png", encoded(sample(), "PNG")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write(file(c.name), c.bytes);
        DrawingSurface surface(7, 3, colours::yellow);
        EXPECT_FALSE(surface.loadPicture(file(c.name)));
        EXPECT_EQ(surface.width(), 7);
        EXPECT_EQ(surface.height(), 3);
        EXPECT_EQ(surface.pixelAt(2, 2), colours::yellow);
    }
    DrawingSurface surface(7, 3);
    EXPECT_FALSE(surface.loadPicture(file("no such file.bmp")));
    EXPECT_FALSE(surface.saveBmp(file("no such folder") / "map.bmp"));
}

TEST_F(PictureFiles, ClipboardReceivesThePersistentImage) {
    DrawingSurface surface(30, 20);
    surface.box(2, 2, 10, 10, colours::green, true);
    ASSERT_TRUE(surface.copyToClipboard());
    const QImage onClipboard = QGuiApplication::clipboard()->image();
    EXPECT_EQ(onClipboard.convertToFormat(QImage::Format_RGB32), surface.image());
}

}  // namespace
}  // namespace orv
