#pragma once
// Blanks around the items of text records. Formats differ in what they take for a blank, so the
// set is a parameter: spaces alone, or spaces and tabs.
#include <string_view>

namespace orv {

inline constexpr std::string_view kSpaces = " ";
inline constexpr std::string_view kSpacesAndTabs = " \t";

inline bool isBlankIn(char c, std::string_view blanks) {
    return blanks.find(c) != std::string_view::npos;
}

// The text without the blanks of `blanks` at either end.
inline std::string_view trimBlanks(std::string_view text, std::string_view blanks) {
    size_t first = 0;
    while (first < text.size() && isBlankIn(text[first], blanks)) ++first;
    size_t last = text.size();
    while (last > first && isBlankIn(text[last - 1], blanks)) --last;
    return text.substr(first, last - first);
}

inline std::string_view trimLeadingBlanks(std::string_view text, std::string_view blanks) {
    size_t first = 0;
    while (first < text.size() && isBlankIn(text[first], blanks)) ++first;
    return text.substr(first);
}

}  // namespace orv
