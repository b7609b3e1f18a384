#include "names/MountainRegistration.h"

#include "core/Cp932.h"
#include "core/NumberText.h"
#include "core/TextFile.h"
#include "geo/Angles.h"

#include <array>
#include <string_view>
#include <tuple>
#include <utility>

namespace orv {

namespace {

// The file reader splits a record at half-width blanks and refuses control characters; a
// full-width space inside a name is an ordinary character to it.
bool hasBlankOrControl(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7f) return true;
    }
    return false;
}

std::string quoted(const char* caption) { return std::string("「") + caption + "」"; }

std::optional<std::string> fieldRefusal(const char* caption, const std::string& value, bool number) {
    if (value.empty()) return quoted(caption) + "を入力して下さい";
    if (hasBlankOrControl(value)) return quoted(caption) + "に空白は使えません。続けて入力して下さい";
    if (!representableInCp932(value))
        return quoted(caption) + "に山名ファイルに書けない文字があります。別の文字で入力して下さい";
    if (number && !isPlainNumber(value)) return quoted(caption) + "は数値で入力して下さい";
    return std::nullopt;
}

}  // namespace

std::string mountainRecordLine(const RegistrationMountain& mountain) {
    return mountain.name + " " + mountain.latitude + " " + mountain.longitude + " " + mountain.elevation +
           " " + mountain.reading + " A";
}

std::optional<std::string> mountainRecordRefusal(const RegistrationMountain& mountain) {
    const std::array<std::tuple<const char*, const std::string&, bool>, 5> fields{{
        {kNameCaption, mountain.name, false},
        {kReadingCaption, mountain.reading, false},
        {kElevationCaption, mountain.elevation, true},
        {kSummitLatitudeCaption, mountain.latitude, true},
        {kSummitLongitudeCaption, mountain.longitude, true},
    }};
    for (const auto& [caption, value, number] : fields)
        if (auto refusal = fieldRefusal(caption, value, number)) return refusal;
    return std::nullopt;
}

MountainRegistration::MountainRegistration(AppState& state, Dialogs& dialogs)
    : state_(state), dialogs_(dialogs) {}

bool MountainRegistration::open() {
    if (!state_.newMountainFile) return true;
    // A new file of the user's starts among the user's files, not beside the program's sample.
    const std::optional<std::string> path =
        dialogs_.saveFile(kNewMountainFileTitle, kNewMountainFileFilter, "YMD", state_.dataFolder.string());
    // Cancelled: the file in use stays.
    if (!path || path->empty()) return false;
    if (writeTextLines(*path, {kNewMountainFileHeader}) != FileError::None) {
        dialogs_.message("山名ファイルを作成できませんでした。\r\n" + *path, kRegistrationFileErrorTitle,
                         Buttons::Ok, Icon::Error);
        return false;
    }
    state_.mountainFilePath = *path;
    return true;
}

bool MountainRegistration::calculate() {
    const double dy = leadingNumber(latitudeMm);
    const double dx = leadingNumber(longitudeMm);
    if (!(dy > 0) || !(dx > 0)) return refuse(kMeasurementRefusal);

    SheetFrame frame;
    frame.south = sheet.southLatitude;
    frame.west = sheet.westLongitude;
    frame.north = sheet.northLatitude;
    frame.east = sheet.eastLongitude;
    frame.topWidth = static_cast<float>(leadingNumber(sheet.topWidth));
    frame.bottomWidth = static_cast<float>(leadingNumber(sheet.bottomWidth));
    frame.leftHeight = static_cast<float>(leadingNumber(sheet.leftHeight));
    frame.rightHeight = static_cast<float>(leadingNumber(sheet.rightHeight));
    // Without four sides or with corners that enclose nothing the position would be the
    // corner itself or beyond the sheet: the user is asked to mend the sheet data instead.
    for (const float side : {frame.topWidth, frame.bottomWidth, frame.leftHeight, frame.rightHeight})
        if (!(side > 0)) return refuse(kFrameRefusal);
    if (dmsToSeconds(frame.south) >= dmsToSeconds(frame.north) ||
        dmsToSeconds(frame.west) >= dmsToSeconds(frame.east))
        return refuse(kSheetCornersRefusal);

    const LatLonText summit =
        sheetPositionToLatLon(frame, corner, static_cast<float>(dy), static_cast<float>(dx));
    mountain.latitude = summit.latitude;
    mountain.longitude = summit.longitude;
    notify();
    return true;
}

bool MountainRegistration::registerMountain() {
    if (const auto refusal = mountainRecordRefusal(mountain)) return refuse(*refusal);
    if (state_.mountainFilePath.empty()) return refuse("山名ファイルのパスが設定されていません");
    if (appendTextLine(state_.mountainFilePath, mountainRecordLine(mountain)) != FileError::None) {
        dialogs_.message("山名ファイルに書き込めませんでした。\r\n" + state_.mountainFilePath,
                         kRegistrationFileErrorTitle, Buttons::Ok, Icon::Error);
        return false;
    }
    latitudeMm.clear();
    longitudeMm.clear();
    mountain = RegistrationMountain{};
    notify();
    return true;
}

void MountainRegistration::showHelp() { dialogs_.showHelp(kRegistrationHelpFile); }

bool MountainRegistration::refuse(const std::string& text) {
    dialogs_.message(text, kRegistrationInputTitle, Buttons::Ok, Icon::Error);
    notify();
    return false;
}

void MountainRegistration::notify() const {
    if (changed) changed();
}

}  // namespace orv
