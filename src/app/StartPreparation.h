#pragma once
// Work of the start that needs no desktop connection, done on other threads while the
// connection is made and the splash window shown: the fonts' configuration is read, the
// application state is created and the overview picture decoded. On a machine with more
// than one processor the start menu appears sooner; the work itself is the same.
// The application object is made meanwhile on the main thread, loading the desktop's plugins:
// these threads touch no Qt object, no plugin and nothing of the application object (the
// picture is read with the JPEG library alone; a picture that needs the desktop's image
// readers is left to takeOverview).
#include "platform/DrawingSurface.h"
#include "state/AppState.h"

#include <QImage>

#include <filesystem>
#include <future>
#include <memory>
#include <optional>

namespace orv {

class StartPreparation {
public:
    // Leaving it waits for whatever was not taken.
    explicit StartPreparation(const std::filesystem::path& appFolder);
    StartPreparation(const StartPreparation&) = delete;
    StartPreparation& operator=(const StartPreparation&) = delete;

    // Each waits until its part is done and can be taken once.
    std::unique_ptr<AppState> takeState();
    // On the main thread once the application object exists.
    std::optional<QImage> takeOverview();
    // Before the first text is laid out (Qt then reads the same configuration).
    void waitForFonts();

private:
    std::future<void> fonts_;
    std::future<std::unique_ptr<AppState>> state_;
    std::future<DrawingSurface::PictureReading> overview_;
};

}  // namespace orv
