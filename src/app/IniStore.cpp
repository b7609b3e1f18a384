#include "app/IniStore.h"

#include "core/Cp932.h"
#include "core/LineReader.h"
#include "core/TextFile.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace orv {

namespace fs = std::filesystem;

namespace {

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

// True when the bytes are well-formed UTF-8 and hold no NUL byte: anything else is not a
// settings file of ours.
bool isCleanUtf8(std::string_view bytes) {
    return bytes.find('\0') == std::string_view::npos && isValidUtf8(bytes);
}

// Line breaks cannot be stored: each CR or LF becomes a blank.
std::string withoutLineBreaks(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

}  // namespace

fs::path defaultSettingsPath() {
    fs::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        // Relative values are ignored, as the XDG rules ask.
        if (fs::path(xdg).is_absolute()) base = xdg;
    }
    if (base.empty()) base = homeFolder() / ".config";
    return base / "Orvane2" / "Orvane2.ini";
}

void IniStore::clear() {
    sections_.clear();
    sectionIndex_.clear();
}

Result<IniStore> readSettingsFile(const fs::path& path) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return Problem{ProblemKind::NotFound, 0, path.string()};
    if (ec) return Problem{ProblemKind::CannotRead, 0, path.string()};
    if (!fs::is_regular_file(status)) return Problem{ProblemKind::NotAFile, 0, path.string()};
    // The size is checked before reading, so a huge file is never pulled into memory.
    const auto size = fs::file_size(path, ec);
    if (ec) return Problem{ProblemKind::CannotRead, 0, path.string()};
    if (size > kMaxSettingsFileBytes) return Problem{ProblemKind::TooLarge, 0, path.string()};
    std::string bytes;
    if (const auto problem = problemOf(readBytes(path, bytes), path.string())) return *problem;
    return parseSettingsText(bytes);
}

Result<IniStore> parseSettingsText(std::string_view bytes) {
    if (bytes.size() > kMaxSettingsFileBytes) return Problem{ProblemKind::TooLarge, 0, {}};
    if (!isCleanUtf8(bytes)) return Problem{ProblemKind::WrongEncoding, 0, {}};
    // A byte-order mark some editors put first is not part of the first line.
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);

    IniStore store;
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t current = kNone;
    LineReader lines(bytes, LineEncoding::Utf8);
    while (lines.next()) {
        const std::string_view line = lines.bytes();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = store.sectionFor(line.substr(1, line.size() - 2));
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos || current == kNone) continue;
        store.put(store.sections_[current], line.substr(0, equals), line.substr(equals + 1));
    }
    return store;
}

Status writeSettingsFile(const fs::path& path, const IniStore& store) {
    const std::string bytes = store.text();
    if (bytes.size() > kMaxSettingsFileBytes) return Problem{ProblemKind::TooLarge, 0, path.string()};
    if (!isCleanUtf8(bytes)) return Problem{ProblemKind::WrongEncoding, 0, path.string()};
    std::error_code ec;
    if (path.has_parent_path()) {
        fs::create_directories(path.parent_path(), ec);
        if (ec) return Problem{ProblemKind::CannotWrite, 0, path.string()};
    }
    return problemOf(writeBytesAtomic(path, bytes), path.string());
}

const IniStore::Entry* IniStore::find(std::string_view section, std::string_view key) const {
    const auto s = sectionIndex_.find(std::string(section));
    if (s == sectionIndex_.end()) return nullptr;
    const Section& found = sections_[s->second];
    const auto k = found.index.find(std::string(key));
    if (k == found.index.end()) return nullptr;
    return &found.entries[k->second];
}

std::string IniStore::get(std::string_view section, std::string_view key) const {
    const Entry* entry = find(section, key);
    return entry != nullptr ? entry->value : std::string("0");
}

bool IniStore::contains(std::string_view section, std::string_view key) const {
    return find(section, key) != nullptr;
}

void IniStore::forEach(std::string_view section,
                       const std::function<void(std::string_view, std::string_view)>& visit) const {
    const auto s = sectionIndex_.find(std::string(section));
    if (s == sectionIndex_.end()) return;
    for (const Entry& entry : sections_[s->second].entries) visit(entry.key, entry.value);
}

size_t IniStore::sectionFor(std::string_view name) {
    std::string clean = withoutLineBreaks(name);
    if (const auto s = sectionIndex_.find(clean); s != sectionIndex_.end()) return s->second;
    const size_t position = sections_.size();
    sectionIndex_.emplace(clean, position);
    sections_.push_back(Section{std::move(clean), {}, {}});
    return position;
}

void IniStore::put(Section& section, std::string_view key, std::string_view value) {
    std::string cleanKey = withoutLineBreaks(key);
    std::string cleanValue = withoutLineBreaks(value);
    if (const auto k = section.index.find(cleanKey); k != section.index.end()) {
        section.entries[k->second].value = std::move(cleanValue);
        return;
    }
    section.index.emplace(cleanKey, section.entries.size());
    section.entries.push_back(Entry{std::move(cleanKey), std::move(cleanValue)});
}

void IniStore::set(std::string_view section, std::string_view key, std::string_view value) {
    const size_t position = sectionFor(section);
    put(sections_[position], key, value);
}

std::string IniStore::text() const {
    std::string out;
    for (const Section& section : sections_) {
        out += '[';
        out += section.name;
        out += "]\n";
        for (const Entry& entry : section.entries) {
            out += entry.key;
            out += '=';
            out += entry.value;
            out += '\n';
        }
    }
    return out;
}

}  // namespace orv
