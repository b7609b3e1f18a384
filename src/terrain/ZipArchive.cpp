#include "terrain/ZipArchive.h"

#include <zip.h>

#include <vector>

namespace orv::terrain {

namespace {

std::string zipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

}  // namespace

void ZipArchive::Closer::operator()(zip* archive) const { zip_discard(archive); }

ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;
ZipArchive::~ZipArchive() = default;

Result<ZipArchive> ZipArchive::open(const std::string& path) {
    int code = 0;
    zip* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive) {
        const ProblemKind kind = code == ZIP_ER_NOENT ? ProblemKind::NotFound
                                 : code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS ? ProblemKind::BadFormat
                                                                                 : ProblemKind::CannotRead;
        return Problem{kind, 0, "ZIPファイルとして読めません（" + zipErrorText(code) + "）"};
    }
    ZipArchive result;
    result.archive_.reset(archive);
    return result;
}

Result<ZipArchive> ZipArchive::fromBytes(std::string bytes, const std::string& name) {
    ZipArchive result;
    result.bytes_ = std::make_shared<std::string>(std::move(bytes));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(result.bytes_->data(), result.bytes_->size(), 0, &error);
    zip* archive = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    if (!archive) {
        const std::string text = zip_error_strerror(&error);
        if (source) zip_source_free(source);
        zip_error_fini(&error);
        return Problem{ProblemKind::BadFormat, 0, name + " はZIPファイルとして読めません（" + text + "）"};
    }
    zip_error_fini(&error);
    result.archive_.reset(archive);
    return result;
}

int ZipArchive::count() const {
    const zip_int64_t n = zip_get_num_entries(archive_.get(), 0);
    return n < 0 ? 0 : static_cast<int>(std::min<zip_int64_t>(n, 1'000'000));
}

std::string ZipArchive::name(int index) const {
    const char* text = zip_get_name(archive_.get(), static_cast<zip_uint64_t>(index), ZIP_FL_ENC_GUESS);
    return text ? text : "";
}

uint64_t ZipArchive::size(int index) const {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive_.get(), static_cast<zip_uint64_t>(index), 0, &st) != 0 ||
        !(st.valid & ZIP_STAT_SIZE))
        return 0;
    return st.size;
}

Status ZipArchive::read(int index, uint64_t limit,
                        const std::function<bool(std::string_view)>& piece) const {
    const std::string member = name(index);
    zip_file_t* file = zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0);
    if (!file)
        return Problem{ProblemKind::CannotRead, 0,
                       member + " を取り出せません（" + std::string(zip_strerror(archive_.get())) + "）"};
    std::vector<char> buffer(1 << 18);
    uint64_t total = 0;
    Status status;
    while (true) {
        const zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
        if (n < 0) {
            status = Problem{ProblemKind::CannotRead, 0,
                             member + " が壊れています（" + std::string(zip_file_strerror(file)) + "）"};
            break;
        }
        if (n == 0) break;
        total += static_cast<uint64_t>(n);
        if (total > limit) {
            status = Problem{ProblemKind::TooLarge, 0, member + " が大きすぎます"};
            break;
        }
        if (!piece(std::string_view(buffer.data(), static_cast<size_t>(n)))) break;
    }
    zip_fclose(file);
    return status;
}

bool looksLikeZip(std::string_view firstBytes) {
    return firstBytes.size() >= 4 && firstBytes.substr(0, 2) == "PK" &&
           (firstBytes[2] == '\x03' || firstBytes[2] == '\x05') &&
           (firstBytes[3] == '\x04' || firstBytes[3] == '\x06');
}

}  // namespace orv::terrain
