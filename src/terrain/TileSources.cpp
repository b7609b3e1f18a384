#include "terrain/TileSources.h"

#include "core/Characters.h"
#include "core/TextFile.h"
#include "terrain/DownloadCause.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <optional>
#include <regex>
#include <sstream>
#include <system_error>
#include <thread>

namespace orv::terrain {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxZoom = 20;
constexpr qint64 kMaxTileBytes = 8 << 20;  // a text tile is about 450 KB
constexpr const char* kMissingMark = ".none";  // beside a tile's cache name: the server did not have it

bool allDigits(const std::string& s) {
    return !s.empty() && s.size() <= 9 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<TileId> tileOfPath(const fs::path& path) {
    const std::string ext = asciiLower(path.extension().string());
    if (ext != ".txt" && ext != ".png") return std::nullopt;
    const std::string stem = path.stem().string();
    TileId id;
    const std::string parent = path.parent_path().filename().string();
    const std::string grand = path.parent_path().parent_path().filename().string();
    if (allDigits(stem) && allDigits(parent) && allDigits(grand)) {
        id = {std::stoi(grand), std::stoi(parent), std::stoi(stem)};
    } else {
        static const std::regex named(R"((\d{1,2})-(\d{1,9})-(\d{1,9})$)");
        std::smatch m;
        if (!std::regex_search(stem, m, named)) return std::nullopt;
        id = {std::stoi(m[1].str()), std::stoi(m[2].str()), std::stoi(m[3].str())};
    }
    if (id.z < 0 || id.z > kMaxZoom || id.x >= (1 << id.z) || id.y >= (1 << id.z)) return std::nullopt;
    return id;
}

Result<SourceGrid> readTileFile(const fs::path& path, TileId tile) {
    std::string bytes;
    if (const FileError e = readBytes(path, bytes); e != FileError::None)
        return *problemOf(e, "ファイルを読み込めません");
    return parseElevationTile(bytes, tile, path.string());
}

bool hasGaps(const SourceGrid& grid) {
    return std::any_of(grid.heights.begin(), grid.heights.end(), [](float h) { return std::isnan(h); });
}

// The folder of a server's tiles in the cache: the last fixed part of its path ("dem5a_png").
std::string cacheName(const std::string& urlTemplate) {
    const size_t z = urlTemplate.find("{z}");
    std::string head = urlTemplate.substr(0, z);
    while (!head.empty() && head.back() == '/') head.pop_back();
    std::string name = head.substr(head.find_last_of('/') + 1);
    name.erase(std::remove_if(name.begin(), name.end(),
                              [](unsigned char c) { return !(std::isalnum(c) || c == '_' || c == '-' || c == '.'); }),
               name.end());
    return name.empty() || name == "." || name == ".." ? "tiles" : name;
}

std::string templateExtension(const std::string& urlTemplate) {
    std::string path = urlTemplate.substr(0, urlTemplate.find('?'));
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return path.substr(dot);
}

enum class FetchKind { Ok, Missing, Failed, Offline };
struct Fetched {
    FetchKind kind = FetchKind::Failed;
    std::string bytes;
    std::string cause;  // why it failed, in short
    std::string error;  // the cause with the technical text after it
};

Fetched fetch(QNetworkAccessManager& network, const std::string& url, const DownloadOptions& options) {
    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setTransferTimeout(options.timeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Orvane elevation tiles"));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network.get(request);
    QEventLoop loop;
    bool tooLarge = false;
    bool tooSlow = false;
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) {
        if (received > kMaxTileBytes && !tooLarge) {
            tooLarge = true;
            reply->abort();
        }
    });
    // The transfer timeout counts only silence: a server sending a byte now and then would
    // keep the request alive for ever.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        tooSlow = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        deadline.start(std::max(options.tileDeadlineMs, 1));
        loop.exec();
    }
    Fetched result;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    if (tooLarge) {
        result.cause = result.error = "タイルが大きすぎます";
    } else if (tooSlow) {
        result.cause = result.error =
            "受信が遅すぎます（" + std::to_string(std::max(options.tileDeadlineMs, 1000) / 1000) + " 秒で終わりません）";
    } else if (status == 404 || error == QNetworkReply::ContentNotFoundError) {
        result.kind = FetchKind::Missing;
    } else if (error == QNetworkReply::NoError && status == 200) {
        const QByteArray body = reply->readAll();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() != body.size()) {
            result.cause = result.error = downloadCause(QNetworkReply::RemoteHostClosedError, status);
        } else {
            result.kind = FetchKind::Ok;
            result.bytes.assign(body.constData(), static_cast<size_t>(body.size()));
        }
    } else {
        if (isUnreachable(error)) result.kind = FetchKind::Offline;
        result.cause = downloadCause(error, status);
        const std::string technical = reply->errorString().toStdString();
        result.error = technical.empty() ? result.cause : result.cause + "：" + technical;
    }
    reply->deleteLater();
    return result;
}

