#include "geo/MeshCode.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

struct CodeText {
    const char* code;
    const char* text;
};

TEST(MeshCorners, SouthLatitude) {
    const CodeText cases[] = {
        {"533900", "35.2"},   // 53 × 40′ = 35°20′
        {"524045", "35"},     // 52 × 40′ + 4 × 5′
        {"402800", "26.4"},
        {"543810", "36.05"},
        {"533977", "35.55"},  // top row of a first-level mesh
    };
    for (const auto& c : cases) EXPECT_EQ(meshSouthLatitude(c.code), c.text) << c.code;
}

TEST(MeshCorners, WestLongitude) {
    const CodeText cases[] = {
        {"533947", "139.523"},  // 139° + 7 × 7′30″
        {"533900", "139"},
        {"533901", "139.073"},
        {"362200", "122"},
    };
    for (const auto& c : cases) EXPECT_EQ(meshWestLongitude(c.code), c.text) << c.code;
}

TEST(MeshCorners, MalformedCodesReadMissingCharactersAsZero) {
    EXPECT_EQ(meshSouthLatitude(""), "0");
    EXPECT_EQ(meshWestLongitude(""), "100");
    EXPECT_EQ(meshSouthLatitude("5339"), meshSouthLatitude("533900"));
    EXPECT_EQ(meshWestLongitude("5339"), meshWestLongitude("533900"));
    EXPECT_EQ(meshSouthLatitude("53390"), "35.2");
    EXPECT_EQ(meshWestLongitude("533947xyz"), "139.523");  // characters after the sixth ignored
    // Non-digit characters read as the number they start with (none: 0).
    EXPECT_EQ(meshSouthLatitude("ab39x0"), "0");
    EXPECT_EQ(meshWestLongitude("53ab0x"), "100");
}

struct StepCase {
    const char* code;
    Direction direction;
    const char* result;
};

TEST(MeshCodeCheck, OnlySixDigitsWithRowAndColumnUpToSeven) {
    const std::pair<std::string, bool> cases[] = {
        {"533945", true}, {"000000", true}, {"997777", true},
        {"533948", false}, {"533985", false}, {"53394", false}, {"5339450", false},
        {"", false}, {"53394a", false}, {"-33945", false}, {"../sec", false},
        {std::string("5339\0" "5", 6), false}, {"533 45", false},
    };
    for (const auto& [code, valid] : cases) EXPECT_EQ(isValidMeshCode(code), valid) << code;
}

TEST(MeshStep, StepsWithinAndAcrossFirstLevelMeshes) {
    const StepCase cases[] = {
        {"533947", Direction::East, "534040"},   // column 7 -> column 0 of the next mesh east
        {"533946", Direction::East, "533947"},
        {"533907", Direction::North, "533917"},
        {"533970", Direction::North, "543900"},  // row 7 -> row 0 of the next mesh north
        {"533900", Direction::South, "523970"},
        {"533910", Direction::South, "533900"},
        {"533900", Direction::West, "533807"},
        {"533901", Direction::West, "533900"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(meshStep(c.code, c.direction), c.result)
            << c.code << " direction " << static_cast<int>(c.direction);
}

TEST(MeshStep, MalformedCodesGiveSixDigitTexts) {
    EXPECT_EQ(meshStep("", Direction::East), "000001");
    EXPECT_EQ(meshStep("5339", Direction::North), "533910");
    EXPECT_EQ(meshStep("100000", Direction::South), "090070");
}

TEST(MeshNeighbours, NineSlotsInBlockOrder) {
    const auto inside = meshNeighbours("533946");
    EXPECT_EQ(inside[0], "");
    const char* expected[] = {"533955", "533956", "533957", "533945", "533946",
                              "533947", "533935", "533936", "533937"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(inside[static_cast<size_t>(i + 1)], expected[i]) << i + 1;

    // Centre in the north-east corner of a first-level mesh: the block spans four of them.
    const auto corner = meshNeighbours("533977");
    const char* expectedCorner[] = {"543906", "543907", "544000", "533976", "533977",
                                    "534070", "533966", "533967", "534060"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(corner[static_cast<size_t>(i + 1)], expectedCorner[i]) << i + 1;
}

struct PointCase {
    const char* latitude;
    const char* longitude;
    const char* code;
};

TEST(MeshOfPoint, FindsTheMeshContainingAPoint) {
    const PointCase cases[] = {
        {"35.2", "139", "533900"},       // south-west corner of the mesh
        {"35.25", "139", "533910"},      // on 35°25′: the mesh north of the edge
        {"35.2459", "139", "533900"},    // one second below that edge
        {"35.2", "139.073", "533901"},   // on 139°07′30″: the mesh east of the edge
        {"35.2", "139.0729", "533900"},
        {"36", "140", "544000"},         // first-level corner
        {"35.5959", "139.5959", "533977"},
        {"27", "128.3", "402844"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(meshOfPoint(c.latitude, c.longitude), c.code) << c.latitude << " " << c.longitude;
}

TEST(MeshOfPoint, CornerOfEveryMeshLiesInThatMesh) {
    for (int pp = 30; pp <= 68; ++pp)
        for (int qq = 22; qq <= 53; ++qq)
            for (int rc : {0, 7, 34, 70, 77}) {
                const std::string code = std::to_string(pp) + std::to_string(qq) +
                                         std::to_string(rc / 10) + std::to_string(rc % 10);
                ASSERT_EQ(meshOfPoint(meshSouthLatitude(code), meshWestLongitude(code)), code);
            }
}

TEST(MeshOfPoint, PointsOutsideTheCodeRangeAreDefined) {
    EXPECT_EQ(meshOfPoint("5", "105"), "070540");  // first-level codes padded to two digits
    EXPECT_EQ(meshOfPoint("", ""), "00-10000");    // west of 100°: no six-digit code
}

}  // namespace
}  // namespace orv
