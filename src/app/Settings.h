#pragma once
// The user's persisted choices (colour sets, line colours and widths, elevation data source,
// mountain-name file, walking parameters, the elevation tile servers) between the settings store and AppState.
//
// Every value is a text. A missing key reads as "0", and a stored "0" means "not set": the
// loader then takes the field's default. Colour rows and line colours are 13-character texts
// of numbers in fixed columns: blue 1-3, green 4-6, red 7-9 and, for colour rows, the band's
// elevation in 10-13.
#include "state/AppState.h"
#include "app/IniStore.h"
#include "state/ColourTable.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Reads every setting into the state. Colour set 0 always takes the built-in set; sets 1..4,
// the line colours and the other values come from the store, with their defaults for "0".
// Values later used as indices or divisors are kept in range: the colour set in use 0..4,
// the background method 0..3, line widths 1..5, colour parts 0..255, and a walking speed
// that is not above 0 takes its default. A tile URL setting that names no template with {z},
// {x} and {y} is dropped for the survey's tiles. Returns what the user is to be told about
// stored values that were replaced (one message each; none when every value served).
std::vector<std::string> loadSettings(AppState& state, const IniStore& store);

// The message for a stored tile URL setting that could not be used.
std::string unusableTileUrlMessage(const std::string& stored);

// Writes every setting, colour set 0 included, section by section in a fixed order.
void saveSettings(const AppState& state, IniStore& store);

// The 13-character text of a colour band: each number's shortest text written over 13 blanks
// from its first column on (blue 1, green 4, red 7, the elevation cut to four characters at
// 10). A number longer than its columns runs into the next ones, where the next number is
// written over it; nothing runs past column 13.
std::string colourRowText(const ColourBand& band);

// A stored colour band: "0" gives all four numbers 0; otherwise each column's leading number
// (columns counted in characters, missing ones empty), colours rounded halves to even.
ColourBand parseColourRow(std::string_view text);

// The 13-character text of three numbers in columns 1-3, 4-6 and 7-9.
std::string lineColourText(int first, int second, int third);

// A stored line colour in its stored order: "0" gives the fallback; otherwise the three
// columns' leading numbers, rounded halves to even and kept within 0..255.
std::array<int16_t, 3> parseLineColour(std::string_view text,
                                       const std::array<int16_t, 3>& fallback);

}  // namespace orv
