#pragma once
// A Dialogs double for tests: records every question with its exact texts and answers from a
// script. An unscripted question fails the test and gets the cancelling answer.
#include "platform/Dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace orv::test {

struct Asked {
    std::string kind;  // "message", "input", "openFile", "saveFile", "colour", "font", "folder", "help"
    std::string text;  // message text, prompt, filter, help file
    std::string title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    std::string initialPath;  // the path a file dialog starts with
    size_t selectedFilter = 0;  // the filter pair an open-file dialog starts with
};

class ScriptedDialogs : public Dialogs {
public:
    // Scripted answers, used in order of the questions of each kind.
    void answerMessage(Answer a) { messages_.push_back(a); }
    void answerInput(std::string text) { inputs_.push_back(std::move(text)); }
    void answerFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    // The filter entry a save dialog asked through saveFileAs leaves chosen with its next
    // answer; without one it is the first.
    void chooseFilter(int index) { filterIndices_.push_back(index); }
    void answerColour(std::optional<Colour> c) { colours_.push_back(c); }
    void answerFont(std::optional<TextStyle> f) { fonts_.push_back(std::move(f)); }
    void answerFolder(std::string folder) { folders_.push_back(std::move(folder)); }

    const std::vector<Asked>& asked() const { return asked_; }
    // Only the message boxes, in order.
    std::vector<Asked> messages() const;
    // The part behind each message box's details button, in the order of messages() ("" for
    // a box without one).
    const std::vector<std::string>& messageDetails() const { return details_; }
    bool allAnswersUsed() const;

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
    std::vector<Asked> asked_;
    std::vector<std::string> details_;
    std::deque<Answer> messages_;
    std::deque<std::string> inputs_;
    std::deque<std::optional<std::string>> files_;
    std::deque<int> filterIndices_;
    std::deque<std::optional<Colour>> colours_;
    std::deque<std::optional<TextStyle>> fonts_;
    std::deque<std::string> folders_;
};

}  // namespace orv::test