// The cache's record that the server did not have a tile, while it is believed.
bool rememberedMissing(const fs::path& marker, std::chrono::seconds keptFor) {
    std::error_code ec;
    const auto written = fs::last_write_time(marker, ec);
    if (ec) return false;
    if (fs::file_time_type::clock::now() - written < keptFor) return true;
    fs::remove(marker, ec);
    return false;
}

void waitMs(qint64 ms) {
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(ms), &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

TileFolderFiles findTileFiles(const fs::path& folder, const GeoBox& wanted) {
    TileFolderFiles out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (it.depth() > 3) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file(ec)) continue;
        const bool marker = it->path().extension() == kMissingMark;
        const auto id = tileOfPath(marker ? it->path().parent_path() / it->path().stem() : it->path());
        if (!id || !tileBox(*id).intersects(wanted)) continue;
        if (marker) {
            out.missing.insert(*id);
            continue;
        }
        // The same tile twice (as text and as PNG): the first name in order, whatever order
        // the folder lists them in.
        const auto [at, added] = out.tiles.emplace(*id, it->path());
        if (!added && it->path() < at->second) at->second = it->path();
    }
    return out;
}

namespace {

// Reads a list of tile files on the calling thread and on helper threads: each file is read by
// whichever thread takes it first, and the calling thread takes the results in the list's order.
// The helpers stop when it is destroyed (after the file each is reading).
class TileFileReads {
public:
    TileFileReads(const std::vector<std::pair<TileId, const fs::path*>>& files, int helpers)
        : files_(files), results_(files.size()) {
        try {
            for (int i = 0; i < helpers; ++i)
                helpers_.emplace_back([this] {
                    while (!stop_ && readNext()) {
                    }
                });
        } catch (...) {  // no thread to be had: the calling thread reads the rest
            stopHelpers();
        }
    }
    ~TileFileReads() { stopHelpers(); }
    TileFileReads(const TileFileReads&) = delete;
    TileFileReads& operator=(const TileFileReads&) = delete;

    // The result of file `i`: while another thread reads it, this one reads the files no
    // thread has taken yet, and waits when none is left.
    Result<SourceGrid> take(size_t i) {
        while (true) {
            {
                std::unique_lock lock(mutex_);
                if (results_[i].done) break;
                if (next_ >= files_.size()) {
                    ready_.wait(lock, [&] { return results_[i].done; });
                    break;
                }
            }
            readNext();
        }
        Slot& slot = results_[i];
        if (slot.failure) std::rethrow_exception(slot.failure);
        Result<SourceGrid> grid = std::move(*slot.grid);
        slot.grid.reset();
        return grid;
    }

private:
    struct Slot {
        std::optional<Result<SourceGrid>> grid;
        std::exception_ptr failure;
        bool done = false;
    };

    // Reads the first file no thread has taken; false when none is left.
    bool readNext() {
        size_t i = 0;
        {
            std::lock_guard lock(mutex_);
            if (next_ >= files_.size()) return false;
            i = next_++;
        }
        std::optional<Result<SourceGrid>> grid;
        std::exception_ptr failure;
        try {
            grid.emplace(readTileFile(*files_[i].second, files_[i].first));
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            results_[i].grid = std::move(grid);
            results_[i].failure = failure;
            results_[i].done = true;
        }
        ready_.notify_all();
        return true;
    }

    void stopHelpers() {
        stop_ = true;
        for (std::thread& helper : helpers_) helper.join();
        helpers_.clear();
    }

