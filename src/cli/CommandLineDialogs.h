#pragma once
// The questions a window's logic asks while a command of orvane-cli drives it, answered from
// the command line: every input box gets one given text (render's "任意" contour interval),
// messages are printed after the command's prefix, and every other question is cancelled.
#include "cli/CliText.h"
#include "platform/Dialogs.h"

#include <ostream>
#include <string>

namespace orv::cli {

class CommandLineDialogs : public Dialogs {
public:
    CommandLineDialogs(std::ostream& err, std::string prefix, std::string input = {})
        : err_(err), prefix_(std::move(prefix)), input_(std::move(input)) {}
    Answer message(const std::string& text, const std::string&, Buttons, Icon) override {
        err_ << prefix_ << terminalText(text) << '\n';
        return Answer::Ok;
    }
    std::string input(const std::string&, const std::string&, const std::string&) override { return input_; }
    std::optional<std::string> openFile(const std::string&, const std::string&, const std::string&, size_t) override {
        return {};
    }
    std::optional<std::string> saveFile(const std::string&, const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::optional<Colour> pickColour(Colour, const std::string&) override { return {}; }
    std::optional<TextStyle> pickFont(const TextStyle&) override { return {}; }
    std::string pickFolder(const std::string&, const std::string&) override { return {}; }
    void showHelp(const std::string&) override {}

private:
    std::ostream& err_;
    std::string prefix_;
    std::string input_;
};

}  // namespace orv::cli
