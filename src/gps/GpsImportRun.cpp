#include "gps/GpsImportRun.h"

#include "gps/GpsImport.h"

namespace orv {

namespace {

using Reader = GpsReadResult (*)(const std::filesystem::path&, AppState&, const GpsProgress&);

void showStatus(const GpsImportView& view, const std::string& text) {
    if (view.status) view.status(text);
}

// Asks for the file, reads it and shows what went wrong. Nothing when the file was read;
// otherwise the outcome that ends the import.
std::optional<GpsImportOutcome> readOne(const char* filter, Reader reader, AppState& state,
                                        Dialogs& dialogs, const GpsImportView& view) {
    const auto file = dialogs.openFile(kGpsOpenTitle, filter, state.gpsFilePath);
    if (!file) {
        state.startCancelled = -1;
        return GpsImportOutcome::Cancelled;
    }
    state.gpsFilePath = *file;
    showStatus(view, *file);
    const GpsReadResult result = reader(*file, state, view.progress);
    if (view.progressDone) view.progressDone();
    showStatus(view, "");
    if (!result.ok()) {
        dialogs.message(result.message, result.title, Buttons::Ok, result.icon);
        state.startCancelled = -1;
        return GpsImportOutcome::Failed;
    }
    return std::nullopt;
}

}  // namespace

GpsImportOutcome runGpsImport(const std::optional<GpsFormatChoice>& choice, AppState& state,
                              Dialogs& dialogs, const GpsImportView& view) {
    if (!choice || choice->option < 0 || choice->option >= kGpsFormatCount) {
        state.startCancelled = -1;
        return GpsImportOutcome::Cancelled;
    }
    clearRoute(state);
    clearWaypoints(state);
    switch (choice->option) {
        case kGpsFormatPcx:
            if (auto end = readOne(kPcxTrackFilter, readPcxTrack, state, dialogs, view))
                return *end;
            if (choice->readWaypoints) {
                if (auto end = readOne(kPcxWaypointFilter, readPcxWaypoints, state, dialogs, view))
                    return *end;
            }
            return GpsImportOutcome::Read;
        case kGpsFormatWaypointPlus:
            if (auto end = readOne(kWaypointPlusFilter, readWaypointPlus, state, dialogs, view))
                return *end;
            return GpsImportOutcome::Read;
        case kGpsFormatPot:
            return GpsImportOutcome::NothingRead;
        default:
            return GpsImportOutcome::ReadPlanRoute;
    }
}

}  // namespace orv
