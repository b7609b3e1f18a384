// Registering a mountain measured on a sheet: the position from the millimetres, the refusals
// of "計算" and "登録" with their exact texts, and the record appended byte for byte.
#include "names/MountainRegistration.h"

#include "core/Cp932.h"
#include "core/TextFile.h"
#include "names/MountainFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

std::string fileBytes(const fs::path& path) {
    std::string bytes;
    EXPECT_EQ(readBytes(path, bytes), FileError::None);
    return bytes;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

struct MountainRegistrationTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    MountainRegistration registration{*state, dialogs};

    // The sheet of the worked example: a rectangular frame 400 mm wide and 460 mm high over
    // 35°40′..35°50′ N, 138°45′..139°00′ E, measured from the bottom-left corner.
    void fillWorkedExample() {
        registration.sheet = {"35.40", "138.45", "35.50", "139.00", "400", "400", "460", "460"};
        registration.corner = SheetCorner::BottomLeft;
        registration.latitudeMm = "230";
        registration.longitudeMm = "200";
    }
    void fillMountain() {
        registration.mountain.name = "中山";
        registration.mountain.reading = "なかやま";
        registration.mountain.elevation = "1234";
    }
};

TEST_F(MountainRegistrationTest, TheWorkedExampleGivesTheSheetsMiddle) {
    fillWorkedExample();
    ASSERT_TRUE(registration.calculate());
    EXPECT_EQ(registration.mountain.latitude, "35.45");
    EXPECT_EQ(registration.mountain.longitude, "138.523");
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(MountainRegistrationTest, CalculateRefusesWhatHasNoPosition) {
    struct Case {
        const char* what;
        std::function<void(MountainRegistration&)> spoil;
        const char* message;
    };
    const std::vector<Case> cases{
        {"zero", [](MountainRegistration& r) { r.latitudeMm = "0"; }, kMeasurementRefusal},
        {"negative", [](MountainRegistration& r) { r.longitudeMm = "-3"; }, kMeasurementRefusal},
        {"not a number", [](MountainRegistration& r) { r.longitudeMm = "abc"; }, kMeasurementRefusal},
        {"empty", [](MountainRegistration& r) { r.latitudeMm.clear(); }, kMeasurementRefusal},
        {"frame side empty", [](MountainRegistration& r) { r.sheet.rightHeight.clear(); }, kFrameRefusal},
        {"frame side zero", [](MountainRegistration& r) { r.sheet.topWidth = "0"; }, kFrameRefusal},
        {"corners reversed",
         [](MountainRegistration& r) { std::swap(r.sheet.southLatitude, r.sheet.northLatitude); },
         kSheetCornersRefusal},
    };
    for (const Case& c : cases) {
        test::ScriptedDialogs asked;
        MountainRegistration r(*state, asked);
        r.sheet = {"35.40", "138.45", "35.50", "139.00", "400", "400", "460", "460"};
        r.latitudeMm = "230";
        r.longitudeMm = "200";
        c.spoil(r);
        asked.answerMessage(Answer::Ok);
        EXPECT_FALSE(r.calculate()) << c.what;
        ASSERT_EQ(asked.messages().size(), 1u) << c.what;
        EXPECT_EQ(asked.messages()[0].text, c.message) << c.what;
        EXPECT_EQ(asked.messages()[0].title, "入力確認") << c.what;
        EXPECT_EQ(asked.messages()[0].icon, Icon::Error) << c.what;
        EXPECT_TRUE(r.mountain.latitude.empty()) << c.what;
    }
}

TEST_F(MountainRegistrationTest, RegisteringAppendsTheRecordByteForByteAndClearsTheMountain) {
    // A file whose last line has no line end: the record still becomes a line of its own.
    const fs::path file = dir / "mine.YMD";
    const std::string before = "MeshSize=-1\r\n" + utf8ToCp932("前山 35.41 138.46 900 まえやま A").text;
    writeFile(file, before);
    state->mountainFilePath = file.string();

    fillWorkedExample();
    ASSERT_TRUE(registration.calculate());
    fillMountain();
    ASSERT_TRUE(registration.registerMountain());

    EXPECT_EQ(fileBytes(file),
              before + "\r\n" + utf8ToCp932("中山 35.45 138.523 1234 なかやま A").text + "\r\n");
    // The measurements and the mountain are emptied; the sheet and the corner stay.
    EXPECT_TRUE(registration.latitudeMm.empty());
    EXPECT_TRUE(registration.longitudeMm.empty());
    EXPECT_TRUE(registration.mountain.name.empty());
    EXPECT_TRUE(registration.mountain.latitude.empty());
    EXPECT_EQ(registration.sheet.topWidth, "400");
    EXPECT_EQ(registration.corner, SheetCorner::BottomLeft);

    // The reader finds both mountains.
    const auto read = readMountainFile(file, state->japanBounds);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.value().records.size(), 2u);
    EXPECT_EQ(read.value().records[1].name, "中山");
    EXPECT_EQ(read.value().records[1].reading, "なかやま");
}

