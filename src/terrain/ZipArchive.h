#pragma once
// Reading the survey's ZIP archives through libzip: members by name, each read as a stream of
// pieces, and archives held in memory (an archive inside an archive).
#include "core/Result.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct zip;

namespace orv::terrain {

class ZipArchive {
public:
    // An archive file; a problem when it is not a ZIP archive or cannot be read.
    static Result<ZipArchive> open(const std::string& path);
    // An archive held in memory; `name` is how problems name it.
    static Result<ZipArchive> fromBytes(std::string bytes, const std::string& name);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    int count() const;
    std::string name(int index) const;
    // Uncompressed size as the archive states it.
    uint64_t size(int index) const;

    // Streams member `index` in pieces; `piece` returning false stops early (not a problem).
    // A problem when the member is damaged or longer than `limit` bytes.
    Status read(int index, uint64_t limit, const std::function<bool(std::string_view)>& piece) const;

private:
    ZipArchive() = default;
    struct Closer {
        void operator()(zip* archive) const;
    };
    std::unique_ptr<zip, Closer> archive_;
    std::shared_ptr<std::string> bytes_;  // the memory an in-memory archive reads from
};

// True when the bytes begin like a ZIP archive.
bool looksLikeZip(std::string_view firstBytes);

}  // namespace orv::terrain
