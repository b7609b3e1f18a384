#pragma once
// The sample mountain profile of the colour dialog's preview ("ORVDATA.SMP" beside the
// program): 240 text records "x elevation", two numbers separated by blanks, metres for the
// elevation.
#include "core/Result.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace orv {

inline constexpr int kProfileSamples = 240;
inline constexpr const char* kColourProfileFile = "ORVDATA.SMP";

struct ProfileSample {
    float x = 0;
    float elevation = 0;
};

using ColourProfile = std::array<ProfileSample, kProfileSamples>;

// The first 240 records of the file; blank lines are skipped. Problems: the file's own
// (NotFound, NotAFile, CannotRead, TooLarge: larger than a profile can be), BadRecord (a record
// that is not two numbers within ±100000, with its line) and TooFew (fewer records).
Result<ColourProfile> readColourProfile(const std::filesystem::path& path);

// The profile of a file's bytes: the problems of its contents, and TooLarge.
Result<ColourProfile> parseColourProfile(std::string_view bytes);

}  // namespace orv
