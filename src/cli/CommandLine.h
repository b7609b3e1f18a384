#pragma once
// The arguments of orvane-cli and of each of its commands, read one way: Qt's command-line
// parser with the command's options, "--opt=value" and "--opt value" alike, its help text with
// the Japanese descriptions, and usage errors in Japanese naming the option.
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QCommandLineParser;

namespace orv::cli {

struct OptionSyntax {
    std::vector<std::string> names;  // without dashes; one letter is a short option ("h")
    std::string valueName;           // empty: a switch
    std::string description;
    // What the value is, for the usage error when it is missing ("フォルダ" gives "--tiles に
    // フォルダがありません"); empty: "値".
    std::string valueWord;
};

struct ArgumentSyntax {
    std::string name;
    std::string description;
};

struct CommandSyntax {
    std::string command;   // "dem"; empty for the program itself
    std::string synopsis;  // the usage lines, each starting "使い方: " or indented under it
    std::string description;
    std::vector<OptionSyntax> options;  // -h, --help is added to them
    std::vector<ArgumentSyntax> arguments;
    bool moreArguments = false;  // arguments beyond those are taken too; otherwise a usage error
    std::string epilogue;  // after the options and arguments
};

class CommandLine {
public:
    explicit CommandLine(CommandSyntax syntax);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // Reads the arguments (the command's name left out). Nothing when they were read, else the
    // usage error. An argument that begins with "-" after an option that takes a value is not
    // taken as the value ("--out --force"); "--opt=-x" gives such a value. "--" ends the options.
    std::optional<std::string> parse(const std::vector<std::string>& args);

    bool helpAsked() const { return help_; }
    bool isSet(const std::string& name) const;
    // The last value given, or "" when the option is not set. Values are the argument's bytes.
    std::string value(const std::string& name) const;
    std::vector<std::string> values(const std::string& name) const;
    std::vector<std::string> positional() const;
    // Every option in the order given, by its first name, with its value ("" for a switch), and
    // the other arguments among them with the name "", for options whose meaning depends on what
    // comes before them.
    const std::vector<std::pair<std::string, std::string>>& given() const { return given_; }

    std::string helpText() const;
    // Prints the usage error, the synopsis and where the help is, to `err`; the usage exit status.
    int usageError(std::ostream& err, const std::string& problem) const;

private:
    const OptionSyntax* find(const std::string& name) const;

    CommandSyntax syntax_;
    std::unique_ptr<QCommandLineParser> parser_;
    bool help_ = false;
    std::vector<std::pair<std::string, std::string>> given_;
};

// "orvane-cli dem: " — what every message of a command begins with ("orvane-cli: " for the
// program itself).
std::string messagePrefix(const std::string& command);

}  // namespace orv::cli
