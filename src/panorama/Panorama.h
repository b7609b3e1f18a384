#pragma once
// The panorama window's logic ("展望図"): where it is seen from and how (PanoramaSettings), the
// run that gathers the terrain (the loaded block near, elevation tiles beyond), scans it, finds
// the peaks in view and draws the picture, with progress and cancel; the picture's zoom and
// pan, a click on a peak, saving the picture as PNG and the status line. The window
// (panorama/ui/PanoramaWindow) is thin over this.
//
// Commands follow the one dispatch rule of every window (platform/CommandQueue.h): while a
// run lets window events run, commands wait and run after it.
#include "panorama/PanoramaPicture.h"
#include "panorama/PanoramaScan.h"
#include "panorama/PanoramaTools.h"
#include "panorama/TerrainGathering.h"
#include "platform/CommandQueue.h"
#include "platform/Dialogs.h"
#include "platform/MenuModel.h"
#include "state/AppState.h"

#include <QPointF>

#include <cmath>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::panorama {

inline constexpr const char* kPanoramaHelpFile = "ORVANE15.hlp";
inline constexpr const char* kPanoramaTitle = "展望図";
inline constexpr const char* kPanoramaSaveTitle = "展望図の画像保存";
inline constexpr const char* kPanoramaPngFilter = "PNGデータファイル(*.PNG)|*.PNG;*.png";

// Where the panorama is seen from, and how.
struct PanoramaSettings {
    LatLon observer;            // JGD2011
    std::string observerName;   // shown in the title; empty for a typed position
    double groundHeight = std::nan("");  // the ground at the observer (a summit's height); NaN: from the terrain
    double eyeHeight = 1.6;     // above the ground
    double azimuth = 0.0;       // the centre of the view, degrees from north
    double fieldOfView = 360.0;  // degrees
    double maxDistanceKm = 150.0;
    double refraction = kDefaultRefraction;
};

// The remembered choices as settings (no observer yet), and back.
PanoramaSettings settingsFromChoices(const SightChoices& choices);
void keepChoices(const PanoramaSettings& settings, SightChoices& choices);

// Checks the settings a dialog returns: a Japanese message for the first value out of range,
// nothing when all are usable.
std::optional<std::string> settingsProblem(const PanoramaSettings& settings);

// The settings within their ranges (azimuth 0..360, field of view 5..360, distance 1..300 km,
// eye height 0..1000 m, refraction −1..1).
PanoramaSettings clampedSettings(PanoramaSettings settings);

// Where the terrain and the peaks come from.
struct PanoramaSources {
    // The elevation tiles of a request; empty: none (the block alone).
    std::function<GatheredTerrain(const SightRequest&, const terrain::ProgressHook&)> gather;
    // Lays the loaded block into the terrain; empty: no block.
    std::function<void(SightTerrain&)> addBlock;
    // The peaks of the mountain files (JGD2011).
    std::function<std::vector<Peak>()> peaks;
};

// The program's own sources: the loaded block of `state` (unless the plan uses no elevation
// data), tiles from the tile folder of the choices (the data folder's "tiles" without one),
// fetched from the dem_png server of the elevation tile setting when the choices allow it,
// the mountain table of the plan and the mountain files `peakFiles` (Tokyo datum, shifted).
PanoramaSources programSources(const AppState& state, std::vector<std::filesystem::path> peakFiles);

// The one shift between the Tokyo datum and JGD2011 of the run, made when first asked;
// nullptr when PROJ cannot make it. Main thread only.
const DatumShift* tokyoShift();
// A Tokyo datum D.MMSS position on JGD2011; nothing for texts that are no position.
std::optional<LatLon> tokyoToJgd(const DatumShift& shift, std::string_view latitude, std::string_view longitude);

// A mountain of a mountain-name file as a peak on JGD2011; nothing for a record without a
// name, a position or a height.
std::optional<Peak> peakOfRecord(const DatumShift& shift, const MountainRecord& record);

// The folder the panorama's tiles are kept in.
std::filesystem::path sightTileFolder(const AppState& state);

// The peaks of the plan's mountain table and of `files`, on JGD2011, a peak standing in two
// of them (the same name within 300 m) once.
std::vector<Peak> collectPeaks(const AppState& state, const std::vector<std::filesystem::path>& files);

class Panorama {
public:
    Panorama(AppState& state, Dialogs& dialogs, PanoramaSources sources);
    Panorama(const Panorama&) = delete;
    Panorama& operator=(const Panorama&) = delete;

    MenuModel& menus() { return menus_; }
    const PanoramaSettings& settings() const { return settings_; }
    // "展望図 — 幌尻岳（目の高さ 1.6m、150km）".
    std::string title() const;

    // Runs a command of the table by its tool id; an unknown id is reported.
    void dispatch(std::string_view toolId);

    // Sees the panorama with these settings: gathers, scans and draws it. The progress hook
    // is asked between the steps and inside them; false cancels (the picture stays as it was
    // and the status line says so). False when nothing could be drawn.
    bool show(const PanoramaSettings& settings);

    // The picture's size in the window: a view that shows the whole panorama, or the opening view, fits it again, a
    // zoomed or moved one keeps its middle.
    void setPictureSize(int width, int height);
    // The wheel at a picture point: `steps` notches closer (negative: farther) about it.
    void zoomAt(double steps, QPointF about);
    // The picture follows the mouse by `delta` pixels.
    void pan(QPointF delta);
    // A click on the picture: the peak there is described on the status line.
    void click(QPointF at);

    // The commands (PanoramaTools.h).
    void savePicture();
    void zoomIn();
    void zoomOut();
    void fit();
    void toggleHiddenPeaks();
    void changeSettings();
    void showHelp();
    void close();

    const PanoramaPicture& picture() const { return picture_; }
    const PanoramaScan& scan() const { return scan_; }
    const std::vector<PeakSight>& peaks() const { return peaks_; }
    const PanoramaView& view() const { return view_; }
    // The status line: missing tiles, unknown directions, the peak clicked last.
    const std::string& status() const { return status_; }
    bool running() const { return running_; }

    // Asked while a run lasts: `done` of `total` with a line of text; false cancels. The
    // window shows its progress dialog through it.
    terrain::ProgressHook progress;
    // The settings dialog ("設定"): true when the user confirmed the edited settings.
    std::function<bool(PanoramaSettings&)> settingsDialog;
    // Called after every change the window shows.
    std::function<void()> changed;
    // "閉じる": the window closes.
    std::function<void()> closeWindow;

private:
    struct Step;
    void run(ToolId id);
    void redraw();
    void notify() {
        if (changed) changed();
    }
    bool ask(int done, int total, const std::string& text);

    AppState& state_;
    Dialogs& dialogs_;
    PanoramaSources sources_;
    MenuModel menus_;
    CommandQueue<ToolId> commands_;
    PanoramaSettings settings_;
    PanoramaScan scan_;
    std::vector<PeakSight> peaks_;
    PanoramaView view_;
    PanoramaPicture picture_;
    std::string terrainNote_;
    std::string status_;
    int width_ = 1200, height_ = 400;
    bool shown_ = false;
    // How the view was chosen, while it is not zoomed or moved since: the whole panorama
    // ("全体表示") or the opening view that fills the picture with the relief.
    enum class Fit { None, Terrain, Whole };
    Fit fit_ = Fit::None;
    bool running_ = false;
};

}  // namespace orv::panorama
