#pragma once
// The questions Orvane asks the user. Logic talks only to this interface; the desktop
// implementation lives in platform/qt, and tests use a scripted double that records every
// question with its exact text.
#include "core/Colour.h"
#include "core/TextStyle.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace orv {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Error, Question, Warning, Information };
enum class Answer { Ok, Cancel, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Message box. Texts may hold CR LF line breaks; they are shown as line breaks.
    virtual Answer message(const std::string& text, const std::string& title, Buttons buttons,
                           Icon icon) = 0;

    // Message box with a longer part (a list) that waits behind a button of the box; without
    // such a button it follows the text. Empty details: a plain message.
    virtual Answer messageWithDetails(const std::string& text, const std::string& details,
                                      const std::string& title, Buttons buttons, Icon icon) {
        return message(details.empty() ? text : text + "\r\n" + details, title, buttons, icon);
    }

    // Input box: the typed text, "" when cancelled.
    virtual std::string input(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) = 0;

    // File dialogs. filter: "description|pattern|description|pattern" (a trailing "|" allowed).
    // The chosen path, or nothing when cancelled. selectedFilter: the pair chosen when the
    // dialog opens, counting from 0 (one past the last: the first).
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                                const std::string& initialPath,
                                                size_t selectedFilter = 0) = 0;
    virtual std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                                const std::string& defaultExtension,
                                                const std::string& initialPath) = 0;
    // The save-file dialog telling also which of the filter's entries was chosen when it was
    // confirmed (0 for the first, the one chosen at the start); no extension is added. Dialogs
    // that offer no choice of entry answer through saveFile with the first.
    struct SavedAs {
        std::string path;
        int filterIndex = 0;
    };
    virtual std::optional<SavedAs> saveFileAs(const std::string& title, const std::string& filter,
                                              const std::string& initialPath) {
        std::optional<std::string> path = saveFile(title, filter, "", initialPath);
        if (!path) return std::nullopt;
        return SavedAs{std::move(*path), 0};
    }

    // Colour picker titled `title`, starting at `initial`: the chosen colour, or nothing when
    // cancelled.
    virtual std::optional<Colour> pickColour(Colour initial, const std::string& title) = 0;
    virtual std::optional<TextStyle> pickFont(const TextStyle& initial) = 0;

    // Folder picker starting in initialFolder (when given): the chosen folder, "" when cancelled.
    virtual std::string pickFolder(const std::string& title, const std::string& initialFolder) = 0;

    // Shows a help file by its name ("ORVANE1.hlp"); the desktop shows the matching page.
    virtual void showHelp(const std::string& helpFile) = 0;
};

}  // namespace orv
