#pragma once
// The readers as the fuzzer drives them. Each target takes arbitrary bytes through the entry
// point the program reads that kind of file with, and checks what must hold of any answer:
// tables within their sizes, a problem naming a line of the file, texts that are UTF-8, round
// trips that give back what was read. The libFuzzer programs (scripts/fuzz.sh) and the replay
// test of the kept cases (tests/fuzz) run the same targets.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace orv::fuzz {

// What a target found wrong with a reader's answer; empty when everything held.
class Checks {
public:
    // Records `what` when `holds` is false (the first failure is kept).
    void expect(bool holds, std::string_view what) {
        if (!holds && failure_.empty()) failure_ = what;
    }
    bool ok() const { return failure_.empty(); }
    const std::string& failure() const { return failure_; }

private:
    std::string failure_;
};

struct Target {
    std::string_view name;  // the folder of its seeds and of its kept cases
    void (*run)(std::string_view bytes, Checks& checks);
};

// Every target, in the order the fuzz script runs them.
std::span<const Target> targets();

// The target of that name, or nullptr.
const Target* findTarget(std::string_view name);

// The targets of each area.
void fuzzCp932(std::string_view bytes, Checks& checks);
void fuzzMesh(std::string_view bytes, Checks& checks);
void fuzzMountainFile(std::string_view bytes, Checks& checks);
void fuzzPcxTrack(std::string_view bytes, Checks& checks);
void fuzzPcxWaypoints(std::string_view bytes, Checks& checks);
void fuzzWaypointPlus(std::string_view bytes, Checks& checks);
void fuzzGpx(std::string_view bytes, Checks& checks);
void fuzzPlanList(std::string_view bytes, Checks& checks);
void fuzzRouteData(std::string_view bytes, Checks& checks);
void fuzzRidgeValley(std::string_view bytes, Checks& checks);
void fuzzColourProfile(std::string_view bytes, Checks& checks);
void fuzzSettings(std::string_view bytes, Checks& checks);
void fuzzGmlDem(std::string_view bytes, Checks& checks);
void fuzzZipArchive(std::string_view bytes, Checks& checks);
void fuzzTextTile(std::string_view bytes, Checks& checks);
void fuzzPngTile(std::string_view bytes, Checks& checks);

// Helpers the targets share.

// True when every text is well-formed UTF-8 (what the program holds in memory).
bool allUtf8(std::initializer_list<std::string_view> texts);

// Number of lines the line reader finds in the bytes.
int lineCount(std::string_view bytes);

// A problem's line lies in the file: 0 (not one line) or 1..lines + 1 (the end of the file).
bool lineInFile(int line, std::string_view bytes);

}  // namespace orv::fuzz
