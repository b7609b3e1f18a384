#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace orv::test {

namespace {

template <typename T>
T take(std::deque<T>& queue, T fallback, const std::string& what) {
    if (queue.empty()) {
        ADD_FAILURE() << "unscripted question: " << what;
        return fallback;
    }
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

Answer cancelling(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::OkCancel: return Answer::Cancel;
        case Buttons::YesNo: return Answer::No;
        case Buttons::YesNoCancel: return Answer::Cancel;
    }
    return Answer::Cancel;
}

}  // namespace

std::vector<Asked> ScriptedDialogs::messages() const {
    std::vector<Asked> out;
    for (const auto& a : asked_)
        if (a.kind == "message") out.push_back(a);
    return out;
}

bool ScriptedDialogs::allAnswersUsed() const {
    return messages_.empty() && inputs_.empty() && files_.empty() && filterIndices_.empty() && colours_.empty() &&
           fonts_.empty() && folders_.empty();
}

Answer ScriptedDialogs::message(const std::string& text, const std::string& title, Buttons buttons,
                                Icon icon) {
    asked_.push_back({"message", text, title, buttons, icon, ""});
    details_.emplace_back();
    // A plain OK box needs no scripted answer.
    if (buttons == Buttons::Ok && messages_.empty()) return Answer::Ok;
    return take(messages_, cancelling(buttons), "message " + title + ": " + text);
}

Answer ScriptedDialogs::messageWithDetails(const std::string& text, const std::string& details,
                                           const std::string& title, Buttons buttons, Icon icon) {
    const Answer answer = message(text, title, buttons, icon);
    details_.back() = details;
    return answer;
}

std::string ScriptedDialogs::input(const std::string& prompt, const std::string& title,
                                   const std::string&) {
    asked_.push_back({"input", prompt, title, Buttons::OkCancel, Icon::None, ""});
    return take(inputs_, std::string(), "input " + title + ": " + prompt);
}

std::optional<std::string> ScriptedDialogs::openFile(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& initialPath,
                                                     size_t selectedFilter) {
    asked_.push_back({"openFile", filter, title, Buttons::OkCancel, Icon::None, initialPath, selectedFilter});
    return take(files_, std::optional<std::string>(), "open file " + title);
}

std::optional<std::string> ScriptedDialogs::saveFile(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string&, const std::string& initialPath) {
    asked_.push_back({"saveFile", filter, title, Buttons::OkCancel, Icon::None, initialPath});
    return take(files_, std::optional<std::string>(), "save file " + title);
}

std::optional<Dialogs::SavedAs> ScriptedDialogs::saveFileAs(const std::string& title, const std::string& filter,
                                                            const std::string& initialPath) {
    const int index = filterIndices_.empty() ? 0 : filterIndices_.front();
    if (!filterIndices_.empty()) filterIndices_.pop_front();
    std::optional<std::string> path = saveFile(title, filter, "", initialPath);
    if (!path) return std::nullopt;
    return SavedAs{std::move(*path), index};
}

std::optional<Colour> ScriptedDialogs::pickColour(Colour, const std::string& title) {
    asked_.push_back({"colour", "", title, Buttons::OkCancel, Icon::None, ""});
    return take(colours_, std::optional<Colour>(), "colour " + title);
}

std::optional<TextStyle> ScriptedDialogs::pickFont(const TextStyle&) {
    asked_.push_back({"font", "", "", Buttons::OkCancel, Icon::None, ""});
    return take(fonts_, std::optional<TextStyle>(), "font");
}

std::string ScriptedDialogs::pickFolder(const std::string& title, const std::string& initialFolder) {
    asked_.push_back({"folder", initialFolder, title, Buttons::OkCancel, Icon::None, ""});
    return take(folders_, std::string(), "folder " + title);
}

void ScriptedDialogs::showHelp(const std::string& helpFile) {
    asked_.push_back({"help", helpFile, "", Buttons::Ok, Icon::None, ""});
}

}  // namespace orv::test
