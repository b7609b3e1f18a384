#include "names/MountainRegistration.h"

#include "core/Cp932.h"
#include "core/NumberText.h"
#include "core/TextFile.h"
#include "geo/Angles.h"
#include "names/MountainFile.h"

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

// Bounds that keep every record: the count of records read tells whether one more was.
const JapanBounds kEverywhere{"-1000", "1000", "-1000", "1000"};

}  // namespace

MountainAppend mountainFileAppend(std::string_view bytes, const std::string& line) {
    MountainAppend append;
    const Result<MountainFileData> before = parseMountainFile(bytes, kEverywhere);
    if (!before.ok()) {
        append.refusal = kMountainFileUnusableRefusal;
        return append;
    }
    append.lineBytes = before->encoding == MountainFileEncoding::Utf8 ? line : utf8ToCp932(line).text;
    if (append.lineBytes.size() > kMountainLineMaxBytes) {
        append.refusal = kRecordTooLongRefusal;
        return append;
    }
    // The file as appendLineBytes leaves it.
    std::string after(bytes);
    if (!after.empty() && after.back() != '\n' && after.back() != '\r') after += "\r\n";
    after += append.lineBytes;
    after += "\r\n";
    if (after.size() > kMaxMountainFileBytes) {
        append.refusal = kMountainFileFullRefusal;
        return append;
    }
    const Result<MountainFileData> read = parseMountainFile(after, kEverywhere);
    if (!read.ok()) append.refusal = kMountainFileUnusableRefusal;
    else if (read->records.size() <= before->records.size()) append.refusal = kMountainFileFullRefusal;
    return append;
}

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
        dialogs_.saveFile(kNewMountainFileTitle, kNewMountainFileFilter, "YMD", mountainFileDialogStart(state_));
    // Cancelled: the file in use stays.
    if (!path || path->empty()) return false;
    if (writeTextLines(*path, {kNewMountainFileHeader}) != FileError::None) {
        dialogs_.message("山名ファイルを作成できませんでした。\r\n" + *path, kRegistrationFileErrorTitle,
                         Buttons::Ok, Icon::Error);
        return false;
    }
    state_.mountainFilePath = *path;
    state_.fileFolders.remember(FileKind::MountainFile, *path);
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
    // The record goes in only when the file's reader will read it back.
    std::string bytes;
    const FileError read = readBytes(state_.mountainFilePath, bytes, kMaxMountainFileBytes);
    const MountainAppend append = mountainFileAppend(bytes, mountainRecordLine(mountain));
    const std::optional<std::string> refusal = read == FileError::TooLarge ? kMountainFileFullRefusal
                                               : read == FileError::None   ? append.refusal
                                                                           : std::nullopt;
    if (refusal == kRecordTooLongRefusal) return refuse(*refusal);
    if (refusal) {
        dialogs_.message(*refusal + ("\r\n" + state_.mountainFilePath), kRegistrationFileErrorTitle, Buttons::Ok,
                         Icon::Error);
        return false;
    }
    if (read != FileError::None || appendLineBytes(state_.mountainFilePath, append.lineBytes) != FileError::None) {
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
