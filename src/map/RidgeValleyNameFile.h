#pragma once
// The ridge/valley names file "Orvane.RVN" of the data folder, shared by every plan: one label
// a line, "latitude,longitude,angle,text,magnification" (angle in tenths of a degree as a whole
// number, magnification as a decimal such as 1.3). Lines that do not split into five fields or
// whose numbers do not read are kept as they are: listed, never drawn, never lost.
#include "core/TextFile.h"
#include "geo/Angles.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr const char* kRidgeValleyNameFileName = "Orvane.RVN";
inline constexpr const char* kRidgeValleyNameTempName = "Orvane.tmp";
// Largest names file that is read; no larger one is written.
inline constexpr std::uintmax_t kMaxRidgeValleyNameFileBytes = kMaxTextFileBytes;

struct RidgeValleyName {
    DmsText latitude;
    DmsText longitude;
    int32_t angle = 0;  // tenths of a degree, counter-clockwise
    std::string text;
    float magnification = 1.3f;
    bool operator==(const RidgeValleyName&) const = default;
};

// One line of the file: its text, and the label when the line reads as one.
struct RidgeValleyNameEntry {
    std::string line;
    std::optional<RidgeValleyName> name;
    // What the list of registered names shows: the label's text, or a broken line as it is.
    const std::string& listText() const { return name ? name->text : line; }
};

struct RidgeValleyNames {
    std::vector<RidgeValleyNameEntry> entries;
    FileError error = FileError::None;  // NotFound when there is no file yet
};

std::filesystem::path ridgeValleyNameFilePath(const std::filesystem::path& dataFolder);

std::string ridgeValleyNameLine(const RidgeValleyName& name);
// A label from its line: exactly five fields, the angle read as a rounded number and the
// magnification as a number; nothing otherwise.
std::optional<RidgeValleyName> parseRidgeValleyNameLine(std::string_view line);

// Reads the file (UTF-8 lines in memory).
RidgeValleyNames readRidgeValleyNames(const std::filesystem::path& file);

// Appends one label, creating the file when there is none; the file is replaced whole, so it
// is either the old one or the old one with the new line. TooLarge, and nothing written, when
// the file would grow beyond kMaxRidgeValleyNameFileBytes.
FileError appendRidgeValleyName(const std::filesystem::path& file, const RidgeValleyName& name);

// The step that puts the new file in place of the old one; tests replace it to fail.
using ReplaceFile = std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)>;
bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// Deletes the labels the list entry stands for: every label with the entry's text, or for a
// broken line every line equal to it. The kept lines go unchanged into "Orvane.tmp" beside the
// file, which then replaces the file in one rename: a failure at any point leaves the file as
// it was. (SelDataDel)
FileError deleteRidgeValleyNames(const std::filesystem::path& file, const RidgeValleyNameEntry& entry,
                                 const ReplaceFile& replace = renameOver);

}  // namespace orv
