#include "terrain/GmlSources.h"

#include "terrain/GmlDem.h"
#include "terrain/ZipArchive.h"

#include <QFile>

#include <regex>

namespace orv::terrain {

namespace {

constexpr uint64_t kMaxXmlBytes = 256ull << 20;     // a DEM10B mesh is about 20 MB
// An archive inside an archive is read into memory: the survey's hold a secondary mesh's
// documents, some tens of megabytes.
constexpr uint64_t kMaxNestedZipBytes = 256ull << 20;
constexpr int kMaxNesting = 2;
// Bytes read or unpacked between two chances to cancel.
constexpr uint64_t kCancelStride = 4ull << 20;

bool endsWithIgnoringCase(std::string_view s, std::string_view tail) {
    if (s.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

class Reader {
public:
    // goOn: asked every few megabytes read; false cancels the reading.
    Reader(const GeoBox& wanted, LoadedSources& out, std::function<bool()> goOn = {})
        : wanted_(wanted), out_(out), goOn_(std::move(goOn)) {}

    bool cancelled() const { return out_.cancelled; }

    void file(const std::string& path) {
        QFile f(QString::fromStdString(path));
        if (!f.open(QIODevice::ReadOnly)) {
            const ProblemKind kind = f.exists() ? ProblemKind::CannotRead : ProblemKind::NotFound;
            problem(path, Problem{kind, 0, kind == ProblemKind::NotFound ? "ファイルが見つかりません" : "ファイルを読み込めません"});
            return;
        }
        const QByteArray head = f.peek(8);
        const std::string_view first(head.constData(), static_cast<size_t>(head.size()));
        if (isArchive(first, path)) {
            f.close();
            archive(path, ZipArchive::open(path));
            return;
        }
        parse(path, [&](const std::function<bool(std::string_view)>& piece) -> Status {
            std::string buffer(1 << 18, '\0');
            uint64_t total = 0;
            while (true) {
                const qint64 n = f.read(buffer.data(), static_cast<qint64>(buffer.size()));
                if (n < 0) return Problem{ProblemKind::CannotRead, 0, "ファイルを読み込めません"};
                if (n == 0) return Status{};
                total += static_cast<uint64_t>(n);
                if (total > kMaxXmlBytes) return Problem{ProblemKind::TooLarge, 0, "ファイルが大きすぎます"};
                if (!piece(std::string_view(buffer.data(), static_cast<size_t>(n)))) return Status{};
            }
        });
    }

    // A file's bytes already in memory: an archive or one document.
    void bytes(const std::string& label, std::string bytes) {
        if (isArchive(bytes, label)) {
            archive(label, ZipArchive::fromBytes(std::move(bytes), label));
            return;
        }
        parse(label, [&](const std::function<bool(std::string_view)>& piece) -> Status {
            piece(bytes);
            return Status{};
        });
    }

private:
    static bool isArchive(std::string_view firstBytes, std::string_view name) {
        return looksLikeZip(firstBytes) || endsWithIgnoringCase(name, ".zip");
    }

    // The members of an archive, or the problem of one that cannot be opened.
    void archive(const std::string& label, const Result<ZipArchive>& opened) {
        if (!opened) {
            problem(label, opened.problem());
            return;
        }
        members(*opened, label, 0);
    }

    void members(const ZipArchive& archive, const std::string& label, int depth) {
        bool any = false;
        for (int i = 0; i < archive.count() && !cancelled(); ++i) {
            const std::string name = archive.name(i);
            const std::string member = label + ":" + name;
            if (endsWithIgnoringCase(name, ".xml")) {
                any = true;
                parse(member, [&](const std::function<bool(std::string_view)>& piece) {
                    return archive.read(i, kMaxXmlBytes, piece);
                });
            } else if (endsWithIgnoringCase(name, ".zip")) {
                any = true;
                if (depth >= kMaxNesting) {
                    problem(member, Problem{ProblemKind::Unsupported, 0, "ZIPファイルの入れ子が深すぎます"});
                    continue;
                }
                // A size beyond the limit is refused before anything is unpacked; the memory for
                // the size stated is taken at once.
                const uint64_t stated = archive.size(i);
                if (stated > kMaxNestedZipBytes) {
                    problem(member, Problem{ProblemKind::TooLarge, 0, name + " が大きすぎます"});
                    continue;
                }
                std::string bytes;
                bytes.reserve(static_cast<size_t>(stated));
                const Status read = archive.read(i, kMaxNestedZipBytes, [&](std::string_view piece) {
                    bytes.append(piece);
                    return goOn(piece.size());
                });
                if (cancelled()) return;
                if (!read) {
                    problem(member, read.problem());
                    continue;
                }
                auto inner = ZipArchive::fromBytes(std::move(bytes), name);
                if (!inner) {
                    problem(member, inner.problem());
                    continue;
                }
                members(*inner, member, depth + 1);
            }
        }
        if (!any && !cancelled()) problem(label, Problem{ProblemKind::NoData, 0, "ZIPファイルにFG-GMLのXMLファイルがありません"});
    }

    // Streams one document through the parser; `source` feeds the pieces.
    void parse(const std::string& label,
               const std::function<Status(const std::function<bool(std::string_view)>&)>& source) {
        GmlDemParser parser(label, [this](const GeoBox& box) { return box.intersects(wanted_); });
        const Status fed = source([&](std::string_view piece) { return goOn(piece.size()) && parser.feed(piece); });
        if (cancelled()) return;
        auto grid = parser.finish();
        std::optional<GeoBox> box = parser.box();
        if (!box) box = boxFromGmlName(label);
        if (!fed) {
            out_.problems.push_back({label, fed.problem(), box});
            return;
        }
        if (!grid) {
            out_.problems.push_back({label, grid.problem(), box});
            return;
        }
        if (grid->has_value()) {
            out_.grids.push_back(std::move(**grid));
            ++out_.filesRead;
        }
    }

    // Counts the bytes read; false once the reading is cancelled.
    bool goOn(size_t bytes) {
        if (out_.cancelled) return false;
        sinceAsked_ += bytes;
        if (sinceAsked_ < kCancelStride || !goOn_) return true;
        sinceAsked_ = 0;
        if (!goOn_()) out_.cancelled = true;
        return !out_.cancelled;
    }

    void problem(const std::string& label, Problem p) {
        out_.problems.push_back({label, std::move(p), boxFromGmlName(label)});
    }

    GeoBox wanted_;
    LoadedSources& out_;
    std::function<bool()> goOn_;
    uint64_t sinceAsked_ = 0;
};

}  // namespace

std::optional<GeoBox> boxFromGmlName(std::string_view name) {
    const size_t slash = name.find_last_of("/:\\");
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    static const std::regex pattern(R"(FG-GML-(\d\d)(\d\d)-([0-7])([0-7])(?:-(\d)(\d))?-DEM)");
    std::cmatch m;
    if (!std::regex_search(name.data(), name.data() + name.size(), m, pattern)) return std::nullopt;
    const auto digit = [&](int i) { return std::stoi(m[i].str()); };
    double south = digit(1) * 2400.0 + digit(3) * 300.0;  // seconds
    double west = (digit(2) + 100) * 3600.0 + digit(4) * 450.0;
    double height = 300.0, width = 450.0;
    if (m[5].matched) {
        south += digit(5) * 30.0;
        west += digit(6) * 45.0;
        height = 30.0;
        width = 45.0;
    }
    return GeoBox{south / 3600.0, (south + height) / 3600.0, west / 3600.0, (west + width) / 3600.0};
}

LoadedSources readGmlSourceBytes(std::string bytes, const std::string& label, const GeoBox& wanted) {
    LoadedSources out;
    Reader(wanted, out).bytes(label, std::move(bytes));
    return out;
}

LoadedSources readGmlSources(const std::vector<std::string>& paths, const GeoBox& wanted,
                             const ProgressHook& progress) {
    LoadedSources out;
    const int total = static_cast<int>(paths.size());
    int current = 0;
    // Within a file, the same progress again: a chance to cancel a long file.
    Reader reader(wanted, out, [&] {
        return !progress || progress(current, total, paths[static_cast<size_t>(current)]);
    });
    for (; current < total; ++current) {
        if (progress && !progress(current, total, paths[static_cast<size_t>(current)])) {
            out.cancelled = true;
            return out;
        }
        reader.file(paths[static_cast<size_t>(current)]);
        if (out.cancelled) return out;
    }
    if (progress) progress(total, total, "");
    return out;
}

}  // namespace orv::terrain
