#include "app/FileChecks.h"

#include <cerrno>
#include <system_error>

namespace orv {

namespace fs = std::filesystem;

bool fileExists(const fs::path& path) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    return !ec && fs::is_regular_file(status);
}

void showSeaWarning(Dialogs& dialogs) {
    dialogs.message(
        "ファイル読み込み段階でエラーが発生しました。\r\n"
        "ファイルが存在しないと判断して該当するすべて\r\n"
        "の範囲を海としてデータ処理します。",
        "ファイルエラー", Buttons::Ok, Icon::Warning);
}

bool fileExistsOrSea(const fs::path& path, Dialogs& dialogs) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec) {
        // "Not there" is an answer, not an error: only real failures (no permission, I/O,
        // a path too long) warn.
        const bool plainMissing = ec == std::errc::no_such_file_or_directory ||
                                  ec == std::errc::not_a_directory;
        if (!plainMissing) showSeaWarning(dialogs);
        return false;
    }
    return fs::is_regular_file(status);
}

}  // namespace orv
