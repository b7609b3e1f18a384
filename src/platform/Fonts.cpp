#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <fontconfig/fontconfig.h>

namespace orv {

namespace {

// Installed Japanese faces, best first (Debian: fonts-noto-cjk, fonts-ipafont-gothic).
const QStringList& gothicFaces() {
    static const QStringList faces{"Noto Sans CJK JP", "IPAGothic", "IPAexGothic",
                                   "Noto Sans Mono CJK JP", "VL Gothic", "DejaVu Sans"};
    return faces;
}
const QStringList& minchoFaces() {
    static const QStringList faces{"Noto Serif CJK JP", "IPAMincho", "IPAexMincho",
                                   "Noto Sans CJK JP", "DejaVu Serif"};
    return faces;
}

}  // namespace

void readFontConfiguration() {
    // Qt's font database asks fontconfig for the same configuration later and finds it read.
    FcInit();
}

void installFontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    for (const char* face : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS Gothic", "MS PGothic",
                             "MS UI Gothic", "ＭＳ ＵＩ ゴシック"})
        QFont::insertSubstitutions(QString::fromUtf8(face), gothicFaces());
    for (const char* face : {"ＭＳ 明朝", "ＭＳ Ｐ明朝", "MS Mincho", "MS PMincho"})
        QFont::insertSubstitutions(QString::fromUtf8(face), minchoFaces());
}

QFont columnListFont() {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Noto Sans Mono CJK JP"),
                                 QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic"),
                                 QStringLiteral("monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

QFont fontFor(const std::string& face, float points, bool bold, bool italic, bool underline,
              bool strikeThrough) {
    installFontSubstitutions();
    QFont font(QString::fromStdString(face));
    font.setPointSizeF(points > 0 ? static_cast<double>(points) : 9.0);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeThrough);
    // Pixel-exact pictures: no antialiased glyph edges.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace orv
