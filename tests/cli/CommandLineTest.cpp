// orvane-cli's arguments read one way for every command ("--opt=value" and "--opt value", usage
// errors naming the option, the help of each command, the version), "-" writing the file to the
// output stream, and the messages of failures in Japanese with the technical words after them.
#include "cli/Cli.h"

#include "CliRun.h"
#include "core/TextFile.h"
#include "core/Version.h"
#include "support/GpxFixture.h"
#include "support/TempDir.h"

#include <QImage>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace orv::cli {
namespace {

namespace fs = std::filesystem;

// Every line says something in Japanese (holds a character beyond ASCII).
void expectJapaneseLines(const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        EXPECT_TRUE(line.empty() || std::any_of(line.begin(), line.end(), [](char c) { return (c & 0x80) != 0; })) << line;
        start = end + 1;
    }
}

TEST(CommandLineTest, UsageErrorsNameTheOptionInEitherForm) {
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        // A value after "=" is read as one after a space.
        {{"dem", "--centre=6442", "--tiles", "t", "--out", "o"}, "orvane-cli dem: メッシュコード「6442」は6桁の2次メッシュコードではありません"},
        {{"dem", "--center", "6442", "--tiles=t", "--out=o"}, "メッシュコード「6442」は"},
        {{"dem", "--centre", "644205", "--download", "--url=http://127.0.0.1:1/{z}/{x}/{y}.png", "--zoom=21", "--out=o"},
         "--zoom は --url の後に 0〜20 の数で指定してください"},
        // --zoom belongs to the --url before it.
        {{"dem", "--centre", "644205", "--download", "--zoom", "9", "--url", "http://127.0.0.1:1/{z}/{x}/{y}.png", "--out", "o"},
         "--zoom は --url の後に"},
        {{"dem", "--centre", "644205", "--tiles", "--out", "o"}, "orvane-cli dem: --tiles にフォルダがありません"},
        {{"dem", "--centre", "644205", "--tiles", "t", "--out"}, "--out にフォルダがありません"},
        {{"dem", "--centre", "644205", "--tiles", "t", "--out", "-"}, "--out は出力フォルダです"},
        {{"dem", "--centre", "644205", "--tiles", "t", "stray", "--out", "o"}, "余分な引数「stray」があります"},
        {{"dem", "--centre", "644205", "--tiles", "t", "--out", "o", "--force=yes"}, "--force に値は付けられません"},
        {{"dem", "--centre", "644205", "--tiles", "t", "--out", "o", "--fast=1"}, "知らないオプション「--fast」です"},
        {{"render", "--centre=644205", "--dem=d", "--out=m.jpg"}, "orvane-cli render: --out のファイルは .png か .bmp にしてください"},
        {{"render", "--centre=644205", "--dem=d", "--out=m.png", "--mode=relief"}, "--mode は shaded, bands, graticule, none のどれかです"},
        {{"render", "--centre=644205", "--dem=d", "--out=m.png", "--contours"}, "--contours に数がありません"},
        {{"render", "-centre", "644205"}, "知らないオプション「-centre」です"},
        {{"render", "--centre", "644205", "--dem", "d", "--out", "m.png", "--\x1b[2J"}, "知らないオプション「--\\x1b[2J」です"},
        {{"profile", "--plan=p", "--dem=d", "--out=p.jpg"}, "orvane-cli profile: --out のファイルは .png か .bmp にしてください"},
        {{"profile", "--plan", "p", "--dem", "d", "--out", "p.png", "stray"}, "余分な引数「stray」があります"},
        {{"convert", "a.gpx", "b", "--to=kml"}, "orvane-cli convert: --to の形式「kml」は書けません（gpx, trk, txt）"},
        {{"convert", "a.gpx", "b.gpx", "--name"}, "--name に名前がありません"},
        {{"convert", "a.gpx", "-"}, "標準出力（-）に書くときは --to で形式を指定してください"},
        {{"convert", "-", "b.gpx"}, "標準入力からは読めません"},
        {{"convert", "a.gpx", "b.gpx", "c.gpx"}, "余分な引数「c.gpx」があります"},
        {{"--fast"}, "orvane-cli: 知らないオプション「--fast」です"},
        {{"--version=2"}, "orvane-cli: --version に値は付けられません"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, kExitUsage) << c.error;
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("--help で説明を表示します。\n"), std::string::npos) << r.err;  // where to look
        EXPECT_TRUE(r.out.empty());
        expectJapaneseLines(r.err.substr(0, r.err.find('\n')));
    }
}

