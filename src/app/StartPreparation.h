#pragma once
// Work of the start that needs no desktop connection, done on two other threads while the
// connection is made and the splash window shown: the fonts' configuration is read, the
// application state is created and the overview picture decoded. On a machine with more
// than one processor the start menu appears sooner; the work itself is the same.
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
    std::optional<QImage> takeOverview();
    // Before the first text is laid out (Qt then reads the same configuration).
    void waitForFonts();

private:
    std::future<void> fonts_;
    std::future<std::unique_ptr<AppState>> state_;
    std::future<std::optional<QImage>> overview_;
};

}  // namespace orv