    const std::vector<std::pair<TileId, const fs::path*>>& files_;
    std::vector<Slot> results_;
    std::mutex mutex_;
    std::condition_variable ready_;
    size_t next_ = 0;
    std::atomic<bool> stop_{false};
    std::vector<std::thread> helpers_;
};

// Helper threads for reading `count` files: one per further core (up to three), and none
// before Qt's application exists (its image readers are safe on other threads only then).
int readHelpers(size_t count) {
    if (count < 2 || QCoreApplication::instance() == nullptr) return 0;
    const int cores = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    return static_cast<int>(std::min<size_t>(static_cast<size_t>(cores - 1), count - 1));
}

}  // namespace

LoadedSources readTileFiles(const std::map<TileId, fs::path>& files, const ProgressHook& progress) {
    LoadedSources out;
    const int total = static_cast<int>(files.size());
    std::vector<std::pair<TileId, const fs::path*>> list;
    list.reserve(files.size());
    for (const auto& [id, path] : files) list.emplace_back(id, &path);
    TileFileReads reads(list, readHelpers(list.size()));
    int done = 0;
    for (const auto& [id, pathOf] : list) {
        const fs::path& path = *pathOf;
        if (progress && !progress(done, total, path.string())) {
            out.cancelled = true;
            return out;
        }
        auto grid = reads.take(static_cast<size_t>(done++));
        if (!grid) {
            out.problems.push_back({path.string(), grid.problem(), tileBox(id)});
            continue;
        }
        out.grids.push_back(std::move(*grid));
        ++out.filesRead;
    }
    return out;
}

LoadedSources readTileFolder(const fs::path& folder, const GeoBox& wanted, const ProgressHook& progress) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        LoadedSources out;
        out.problems.push_back({folder.string(), Problem{ProblemKind::NotFound, 0, "フォルダが見つかりません"}, std::nullopt});
        return out;
    }
    const auto found = findTileFiles(folder, wanted).tiles;
    LoadedSources out = readTileFiles(found, progress);
    if (found.empty())
        out.problems.push_back({folder.string(), Problem{ProblemKind::NoData, 0, "範囲の標高タイルがありません"}, std::nullopt});
    return out;
}

std::vector<TileServer> defaultTileServers() {
    return {{"https://cyberjapandata.gsi.go.jp/xyz/dem5a_png/{z}/{x}/{y}.png", 15},
            {"https://cyberjapandata.gsi.go.jp/xyz/dem_png/{z}/{x}/{y}.png", 14}};
}

namespace {

// The servers a setting names; words that are neither a template nor a zoom after one are
// passed over.
std::vector<TileServer> serversNamedIn(const std::string& setting) {
    std::vector<TileServer> servers;
    std::istringstream words(setting);
    std::string word;
    while (words >> word) {
        if (allDigits(word) && !servers.empty()) {
            servers.back().zoom = std::min(std::stoi(word), kMaxZoom);
            continue;
        }
        if (word.find("{z}") == std::string::npos || word.find("{x}") == std::string::npos ||
            word.find("{y}") == std::string::npos)
            continue;
        servers.push_back({word, 14});
    }
    return servers;
}

}  // namespace

std::vector<TileServer> tileServersFromSetting(const std::string& setting) {
    std::vector<TileServer> servers = serversNamedIn(setting);
    return servers.empty() ? defaultTileServers() : servers;
}

bool isUsableTileSetting(const std::string& setting) { return !serversNamedIn(setting).empty(); }

std::string defaultTileSetting() { return tileServersSetting(defaultTileServers()); }

std::string tileServersSetting(const std::vector<TileServer>& servers) {
    std::string text;
    for (const auto& s : servers) {
        if (!text.empty()) text += ' ';
        text += s.urlTemplate + ' ' + std::to_string(s.zoom);
    }
    return text;
}

std::string tileUrl(const std::string& urlTemplate, TileId tile) {
    std::string url = urlTemplate;
    const auto put = [&](const std::string& key, int value) {
        for (size_t at; (at = url.find(key)) != std::string::npos;) url.replace(at, key.size(), std::to_string(value));
    };
    put("{z}", tile.z);
    put("{x}", tile.x);
    put("{y}", tile.y);
    return url;
}

