#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it.
#include <filesystem>
#include <string>
#include <string_view>

namespace orv::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Writes raw bytes to a file below the folder (folders made as needed).
    std::filesystem::path write(std::string_view relative, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace orv::test
