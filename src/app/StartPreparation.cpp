#include "app/StartPreparation.h"

#include "app/Paths.h"
#include "platform/Fonts.h"

#include <QThread>

#include <system_error>
#include <utility>

namespace orv {

namespace {

// On a thread of its own; where none can be made, the work is done when it is taken.
template <typename Work>
auto begin(Work work) {
    try {
        return std::async(std::launch::async, std::move(work));
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, std::move(work));
    }
}

}  // namespace

StartPreparation::StartPreparation(const std::filesystem::path& appFolder) {
    // Qt takes the first thread that uses its objects for the main thread, the one whose
    // windows it paints: this thread makes itself known before any other thread starts.
    QThread::currentThread();
    fonts_ = begin([] { readFontConfiguration(); });
    state_ = begin([] { return makeAppState(); });
    overview_ = begin([picture = overviewPicturePath(appFolder)] { return DrawingSurface::startReading(picture); });
}

std::unique_ptr<AppState> StartPreparation::takeState() {
    return state_.valid() ? state_.get() : makeAppState();
}

std::optional<QImage> StartPreparation::takeOverview() {
    return overview_.valid() ? DrawingSurface::finishReading(overview_.get()) : std::nullopt;
}

void StartPreparation::waitForFonts() {
    if (fonts_.valid()) fonts_.get();
}

}  // namespace orv