TEST_F(MountainRegistrationTest, FieldsTheFileCouldNotCarryAreRefusedByName) {
    struct Case {
        std::function<void(RegistrationMountain&)> spoil;
        const char* message;
    };
    const std::vector<Case> cases{
        {[](RegistrationMountain& m) { m.name.clear(); }, "「山名」を入力して下さい"},
        {[](RegistrationMountain& m) { m.reading.clear(); }, "「読み」を入力して下さい"},
        {[](RegistrationMountain& m) { m.elevation.clear(); }, "「標高」を入力して下さい"},
        {[](RegistrationMountain& m) { m.latitude.clear(); }, "「山頂緯度」を入力して下さい"},
        {[](RegistrationMountain& m) { m.name = "中 山"; }, "「山名」に空白は使えません。続けて入力して下さい"},
        {[](RegistrationMountain& m) { m.reading = "なか\tやま"; }, "「読み」に空白は使えません。続けて入力して下さい"},
        {[](RegistrationMountain& m) { m.elevation = "1234m"; }, "「標高」は数値で入力して下さい"},
        {[](RegistrationMountain& m) { m.longitude = "138.5x"; }, "「山頂経度」は数値で入力して下さい"},
        {[](RegistrationMountain& m) { m.name = "山😀"; },
         "「山名」に山名ファイルに書けない文字があります。別の文字で入力して下さい"},
    };
    const fs::path file = dir / "mine.YMD";
    writeFile(file, "MeshSize=-1\r\n");
    state->mountainFilePath = file.string();
    for (const Case& c : cases) {
        RegistrationMountain m{"中山", "なかやま", "1234", "35.45", "138.523"};
        c.spoil(m);
        test::ScriptedDialogs asked;
        MountainRegistration r(*state, asked);
        r.mountain = m;
        asked.answerMessage(Answer::Ok);
        EXPECT_FALSE(r.registerMountain()) << c.message;
        ASSERT_EQ(asked.messages().size(), 1u) << c.message;
        EXPECT_EQ(asked.messages()[0].text, c.message);
        EXPECT_EQ(asked.messages()[0].title, "入力確認");
        EXPECT_EQ(r.mountain.name, m.name) << "the fields are kept";
    }
    // A full-width space is an ordinary character to the reader.
    EXPECT_FALSE(mountainRecordRefusal({"中　山", "なかやま", "1234", "35.45", "138.523"}).has_value());
    EXPECT_EQ(fileBytes(file), "MeshSize=-1\r\n");
}

// A record goes into the file only where the reader will read it back: within the lines it
// reads, no longer than a record line, in the file's own encoding.
TEST(MountainFileAppend, TheRecordIsWrittenOnlyWhereTheReaderReadsIt) {
    const auto lines = [](int count) {
        std::string text = "MeshSize=-1\r\n";
        for (int i = 1; i < count; ++i) text += "p" + std::to_string(i) + " 35.41 138.46 900 p A\r\n";
        return text;
    };
    const std::string record = "中山 35.45 138.523 1234 なかやま A";
    struct Case {
        const char* what;
        std::string file;
        std::string line;
        const char* refusal;  // nullptr: written, in `bytes`
        std::string bytes;
    };
    const Case cases[] = {
        {"the last line read", lines(static_cast<int>(kMountainFileMaxLines) - 1), record, nullptr, utf8ToCp932(record).text},
        {"a line beyond them", lines(static_cast<int>(kMountainFileMaxLines)), record, kMountainFileFullRefusal, ""},
        {"a record line at its longest", "", std::string(kMountainLineMaxBytes - 13, 'a') + " 35 138 1 a A", nullptr,
         std::string(kMountainLineMaxBytes - 13, 'a') + " 35 138 1 a A"},
        {"one byte longer", "", std::string(kMountainLineMaxBytes - 12, 'a') + " 35 138 1 a A", kRecordTooLongRefusal, ""},
        {"a UTF-8 file", "\xEF\xBB\xBF" + record + "\r\n", record, nullptr, record},
        {"a file the reader refuses", "MeshSize=-1\r\n\r\n", record, kMountainFileUnusableRefusal, ""},
        {"a file ending in an end-of-file mark", "MeshSize=-1\r\n\x1A", record, kMountainFileUnusableRefusal, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MountainAppend append = mountainFileAppend(c.file, c.line);
        if (c.refusal) {
            EXPECT_EQ(append.refusal, c.refusal);
            continue;
        }
        ASSERT_FALSE(append.refusal) << *append.refusal;
        EXPECT_EQ(append.lineBytes, c.bytes);
    }
}

// A file that cannot take the record (full, or not writable) is named in the message, stays
// as it was, and the fields stay for another try.
TEST_F(MountainRegistrationTest, AFileThatCannotTakeTheRecordIsSaidAndTheFieldsStay) {
    std::string full = "MeshSize=-1\r\n";
    for (size_t i = 1; i < kMountainFileMaxLines; ++i) full += "p 35.41 138.46 900 p A\r\n";
    struct Case {
        fs::path file;
        std::optional<std::string> before;  // nothing: no file can be made there
        std::string message;
    };
    const Case cases[] = {
        {dir / "full.YMD", full, kMountainFileFullRefusal},
        {dir / "gone" / "mine.YMD", std::nullopt, "山名ファイルに書き込めませんでした。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        if (c.before) writeFile(c.file, *c.before);
        state->mountainFilePath = c.file.string();
        test::ScriptedDialogs asked;
        MountainRegistration r(*state, asked);
        r.sheet = {"35.40", "138.45", "35.50", "139.00", "400", "400", "460", "460"};
        r.latitudeMm = "230";
        r.longitudeMm = "200";
        ASSERT_TRUE(r.calculate());
        r.mountain.name = "中山";
        r.mountain.reading = "なかやま";
        r.mountain.elevation = "1234";
        asked.answerMessage(Answer::Ok);
        EXPECT_FALSE(r.registerMountain());
        ASSERT_EQ(asked.messages().size(), 1u);
        EXPECT_EQ(asked.messages()[0].text, c.message + "\r\n" + c.file.string());
        EXPECT_EQ(asked.messages()[0].title, "ファイルエラー");
        if (c.before) {
            EXPECT_EQ(fileBytes(c.file), *c.before);
        }
        EXPECT_EQ(r.mountain.name, "中山");
        EXPECT_EQ(r.latitudeMm, "230");
    }
}

}  // namespace
}  // namespace orv
