// Mountain-name files.
#include "FuzzTargets.h"

#include "core/NumberText.h"
#include "names/MountainFile.h"

namespace orv::fuzz {

void fuzzMountainFile(std::string_view bytes, Checks& checks) {
    const JapanBounds japan;
    const Result<MountainFileData> read = parseMountainFile(bytes, japan);
    if (!read) {
        checks.expect(lineInFile(read.problem().line, bytes), "the problem names a line outside the file");
        return;
    }
    checks.expect(read->records.size() <= static_cast<size_t>(kMaxMountains), "more records than the table holds");
    for (const MountainRecord& m : read->records) {
        checks.expect(!m.name.empty() && !m.latitude.empty() && !m.longitude.empty() &&
                          !m.elevation.empty() && !m.reading.empty(),
                      "a record with an empty item");
        checks.expect(allUtf8({m.name, m.latitude, m.longitude, m.elevation, m.reading}),
                      "a record's text is not UTF-8");
        const double latitude = leadingNumber(m.latitude);
        const double longitude = leadingNumber(m.longitude);
        checks.expect(latitude > 30 && latitude < 46 && longitude > 128 && longitude < 149,
                      "a record outside Japan was kept");
    }
}

}  // namespace orv::fuzz
