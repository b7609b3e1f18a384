#include "cli/CommandLine.h"

#include "cli/Cli.h"
#include "cli/CliText.h"
#include "core/ShownText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTranslator>

#include <cstring>
#include <ostream>

namespace orv::cli {

namespace {

// The parser's own words (its help text's headings, its errors) in the program's Japanese.
class ParserTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (std::strcmp(context, "QCommandLineParser") != 0) return {};
        static const std::pair<const char*, const char*> texts[] = {
            {"Usage: %1", "使い方: %1"},
            {"[options]", "[OPTIONS]"},
            {"Options:", "オプション:"},
            {"Arguments:", "引数:"},
            {"Unknown option '%1'.", "知らないオプション「%1」です"},
            {"Unknown options: %1.", "知らないオプション「%1」です"},
            {"Missing value after '%1'.", "「%1」に値がありません"},
            {"Unexpected value after '%1'.", "「%1」に値は付けられません"},
        };
        for (const auto& [english, japanese] : texts)
            if (std::strcmp(source, english) == 0) return QString::fromUtf8(japanese);
        return {};
    }
    bool isEmpty() const override { return false; }
};

void installParserTexts() {
    static bool installed = false;
    if (installed || QCoreApplication::instance() == nullptr) return;
    installed = QCoreApplication::installTranslator(new ParserTexts(QCoreApplication::instance()));
}

// Arguments go through the parser byte for byte: a file name that is no UTF-8 stays the name
// of its file. Option names are ASCII, so they match as they are.
QString bytesText(const std::string& bytes) { return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())); }
std::string textBytes(const QString& text) { return text.toLatin1().toStdString(); }

QString utf8(const std::string& text) { return QString::fromStdString(text); }

std::string dashed(const std::string& name) { return (name.size() == 1 ? "-" : "--") + name; }

}  // namespace

std::string messagePrefix(const std::string& command) {
    return command.empty() ? "orvane-cli: " : "orvane-cli " + command + ": ";
}

CommandLine::CommandLine(CommandSyntax syntax) : syntax_(std::move(syntax)), parser_(std::make_unique<QCommandLineParser>()) {
    installParserTexts();
    syntax_.options.push_back({{"h", "help"}, "", "この説明を表示します", ""});
    parser_->setApplicationDescription(utf8(syntax_.description));
    for (const OptionSyntax& o : syntax_.options) {
        QStringList names;
        for (const std::string& n : o.names) names.push_back(utf8(n));
        parser_->addOption(QCommandLineOption(names, utf8(o.description), utf8(o.valueName)));
    }
    for (const ArgumentSyntax& a : syntax_.arguments) parser_->addPositionalArgument(utf8(a.name), utf8(a.description));
}

CommandLine::~CommandLine() = default;

const OptionSyntax* CommandLine::find(const std::string& name) const {
    for (const OptionSyntax& o : syntax_.options)
        for (const std::string& n : o.names)
            if (n == name) return &o;
    return nullptr;
}

std::optional<std::string> CommandLine::parse(const std::vector<std::string>& args) {
    given_.clear();
    help_ = false;
    // Help is given whatever else the arguments hold.
    for (const std::string& a : args) {
        if (a == "--") break;
        if (a == "-h" || a == "--help") {
            help_ = true;
            return std::nullopt;
        }
    }
    QStringList list{QStringLiteral("orvane-cli")};
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        list.push_back(bytesText(a));
        if (optionsEnded || !isOption(a)) {
            given_.emplace_back("", a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const bool longForm = a.starts_with("--");
        const size_t equals = longForm ? a.find('=') : std::string::npos;
        const std::string name = a.substr(longForm ? 2 : 1, equals == std::string::npos ? std::string::npos : equals - 2);
        const OptionSyntax* option = find(name);
        if (option == nullptr || longForm == (name.size() == 1))
            return "知らないオプション「" + shownFileText(a.substr(0, equals)) + "」です";
        const std::string& first = option->names.front();
        if (option->valueName.empty()) {
            if (equals != std::string::npos) return dashed(name) + " に値は付けられません";
            given_.emplace_back(first, "");
        } else if (equals != std::string::npos) {
            given_.emplace_back(first, a.substr(equals + 1));
        } else {
            if (i + 1 >= args.size() || isOption(args[i + 1]))
                return dashed(name) + " に" + (option->valueWord.empty() ? "値" : option->valueWord) + "がありません";
            given_.emplace_back(first, args[i + 1]);
            list.push_back(bytesText(args[++i]));
        }
    }
    if (!parser_->parse(list)) {
        // Not reached by what is checked above; the parser's own word, in Japanese, then.
        return "引数を読めません（" + parser_->errorText().toStdString() + "）";
    }
    const QStringList arguments = parser_->positionalArguments();
    if (!syntax_.moreArguments && static_cast<size_t>(arguments.size()) > syntax_.arguments.size())
        return "余分な引数「" + shownFileText(textBytes(arguments[static_cast<qsizetype>(syntax_.arguments.size())])) + "」があります";
    return std::nullopt;
}

bool CommandLine::isSet(const std::string& name) const { return parser_->isSet(utf8(name)); }

std::string CommandLine::value(const std::string& name) const { return textBytes(parser_->value(utf8(name))); }

std::vector<std::string> CommandLine::values(const std::string& name) const {
    std::vector<std::string> out;
    for (const QString& v : parser_->values(utf8(name))) out.push_back(textBytes(v));
    return out;
}

std::vector<std::string> CommandLine::positional() const {
    std::vector<std::string> out;
    for (const QString& v : parser_->positionalArguments()) out.push_back(textBytes(v));
    return out;
}

std::string CommandLine::helpText() const {
    // Qt's usage line names the executable and "[OPTIONS]"; the synopsis says how the options go
    // together, and stands in its place.
    const std::string text = parser_->helpText().toStdString();
    const size_t lineEnd = text.find('\n');
    std::string out = syntax_.synopsis + "\n" + (lineEnd == std::string::npos ? text : text.substr(lineEnd + 1));
    if (!syntax_.epilogue.empty()) out += "\n" + syntax_.epilogue;
    return out;
}

int CommandLine::usageError(std::ostream& err, const std::string& problem) const {
    const std::string program = syntax_.command.empty() ? "orvane-cli" : "orvane-cli " + syntax_.command;
    err << messagePrefix(syntax_.command) << problem << "\n\n"
        << syntax_.synopsis << program << " --help で説明を表示します。\n";
    return kExitUsage;
}

}  // namespace orv::cli