LoadedSources downloadTiles(const GeoBox& wanted, const DownloadOptions& options, const ProgressHook& progress) {
    LoadedSources out;
    QNetworkAccessManager network;
    QElapsedTimer sinceLast;
    bool offline = options.cacheOnly;
    std::vector<GeoBox> gaps;  // where the servers so far left the block without data

    for (size_t si = 0; si < options.servers.size(); ++si) {
        const TileServer& server = options.servers[si];
        const int zoom = std::clamp(server.zoom, 0, kMaxZoom);
        const TileRange range = tilesCovering(wanted, zoom);
        std::vector<TileId> needed;
        for (int y = range.y0; y <= range.y1; ++y)
            for (int x = range.x0; x <= range.x1; ++x) {
                const TileId id{zoom, x, y};
                if (si == 0 || std::any_of(gaps.begin(), gaps.end(), [&](const GeoBox& g) { return g.intersects(tileBox(id)); }))
                    needed.push_back(id);
            }
        gaps.clear();
        const fs::path cache = options.cacheFolder.empty() ? fs::path() : options.cacheFolder / cacheName(server.urlTemplate);
        const std::string ext = templateExtension(server.urlTemplate);
        const int total = static_cast<int>(needed.size());
        for (int i = 0; i < total; ++i) {
            const TileId id = needed[static_cast<size_t>(i)];
            const std::string url = tileUrl(server.urlTemplate, id);
            if (progress && !progress(i, total, url)) {
                out.cancelled = true;
                return out;
            }
            const fs::path cached = cache.empty() ? fs::path()
                                                  : cache / std::to_string(id.z) / std::to_string(id.x) /
                                                        (std::to_string(id.y) + ext);
            std::error_code ec;
            Fetched got;
            bool remembered = false;
            if (!cached.empty() && fs::exists(cached, ec)) {
                got.kind = FetchKind::Ok;
                if (readBytes(cached, got.bytes) != FileError::None) got.kind = FetchKind::Failed;
            } else if (!cached.empty() && rememberedMissing(cached.string() + kMissingMark, options.missingKeptFor)) {
                got.kind = FetchKind::Missing;
                remembered = true;
            }
            if (got.kind != FetchKind::Ok && got.kind != FetchKind::Missing) {
                if (offline) {
                    got.kind = FetchKind::Offline;
                } else {
                    if (sinceLast.isValid()) waitMs(options.minimumIntervalMs - sinceLast.elapsed());
                    sinceLast.start();
                    got = fetch(network, url, options);
                    if (!cached.empty() && (got.kind == FetchKind::Ok || got.kind == FetchKind::Missing)) {
                        fs::create_directories(cached.parent_path(), ec);
                        if (got.kind == FetchKind::Ok) writeBytesAtomic(cached, got.bytes);
                        else writeBytesAtomic(cached.string() + kMissingMark, "");
                    }
                }
            }
            switch (got.kind) {
            case FetchKind::Missing:
                ++out.tilesMissing;
                out.missingTiles.push_back(id);
                if (remembered) ++out.tilesMissingRemembered;
                gaps.push_back(tileBox(id));
                break;
            case FetchKind::Ok: {
                auto grid = parseElevationTile(got.bytes, id, url);
                if (!grid) {
                    out.problems.push_back({url, grid.problem(), tileBox(id)});
                    if (!cached.empty()) fs::remove(cached, ec);  // not kept for the next try
                    break;
                }
                if (hasGaps(*grid)) gaps.push_back(tileBox(id));
                out.grids.push_back(std::move(*grid));
                ++out.filesRead;
                break;
            }
            case FetchKind::Offline:
                if (!offline) {
                    out.offlineHost = QUrl(QString::fromStdString(url)).host().toStdString();
                    out.offlineCause = got.cause;
                }
                offline = true;
                out.offline = true;
                out.problems.push_back({url, Problem{ProblemKind::CannotRead, 0, got.error.empty() ? "接続できません" : got.error}, tileBox(id)});
                break;
            case FetchKind::Failed:
                out.problems.push_back({url, Problem{ProblemKind::CannotRead, 0, got.error}, tileBox(id)});
                break;
            }
        }
        if (progress) progress(total, total, "");
        if (gaps.empty()) break;
    }
    return out;
}

}  // namespace orv::terrain
