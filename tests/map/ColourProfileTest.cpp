// The colour dialog's sample profile file: 240 records "x elevation".
#include "map/ColourProfile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

std::string records(int count, const std::string& separator = " ") {
    std::string text;
    for (int x = 0; x < count; ++x) text += std::to_string(x) + separator + std::to_string(1000 + x) + "\r\n";
    return text;
}

TEST(ColourProfileTest, ReadsTheFirst240Records) {
    test::TempDir dir;
    const std::string text = "\r\n" + records(240, " \t ") + "300 -5\r\n";
    const auto profile = readColourProfile(dir.write("ORVDATA.SMP", text));
    ASSERT_TRUE(profile.ok());
    EXPECT_EQ((*profile)[0].x, 0.0f);
    EXPECT_EQ((*profile)[0].elevation, 1000.0f);
    EXPECT_EQ((*profile)[239].x, 239.0f);
    EXPECT_EQ((*profile)[239].elevation, 1239.0f);
}

TEST(ColourProfileTest, RefusesWhatIsNoProfile) {
    struct Case {
        const char* what;
        std::string text;
    };
    const Case cases[] = {
        {"empty", ""},
        {"one record short", records(239)},
        {"a word", "1 abc\r\n" + records(240)},
        {"three fields", "1 2 3\r\n" + records(240)},
        {"one field", "12\r\n" + records(240)},
        {"not a number", "nan 5\r\n" + records(240)},
        {"far too large", "1 1e9\r\n" + records(240)},
        {"number with trailing text", "1 200m\r\n" + records(240)},
        {"too long a file", records(240) + std::string(70000, ' ')},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(readColourProfile(dir.write("ORVDATA.SMP", c.text)).ok());
    }
    EXPECT_FALSE(readColourProfile(dir / "missing.SMP").ok());
    EXPECT_FALSE(readColourProfile(dir.path()).ok());  // a folder
}

TEST(ColourProfileTest, ShippedProfileIsComplete) {
    const auto profile = readColourProfile(std::filesystem::path(ORVANE_ASSETS) / "ORVDATA.SMP");
    ASSERT_TRUE(profile.ok());
    float highest = 0;
    for (const ProfileSample& s : *profile) highest = std::max(highest, s.elevation);
    EXPECT_GT(highest, 4000.0f);
    EXPECT_LT(highest, 5000.0f);
    EXPECT_EQ((*profile)[239].x, 239.0f);
}

}  // namespace
}  // namespace orv
