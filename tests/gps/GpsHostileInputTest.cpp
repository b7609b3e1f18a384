// GPS files that are not what they claim to be: random bytes, huge lines, NUL bytes, text in
// the other encoding, odd line ends. No reader may crash or overfill a table, and a reader
// that fails leaves nothing behind.
#include "gps/GpsImportRun.h"

#include "GpsTestFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace orv {
namespace {

using Reader = GpsFileKind;

struct GpsHostileInputTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();

    GpsReadMessage read(Reader reader, const std::string& bytes) {
        const auto path = dir.write("hostile.dat", bytes);
        // The import clears the route and the waypoints before any reader runs.
        clearRoute(*state);
        clearWaypoints(*state);
        return test::readAndCommit(reader, path, *state, [](int value, const std::string&) {
            EXPECT_GE(value, 0);
            EXPECT_LE(value, 200);
        });
    }

    void expectConsistent(const GpsReadMessage& result) const {
        EXPECT_GE(state->routeCount, 0);
        EXPECT_LE(state->routeCount, kMaxRoutePoints);
        EXPECT_GE(state->waypointCount, 0);
        EXPECT_LE(state->waypointCount, kMaxWaypoints);
        if (!result.ok()) {
            EXPECT_EQ(state->routeCount, 0);
            EXPECT_EQ(state->waypointCount, 0);
            EXPECT_FALSE(result.message.empty());
        }
    }
};

constexpr Reader kReaders[] = {GpsFileKind::PcxTrack, GpsFileKind::PcxWaypoints, GpsFileKind::WaypointPlus};

TEST_F(GpsHostileInputTest, RandomBytesNeverCrash) {
    std::mt19937 random(20240607);
    // Bytes biased towards the characters the readers look for.
    const std::string alphabet = "TWUNE ,:-.0123456789\r\n\x83\x45\x4e\xff";
    for (int file = 0; file < 60; ++file) {
        std::string bytes(random() % 4000, '\0');
        for (char& c : bytes) {
            const auto r = random();
            c = (r % 3 == 0) ? static_cast<char>(r >> 8)
                             : alphabet[(r >> 8) % alphabet.size()];
        }
        for (Reader reader : kReaders) expectConsistent(read(reader, bytes));
    }
}

TEST_F(GpsHostileInputTest, HugeLinesAreRefusedOrSkipped) {
    const std::string huge(3u << 20, '9');
    EXPECT_TRUE(read(GpsFileKind::PcxTrack, "H  " + huge + "\r\n").ok());
    const std::pair<Reader, std::string> cases[] = {
        {GpsFileKind::PcxTrack, "T  N" + huge},
        {GpsFileKind::PcxWaypoints, "W  " + huge},
        {GpsFileKind::WaypointPlus, "header\r\nTP,D," + huge},
    };
    for (const auto& [reader, bytes] : cases) {
        const auto result = read(reader, bytes);
        EXPECT_EQ(test::problemKind(result), ProblemKind::BadRecord);
        EXPECT_NE(result.message.find("行が長すぎます。"), std::string::npos) << result.message;
    }
}

TEST_F(GpsHostileInputTest, NulBytesAndBrokenCharactersInRecords) {
    using namespace std::string_literals;
    const std::string nul = "T  N354512.3\0 E1394512.3 08-OCT-99 15:20:00 0\r\n"s;
    EXPECT_EQ(test::problemKind(read(GpsFileKind::PcxTrack, nul)), ProblemKind::BadRecord);

    // A name that is neither CP932 nor UTF-8, and a file cut inside a double-byte character.
    const auto result = read(GpsFileKind::PcxWaypoints,
                             "W  \x83\xff\x80 N354512.3 E1394512.3 08-OCT-99 15:20:00 0\r\n\x83");
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(state->waypointCount, 1);
    EXPECT_EQ(state->waypoints[1].latitude, "35.45123");
}

TEST_F(GpsHostileInputTest, DoubleByteCharactersDoNotHideNOrE) {
    // ウ is 0x83 0x45 in CP932: its second byte is an "E" that is not one.
    const std::string line = test::crlfFile({"T  ウN354512.3 E1394512.3 08-OCT-99 15:20:00 0"});
    ASSERT_EQ(line.substr(3, 2), "\x83\x45");
    const auto result = read(GpsFileKind::PcxTrack, line);
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(state->routeCount, 1);
    EXPECT_EQ(state->route[1].latitude, "35.45123");
}

TEST_F(GpsHostileInputTest, AnyLineEndEndsALine) {
    const std::string point = test::trackLine("354512.3", "1394512.3");
    ASSERT_TRUE(read(GpsFileKind::PcxTrack, point + "\r" + point + "\n" + point + "\r\n\r\n" + point).ok());
    EXPECT_EQ(state->routeCount, 4);
}

}  // namespace
}  // namespace orv
