// The sample profile of the colour dialog.
#include "FuzzTargets.h"

#include "map/ColourProfile.h"

#include <cmath>

namespace orv::fuzz {

void fuzzColourProfile(std::string_view bytes, Checks& checks) {
    const Result<ColourProfile> read = parseColourProfile(bytes);
    if (!read) {
        checks.expect(lineInFile(read.problem().line, bytes), "the problem names a line outside the file");
        return;
    }
    for (const ProfileSample& s : *read)
        checks.expect(std::isfinite(s.x) && std::isfinite(s.elevation) && std::fabs(s.x) <= 100000 &&
                          std::fabs(s.elevation) <= 100000,
                      "a sample beyond ±100000");
}

}  // namespace orv::fuzz
