#include "cli/PictureOutput.h"

#include "cli/CliText.h"
#include "core/ShownText.h"

#include <QBuffer>
#include <QByteArray>

#include <ostream>

namespace orv::cli {

std::optional<std::string> pictureOutProblem(const std::filesystem::path& out) {
    if (isStandardOutput(out)) return std::nullopt;
    const std::string ext = lowerExtension(out);
    if (ext != "png" && ext != "bmp") return "--out のファイルは .png か .bmp にしてください（- で標準出力にPNG）";
    return std::nullopt;
}

std::optional<std::string> writePicture(const DrawingSurface& picture, const std::filesystem::path& out,
                                        std::ostream& standardOutput) {
    if (!isStandardOutput(out)) {
        if (picture.savePicture(out, pictureFormatFor(out))) return std::nullopt;
        return "「" + shownFileText(out.string()) + "」を書けません。";
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.image().save(&buffer, "PNG")) return "PNGの絵を作れません。";
    standardOutput.write(bytes.constData(), static_cast<std::streamsize>(bytes.size()));
    standardOutput.flush();
    if (!standardOutput) return "標準出力に書けません。";
    return std::nullopt;
}

std::ostream& pictureReport(const std::filesystem::path& out, std::ostream& output, std::ostream& err,
                            const std::string& prefix) {
    if (isStandardOutput(out)) return err << prefix << "標準出力: ";
    return output << out.string() << ": ";
}

}  // namespace orv::cli