TEST(CommandLineTest, EveryCommandHasItsHelpInOneStyle) {
    const struct {
        std::vector<std::string> command;
        std::vector<const char*> options;
    } cases[] = {
        {{}, {"-v, --version", "-h, --help"}},
        {{"dem"},
         {"--centre, --center <CODE>", "--gml <FILE_OR_ZIP>", "--tiles <DIR>", "--download ", "--cache <DIR>", "--url <TEMPLATE>",
          "--zoom <N>", "--interval <MS>", "--out <DIR>", "--force ", "-h, --help"}},
        {{"convert"}, {"--to <FORMAT>", "--name <NAME>", "--force ", "-h, --help", "引数:\n  IN ", "  OUT "}},
        {{"render"},
         {"--centre, --center <MESH>", "--plan <NAME>", "--data-folder <DIR>", "--mountains <FILE>", "--dem <DIR>", "--route <FILE>",
          "--contours <M>", "--mode <MODE>", "--out <FILE>", "-h, --help"}},
        {{"profile"}, {"--plan <NAME>", "--data-folder <DIR>", "--dem <DIR>", "--schedule ", "--out <FILE>", "-h, --help"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.command;
        args.push_back("--help");
        const CliRun help = run(args);
        const std::string name = c.command.empty() ? "orvane-cli" : "orvane-cli " + c.command.front();
        SCOPED_TRACE(name);
        EXPECT_EQ(help.status, kExitOk);
        EXPECT_TRUE(help.err.empty()) << help.err;
        EXPECT_EQ(help.out.rfind("使い方: " + name + " ", 0), 0u) << help.out;
        EXPECT_NE(help.out.find("\nオプション:\n"), std::string::npos);
        for (const char* option : c.options) EXPECT_NE(help.out.find(option), std::string::npos) << option << "\n" << help.out;
        for (const char* english : {"Usage", "Options:", "Arguments:", "Displays"}) EXPECT_EQ(help.out.find(english), std::string::npos) << english;
        // -h gives the same, and help wins over anything else given.
        args.back() = "-h";
        EXPECT_EQ(run(args).out, help.out);
        args.insert(args.end(), {"--no-such-option", "--help"});
        EXPECT_EQ(run(args).out, help.out);
    }
    EXPECT_EQ(run({"help"}).out, run({"--help"}).out);
}

TEST(CommandLineTest, VersionIsTheBuildsOne) {
    for (const char* option : {"--version", "-v"}) {
        const CliRun r = run({option});
        EXPECT_EQ(r.status, kExitOk);
        EXPECT_EQ(r.out, std::string("orvane-cli ") + kVersion + "\n");
        EXPECT_TRUE(r.err.empty());
    }
}

// "-" as the file written: the file's bytes alone on the output stream, the same as in a file,
// and what the command says about them on the error stream.
TEST(CommandLineTest, DashWritesTheFileToTheOutputStream) {
    test::TempDir dir;
    const auto gpx = dir.write("log.gpx", test::gpxFixture());
    for (const char* to : {"trk", "txt", "gpx"}) {
        SCOPED_TRACE(to);
        const fs::path file = dir / (std::string("log.") + to + "." + to);
        // A value beginning with "-" is given after "=".
        ASSERT_EQ(run({"convert", gpx.string(), file.string(), "--name=-記録"}).status, kExitOk);
        const CliRun piped = run({"convert", gpx.string(), "-", "--to", to, "--name=-記録"});
        ASSERT_EQ(piped.status, kExitOk) << piped.err;
        std::string bytes;
        ASSERT_EQ(readBytes(file, bytes), FileError::None);
        EXPECT_EQ(piped.out, bytes);
        EXPECT_NE(piped.err.find("orvane-cli convert: 標準出力: ルート4点"), std::string::npos) << piped.err;
        EXPECT_FALSE(fs::exists("-"));
    }

    const std::string dem = std::string(ORVANE_ASSETS) + "/sample/dem";
    ASSERT_EQ(run({"render", "--centre", "644205", "--dem", dem, "--out", (dir / "map.png").string()}).status, kExitOk);
    const CliRun piped = run({"render", "--centre=644205", "--dem=" + dem, "--out=-"});
    ASSERT_EQ(piped.status, kExitOk) << piped.err;
    EXPECT_EQ(piped.out.rfind("\x89PNG\r\n\x1a\n", 0), 0u);
    EXPECT_EQ(piped.err, "orvane-cli render: 標準出力: 600×600\n");
    const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(piped.out.data()), static_cast<int>(piped.out.size()), "PNG");
    const QImage file(QString::fromStdString((dir / "map.png").string()));
    ASSERT_EQ(image.size(), QSize(600, 600));
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), file.convertToFormat(QImage::Format_RGB32));
}

