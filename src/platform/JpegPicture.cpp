#include "platform/JpegPicture.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h wants FILE declared first

#include <jpeglib.h>

namespace orv {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to
// the decoding function, where nothing with a destructor lives between setjmp and the jump.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

[[noreturn]] void jumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->back, 1);
}

void stayQuiet(j_common_ptr, int) {}

// Decodes into `picture` (made here once the size is known); false on any decoder error.
// The rows come out as blue, green, red, 0xFF bytes: the little-endian layout of QImage's
// RGB32 pixels.
bool decode(const QByteArray& bytes, int maxSide, QImage& picture) {
    jpeg_decompress_struct info{};
    ErrorJump error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpBack;
    error.manager.emit_message = stayQuiet;
    if (setjmp(error.back) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    bool ok = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
    const J_COLOR_SPACE space = info.jpeg_color_space;
    ok = ok && (space == JCS_GRAYSCALE || space == JCS_YCbCr || space == JCS_RGB) &&
         info.image_width >= 1 && info.image_height >= 1 &&
         info.image_width <= static_cast<JDIMENSION>(maxSide) &&
         info.image_height <= static_cast<JDIMENSION>(maxSide);
    if (ok) {
        info.out_color_space = JCS_EXT_BGRX;
        jpeg_start_decompress(&info);
        picture = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                         QImage::Format_RGB32);
        ok = !picture.isNull() && info.output_components == 4;
    }
    if (ok) {
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = picture.scanLine(static_cast<int>(info.output_scanline));
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    return ok;
}

}  // namespace

std::optional<QImage> decodeJpegRgb32(const QByteArray& bytes, int maxSide) {
    QImage picture;
    if (bytes.isEmpty() || !decode(bytes, maxSide, picture)) return std::nullopt;
    return picture;
}

}  // namespace orv
