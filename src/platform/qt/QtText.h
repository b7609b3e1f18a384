#pragma once
// Texts between the program (UTF-8 std::string) and Qt's widgets.
#include <QString>

#include <string>
#include <string_view>

namespace orv {

inline QString toQString(const std::string& utf8) { return QString::fromStdString(utf8); }
inline QString toQString(const char* utf8) { return QString::fromUtf8(utf8); }
inline QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A message text for a widget: the program's texts break lines with CR LF, Qt with LF.
inline QString toDisplayText(const std::string& utf8) {
    QString text = toQString(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace orv