// File names go through as their bytes, also those that are no UTF-8 (a name in Shift_JIS).
TEST(CommandLineTest, FileNamesPassByteForByte) {
    test::TempDir dir;
    const auto gpx = dir.write("\x8eR.gpx", test::gpxFixture());  // 山.gpx in Shift_JIS
    const CliRun r = run({"convert", gpx.string(), (dir / "\x8eR\x93\x6f.trk").string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(fs::exists(dir / "\x8eR\x93\x6f.trk"));
}

// Failures of the network and of the XML parser are said in Japanese; Qt's and expat's English
// words come only after the Japanese cause.
TEST(CommandLineTest, FailuresAreSaidInJapaneseWithTheTechnicalWordsAfter) {
    test::TempDir dir;
    // A port on this machine nothing listens on.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    const CliRun download = run({"dem", "--centre", "644205", "--download", "--url",
                                 "http://127.0.0.1:" + std::to_string(port) + "/{z}/{x}/{y}.png", "--interval", "0", "--cache",
                                 (dir / "cache").string(), "--out", (dir / "dem").string()});
    EXPECT_EQ(download.status, kExitFailed);
    EXPECT_NE(download.err.find("接続を拒否されました"), std::string::npos) << download.err.substr(0, 600);
    const std::string refused = "接続を拒否されました：";
    for (size_t at = download.err.find("Connection refused"); at != std::string::npos; at = download.err.find("Connection refused", at + 1)) {
        EXPECT_EQ(download.err.compare(at - refused.size(), refused.size(), refused), 0) << download.err.substr(0, at + 20);
    }
    expectJapaneseLines(download.err);
    EXPECT_FALSE(fs::exists(dir / "dem" / "644205.MEM"));

    const std::string cause = "使えない文字か、崩れたタグがあります：not well-formed (invalid token)";
    const auto gpx = dir.write("broken.gpx", "<gpx><trk><trkseg>\x01</trkseg></trk></gpx>");
    const auto gml = dir.write("broken.xml", "<?xml version=\"1.0\"?>\n<Dataset>\x01</Dataset>\n");
    const std::vector<std::string> runs[] = {
        {"convert", gpx.string(), (dir / "out.trk").string()},
        {"render", "--centre", "644205", "--dem", std::string(ORVANE_ASSETS) + "/sample/dem", "--route", gpx.string(), "--out",
         (dir / "out.png").string()},
        // The files after --gml's are read too.
        {"dem", "--centre", "644205", "--gml", (dir / "missing.zip").string(), gml.string(), "--out", (dir / "dem").string()},
    };
    for (const auto& args : runs) {
        SCOPED_TRACE(args.front());
        const CliRun r = run(args);
        EXPECT_EQ(r.status, kExitFailed);
        EXPECT_NE(r.err.find(cause), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find(cause), r.err.rfind(cause));
        expectJapaneseLines(r.err);
    }
}

}  // namespace
}  // namespace orv::cli
