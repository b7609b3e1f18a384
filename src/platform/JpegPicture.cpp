#include "platform/JpegPicture.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h wants FILE declared first

#include <jpeglib.h>
#include <jerror.h>

namespace orv {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to
// the decoding function, where nothing with a destructor lives between setjmp and the jump.
// Warnings that rows lack their data (the file ends, a marker cuts the data short) mark the
// picture as damaged: libjpeg fills such rows with grey and carries on.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    bool damaged;
};

[[noreturn]] void jumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->back, 1);
}

void noteDamage(j_common_ptr info, int level) {
    if (level >= 0) return;  // trace messages
    auto* error = reinterpret_cast<ErrorJump*>(info->err);
    const int code = error->manager.msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_MUST_RESYNC) error->damaged = true;
}

enum class Output { Rgb32, KeepGrey, RowsOnly };

// Decodes into `picture`, made here once the size is known (for RowsOnly a single row that
// every row is decoded into); false on any decoder error and for damaged data.
bool decode(const QByteArray& bytes, int maxSide, Output output, QImage& picture) {
    jpeg_decompress_struct info{};
    ErrorJump error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpBack;
    error.manager.emit_message = noteDamage;
    if (setjmp(error.back) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    bool ok = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
    const J_COLOR_SPACE space = info.jpeg_color_space;
    ok = ok && info.image_width >= 1 && info.image_height >= 1 &&
         info.image_width <= static_cast<JDIMENSION>(maxSide) &&
         info.image_height <= static_cast<JDIMENSION>(maxSide);
    const bool grey = space == JCS_GRAYSCALE && output == Output::KeepGrey;
    if (output != Output::RowsOnly)
        ok = ok && (space == JCS_GRAYSCALE || space == JCS_YCbCr || space == JCS_RGB);
    if (ok) {
        // The rows come out as blue, green, red, 0xFF bytes: the little-endian layout of
        // QImage's RGB32 pixels.
        if (output != Output::RowsOnly) info.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
        jpeg_start_decompress(&info);
        if (output == Output::RowsOnly) {
            picture = QImage(static_cast<int>(info.output_width) * info.output_components, 1, QImage::Format_Grayscale8);
            ok = !picture.isNull();
        } else {
            picture = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                             grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
            ok = !picture.isNull() && info.output_components == (grey ? 1 : 4);
        }
    }
    if (ok) {
        while (ok && info.output_scanline < info.output_height) {
            JSAMPROW row = picture.scanLine(output == Output::RowsOnly ? 0 : static_cast<int>(info.output_scanline));
            ok = jpeg_read_scanlines(&info, &row, 1) == 1;
        }
        if (ok) jpeg_finish_decompress(&info);
        ok = ok && !error.damaged;
    }
    jpeg_destroy_decompress(&info);
    return ok;
}

}  // namespace

std::optional<QImage> decodeJpeg(const QByteArray& bytes, int maxSide, JpegGrey grey) {
    QImage picture;
    if (bytes.isEmpty() || !decode(bytes, maxSide, grey == JpegGrey::Keep ? Output::KeepGrey : Output::Rgb32, picture))
        return std::nullopt;
    return picture;
}

bool jpegDecodesWhole(const QByteArray& bytes, int maxSide) {
    QImage row;
    return !bytes.isEmpty() && decode(bytes, maxSide, Output::RowsOnly, row);
}

}  // namespace orv
