#pragma once
// The per-user settings file: texts addressed by section and key, kept in a UTF-8 file of
// "[section]" lines each followed by its "key=value" lines. A line is split at its first "=";
// nothing is trimmed or escaped, so keys and values with blanks (trailing ones too) come back
// exactly. Sections and keys keep the order in which they were first set.
//
// What the format cannot hold:
// - line breaks: a CR or LF in a section, key or value is replaced by a blank when it is set;
// - "=" in a key: the line is split at the first "=", so the rest would belong to the value;
// - a key that starts with "[" together with a value that ends with "]": the line would read
//   as a section line.
// None of the settings' keys contain these characters.
#include "core/Result.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv {

// $XDG_CONFIG_HOME/Orvane2/Orvane2.ini; without an absolute XDG_CONFIG_HOME,
// $HOME/.config/Orvane2/Orvane2.ini (the home folder from the user database when HOME is
// not set).
std::filesystem::path defaultSettingsPath();

// Largest settings file that is read; a larger one is refused as not ours.
inline constexpr std::uintmax_t kMaxSettingsFileBytes = 1024u * 1024u;

// The settings in memory. The file is read by readSettingsFile and written by
// writeSettingsFile (below).
class IniStore {
public:
    // The stored text, or "0" when the key is missing (a missing setting reads as "0").
    std::string get(std::string_view section, std::string_view key) const;
    bool contains(std::string_view section, std::string_view key) const;
    // Each key and value of a section, in store order.
    void forEach(std::string_view section,
                 const std::function<void(std::string_view key, std::string_view value)>& visit) const;

    // Sets a value; a new section or key goes after the existing ones.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes: "[section]\n" followed by "key=value\n" per key, in store order.
    std::string text() const;

    void clear();
    bool empty() const { return sections_.empty(); }

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, size_t> index;  // key -> position in entries
    };

    const Entry* find(std::string_view section, std::string_view key) const;
    // Position of the section, added at the end when new.
    size_t sectionFor(std::string_view name);
    void put(Section& section, std::string_view key, std::string_view value);

    friend Result<IniStore> parseSettingsText(std::string_view bytes);

    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> sectionIndex_;  // name -> position in sections_
};

// Reads the settings file. Lines without "=" and lines before the first section line are
// skipped; a CR before the LF is dropped; a key given twice keeps its first place and its last
// value. Problems: NotFound (no file yet: start from an empty store), NotAFile, CannotRead,
// TooLarge (over kMaxSettingsFileBytes) and WrongEncoding (not clean UTF-8, or a NUL byte): a
// file that is not ours.
Result<IniStore> readSettingsFile(const std::filesystem::path& path);

// The store of a settings file's bytes; WrongEncoding or TooLarge as above.
Result<IniStore> parseSettingsText(std::string_view bytes);

// Writes the file: what readSettingsFile would refuse (more than kMaxSettingsFileBytes: TooLarge;
// not clean UTF-8: WrongEncoding) is not written, and the old file stays. Otherwise its folder
// is created when missing, the bytes go to a temporary file that
// is renamed over the old one, so the file is either the old or the complete new one. A
// symbolically linked file is written through the link, and the file keeps its permissions.
Status writeSettingsFile(const std::filesystem::path& path, const IniStore& store);

}  // namespace orv
