#include "map/RidgeValleyNameFile.h"

#include "core/Blanks.h"
#include "core/Cp932.h"
#include "core/NumberText.h"
#include "core/Rounding.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace orv {

namespace fs = std::filesystem;

namespace {

constexpr size_t kFields = 5;

std::vector<std::string_view> splitAtCommas(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

// The whole field as a finite number (blanks around it allowed).
std::optional<double> numberOf(std::string_view field) {
    const std::string_view text = trimBlanks(field, kSpacesAndTabs);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The file's lines as stored (CP932 bytes), without their line ends.
std::vector<std::string> storedLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

FileError readStored(const fs::path& file, std::string& bytes) {
    const FileError error = readBytes(file, bytes, kMaxRidgeValleyNameFileBytes);
    if (error == FileError::NotFound) bytes.clear();
    return error;
}

}  // namespace

fs::path ridgeValleyNameFilePath(const fs::path& dataFolder) { return dataFolder / kRidgeValleyNameFileName; }

std::string ridgeValleyNameLine(const RidgeValleyName& name) {
    return name.latitude + "," + name.longitude + "," + integerText(name.angle) + "," + name.text + "," +
           shortestText(name.magnification);
}

std::optional<RidgeValleyName> parseRidgeValleyNameLine(std::string_view line) {
    const std::vector<std::string_view> fields = splitAtCommas(line);
    if (fields.size() != kFields) return std::nullopt;
    const std::optional<double> latitude = numberOf(fields[0]);
    const std::optional<double> longitude = numberOf(fields[1]);
    const std::optional<double> angle = numberOf(fields[2]);
    const std::optional<double> magnification = numberOf(fields[4]);
    if (!latitude || !longitude || !angle || !magnification) return std::nullopt;
    if (std::abs(*angle) > 1e6 || std::abs(*magnification) > 1e3) return std::nullopt;
    RidgeValleyName name;
    name.latitude = std::string(trimBlanks(fields[0], kSpacesAndTabs));
    name.longitude = std::string(trimBlanks(fields[1], kSpacesAndTabs));
    name.angle = roundHalfEven(*angle);
    name.text = std::string(fields[3]);
    name.magnification = static_cast<float>(*magnification);
    return name;
}

RidgeValleyNames readRidgeValleyNames(const fs::path& file) {
    RidgeValleyNames names;
    std::string bytes;
    names.error = readBytes(file, bytes, kMaxRidgeValleyNameFileBytes);
    if (names.error != FileError::None) return names;
    for (const std::string& stored : storedLines(bytes)) {
        RidgeValleyNameEntry entry;
        entry.line = cp932ToUtf8(stored).text;
        entry.name = parseRidgeValleyNameLine(entry.line);
        names.entries.push_back(std::move(entry));
    }
    return names;
}

FileError appendRidgeValleyName(const fs::path& file, const RidgeValleyName& name) {
    std::string bytes;
    const FileError error = readStored(file, bytes);
    if (error != FileError::None && error != FileError::NotFound) return error;
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes += "\r\n";
    bytes += cp932LinesBytes({ridgeValleyNameLine(name)});
    if (bytes.size() > kMaxRidgeValleyNameFileBytes) return FileError::TooLarge;
    return writeBytesAtomic(file, bytes);
}

bool renameOver(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

FileError deleteRidgeValleyNames(const fs::path& file, const RidgeValleyNameEntry& entry,
                                 const ReplaceFile& replace) {
    std::string bytes;
    const FileError error = readBytes(file, bytes, kMaxRidgeValleyNameFileBytes);
    if (error != FileError::None) return error;
    std::string kept;
    for (const std::string& stored : storedLines(bytes)) {
        const std::string line = cp932ToUtf8(stored).text;
        const std::optional<RidgeValleyName> name = parseRidgeValleyNameLine(line);
        const bool goes = entry.name ? (name && name->text == entry.name->text) : (!name && line == entry.line);
        if (goes) continue;
        kept += stored;
        kept += "\r\n";
    }
    if (kept.size() > kMaxRidgeValleyNameFileBytes) return FileError::TooLarge;
    const fs::path temporary = file.parent_path() / kRidgeValleyNameTempName;
    if (const FileError written = writeBytesAtomic(temporary, kept); written != FileError::None) return written;
    if (!replace(temporary, file)) {
        std::error_code ec;
        fs::remove(temporary, ec);
        return FileError::CannotWrite;
    }
    return FileError::None;
}

}  // namespace orv
