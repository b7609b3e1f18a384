#include "names/MountainFile.h"

#include "core/Blanks.h"
#include "core/Cp932.h"
#include "core/LineReader.h"
#include "core/NumberText.h"
#include "core/TextFile.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

namespace orv {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr char kDosEndOfFile = '\x1A';

// Items are separated and trimmed at spaces only: a tab belongs to its item.
std::string_view trimBlanks(std::string_view s) { return orv::trimBlanks(s, kSpaces); }

// The item before the next blank; `rest` becomes the trimmed text after that blank. Nothing when
// no blank follows.
std::optional<std::string_view> takeItem(std::string_view& rest) {
    const size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) return std::nullopt;
    const std::string_view item = rest.substr(0, blank);
    rest = trimBlanks(rest.substr(blank + 1));
    return item;
}


bool hasNonAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// Calls visit(line bytes, line number) for each line of `text` until visit returns false or
// maxLines lines were seen. Returns the offset just past the last line visited.
template <typename Visit>
size_t forEachLine(std::string_view text, size_t maxLines, Visit visit) {
    LineReader lines(text, LineEncoding::Utf8);
    size_t end = 0;
    while (static_cast<size_t>(lines.number()) < maxLines && lines.next()) {
        if (!visit(lines.bytes(), static_cast<size_t>(lines.number()))) return end;
        end = lines.offset();
    }
    return end;
}

bool isControlByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 && c != '\t';
}

Problem failure(ProblemKind kind, size_t line = 0) { return Problem{kind, static_cast<int>(line), {}}; }

// The first line of `region` (CP932) holding bytes that are not CP932.
size_t firstUndecodableLine(std::string_view region) {
    size_t bad = 0;
    forEachLine(region, kMountainFileMaxLines, [&](std::string_view line, size_t number) {
        if (cp932ToUtf8(line).lossless) return true;
        bad = number;
        return false;
    });
    return bad;
}

}  // namespace

bool isMountainFileHeader(std::string_view line) {
    return line == "MeshSize=-1" || line == "MESHSIZE=-1" || line == "meshsize=-1";
}

std::optional<MountainRecord> splitMountainRecord(std::string_view line) {
    std::string_view rest = trimBlanks(line);
    const auto name = takeItem(rest);
    const auto latitude = name ? takeItem(rest) : std::nullopt;
    const auto longitude = latitude ? takeItem(rest) : std::nullopt;
    const auto elevation = longitude ? takeItem(rest) : std::nullopt;
    // The reading must be followed by a blank, that is by at least one more item.
    const auto reading = elevation ? takeItem(rest) : std::nullopt;
    if (!reading) return std::nullopt;
    MountainRecord record;
    record.name = std::string(*name);
    record.latitude = DmsText(*latitude);
    record.longitude = DmsText(*longitude);
    record.elevation = std::string(*elevation);
    record.reading = std::string(*reading);
    record.kind = "A";
    return record;
}

Result<MountainFileData> readMountainFile(const std::filesystem::path& path, const JapanBounds& bounds) {
    std::string bytes;
    switch (readBytes(path, bytes, kMaxMountainFileBytes)) {
        case FileError::None: break;
        case FileError::NotFound:
        case FileError::NotAFile: return failure(ProblemKind::NotFound);
        default: return failure(ProblemKind::CannotRead);
    }
    return parseMountainFile(bytes, bounds);
}

