#pragma once
// The desktop's dialogs behind the Dialogs interface: Qt message, input, file, colour, font and
// folder dialogs, and a help window that shows the HTML page standing for a help file.
#include "platform/Dialogs.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>

class QTextBrowser;
class QWidget;

namespace orv {

// A filter list "description|pattern|description|pattern|" as Qt's "description (pattern)"
// entries joined by ";;". Patterns separated by ";" become blank-separated; a description that
// already ends in its own "(pattern)" (in any letter case: the dialogs match without regard to
// case) is kept as it is.
QString qtFileFilter(const std::string& filter);
// The same entries one by one.
QStringList qtFileFilterEntries(const std::string& filter);

// The path with "." + extension appended when its file name has no extension yet; the
// extension may be given with or without its dot, an empty one appends nothing.
std::string withDefaultExtension(const std::string& path, const std::string& extension);

// The HTML page standing for a help file ("ORVANE1.hlp" -> "help/ORVANE1.html"), looked up
// beside the program and then in ../share/orvane/help; the file name's case need not match.
// Empty when there is none.
std::filesystem::path helpPagePath(const std::string& helpFile,
                                   const std::filesystem::path& programFolder);

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent);
    ~QtDialogs() override;

    Answer message(const std::string& text, const std::string& title, Buttons buttons,
                   Icon icon) override;
    Answer messageWithDetails(const std::string& text, const std::string& details, const std::string& title,
                              Buttons buttons, Icon icon) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;
    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& initialPath,
                                        size_t selectedFilter = 0) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& defaultExtension,
                                        const std::string& initialPath) override;
    std::optional<SavedAs> saveFileAs(const std::string& title, const std::string& filter,
                                      const std::string& initialPath) override;
    std::optional<Colour> pickColour(Colour initial, const std::string& title) override;
    std::optional<TextStyle> pickFont(const TextStyle& initial) override;
    std::string pickFolder(const std::string& title, const std::string& initialFolder) override;
    void showHelp(const std::string& helpFile) override;

private:
    QWidget* parent_;
    QPointer<QTextBrowser> helpWindow_;  // one help window, reused
};

}  // namespace orv