Result<MountainFileData> parseMountainFile(std::string_view bytes, const JapanBounds& bounds) {
    std::string_view data = bytes;
    // Files of DOS days may end with an end-of-file mark.
    if (!data.empty() && data.back() == kDosEndOfFile) data.remove_suffix(1);
    const bool bom = data.substr(0, kUtf8Bom.size()) == kUtf8Bom;
    if (bom) data.remove_prefix(kUtf8Bom.size());

    // The lines that are read, checked as stored: line ends never occur inside a CP932 or UTF-8
    // character, so the byte text can be cut into lines before it is decoded.
    std::optional<Problem> fault;
    const size_t regionEnd =
        forEachLine(data, kMountainFileMaxLines, [&](std::string_view line, size_t number) {
            if (line.size() > kMountainLineMaxBytes) {
                fault = failure(ProblemKind::LineTooLong, number);
                return false;
            }
            for (char c : line) {
                if (isControlByte(c)) {
                    fault = failure(ProblemKind::NotText, number);
                    return false;
                }
            }
            return true;
        });
    if (fault) return *fault;
    const std::string_view region = data.substr(0, regionEnd);

    MountainFileEncoding encoding = MountainFileEncoding::Cp932;
    std::string decoded;
    std::string_view text = region;
    if (isValidUtf8(region)) {
        if (bom || hasNonAscii(region)) encoding = MountainFileEncoding::Utf8;
    } else {
        if (bom) return failure(ProblemKind::WrongEncoding, firstUndecodableLine(region));
        Cp932Result converted = cp932ToUtf8(region);
        if (!converted.lossless)
            return failure(ProblemKind::WrongEncoding, firstUndecodableLine(region));
        decoded = std::move(converted.text);
        text = decoded;
    }

    const double south = leadingNumber(bounds.south);
    const double north = leadingNumber(bounds.north);
    const double west = leadingNumber(bounds.west);
    const double east = leadingNumber(bounds.east);
    std::vector<MountainRecord> kept;
    kept.reserve(kMountainFileMaxLines);
    forEachLine(text, kMountainFileMaxLines, [&](std::string_view line, size_t number) {
        if (isMountainFileHeader(line) || (!line.empty() && line.front() == ';')) return true;
        std::optional<MountainRecord> record = splitMountainRecord(line);
        if (!record) {
            fault = failure(ProblemKind::BadRecord, number);
            return false;
        }
        const double latitude = leadingNumber(record->latitude);
        const double longitude = leadingNumber(record->longitude);
        // Records outside Japan are dropped silently.
        if (south < latitude && latitude < north && west < longitude && longitude < east &&
            kept.size() < static_cast<size_t>(kMaxMountains))
            kept.push_back(std::move(*record));
        return true;
    });
    if (fault) return *fault;

    MountainFileData read;
    read.records = std::move(kept);
    read.encoding = encoding;
    return read;
}

void putMountainTable(AppState& state, std::vector<MountainRecord> records) {
    const auto count = static_cast<int32_t>(std::min(records.size(), static_cast<size_t>(kMaxMountains)));
    for (size_t i = 0; i < state.mountainTable.size(); ++i)
        state.mountainTable[i] = (i >= 1 && i <= static_cast<size_t>(count)) ? std::move(records[i - 1])
                                                                           : MountainRecord{};
    state.mountainCount = count;
    state.mountainFileLoaded = true;
}

void reportMountainFileError(Dialogs& dialogs) {
    dialogs.message(kMountainFileErrorText, kMountainFileErrorTitle, Buttons::Ok, Icon::Error);
}

std::string mountainFileDialogStart(const AppState& state) {
    return state.fileFolders.startPath(FileKind::MountainFile, state.dataFolder, state.appFolder, "");
}

bool chooseMountainFile(AppState& state, Dialogs& dialogs) {
    // The file in use, unless it is the program's own sample: then the folder of the last
    // mountain-name file chosen, else the data folder.
    const std::string start =
        !state.mountainFilePath.empty() && std::filesystem::path(state.mountainFilePath).is_absolute() &&
                !isInsideFolder(state.mountainFilePath, state.appFolder)
            ? state.mountainFilePath
            : mountainFileDialogStart(state);
    const std::optional<std::string> chosen = dialogs.openFile(kMountainFileDialogTitle, kMountainFileFilter, start);
    if (!chosen || chosen->empty()) return false;
    state.mountainFilePath = *chosen;
    state.fileFolders.remember(FileKind::MountainFile, *chosen);
    return true;
}

}  // namespace orv
