#include "platform/qt/QtDialogs.h"

#include "platform/qt/FontPicker.h"
#include "platform/qt/QtText.h"

#include <QColor>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cctype>
#include <system_error>

namespace orv {

namespace {

// "*.TXT;*.CSV" or "*.TXT *.CSV" as "*.TXT *.CSV".
QString patternList(QString patterns) {
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts).join(QLatin1Char(' '));
}

// The patterns of a list without regard to order, repetition or letter case.
QStringList patternSet(const QString& patterns) {
    QStringList set = patternList(patterns.toLower()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    set.removeDuplicates();
    set.sort();
    return set;
}

// A file dialog over `filter` that matches its patterns in both letter cases, as the files of
// a disc or a GPS receiver come in either.
void prepareFileDialog(QFileDialog& dialog, const std::string& filter) {
    dialog.setNameFilter(qtFileFilter(filter));
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
}

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The file named `name` in `folder`, matched exactly or else without regard to letter case.
std::filesystem::path findInFolder(const std::filesystem::path& folder, const std::string& name) {
    std::error_code error;
    const std::filesystem::path exact = folder / name;
    if (std::filesystem::is_regular_file(exact, error)) return exact;
    const std::string wanted = lowerAscii(name);
    std::filesystem::directory_iterator it(folder, error);
    if (error) return {};
    for (const auto& entry : it) {
        if (lowerAscii(entry.path().filename().string()) == wanted && entry.is_regular_file(error))
            return entry.path();
    }
    return {};
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
        case Icon::None: return QMessageBox::NoIcon;
        case Icon::Error: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok: return QMessageBox::Ok;
        case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The answer of a box closed without a button (Escape or the window's close box).
Answer closedAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::YesNo: return Answer::No;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel: return Answer::Cancel;
    }
    return Answer::Cancel;
}

}  // namespace

QStringList qtFileFilterEntries(const std::string& filter) {
    QStringList fields = toQString(filter).split(QLatin1Char('|'));
    if (!fields.isEmpty() && fields.back().isEmpty()) fields.pop_back();
    QStringList entries;
    for (qsizetype i = 0; i < fields.size(); i += 2) {
        QString description = fields[i].trimmed();
        QString patterns = i + 1 < fields.size() ? patternList(fields[i + 1]) : QString();
        if (patterns.isEmpty()) patterns = QStringLiteral("*");
        if (description.isEmpty()) {
            entries.push_back(patterns);  // Qt reads a bare entry as its patterns
            continue;
        }
        // Qt takes the patterns from the description's closing parentheses, and the dialog
        // matches them without regard to letter case: a description whose parentheses name the
        // pair's patterns in either case is shown exactly as written.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        const bool ownPatterns =
            description.endsWith(QLatin1Char(')')) && open >= 0 &&
            patternSet(description.mid(open + 1, description.size() - open - 2)) ==
                patternSet(patterns);
        entries.push_back(ownPatterns
                              ? description
                              : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries;
}

QString qtFileFilter(const std::string& filter) {
    return qtFileFilterEntries(filter).join(QStringLiteral(";;"));
}

std::string withDefaultExtension(const std::string& path, const std::string& extension) {
    std::string ext = extension;
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    const std::filesystem::path file(path);
    if (ext.empty() || path.empty() || file.filename().empty() || file.has_extension()) return path;
    return path + "." + ext;
}

std::filesystem::path helpPagePath(const std::string& helpFile,
                                   const std::filesystem::path& programFolder) {
    const std::string stem = std::filesystem::path(helpFile).filename().stem().string();
    if (stem.empty()) return {};
    const std::string page = stem + ".html";
    for (const std::filesystem::path& folder :
         {programFolder / "help", programFolder / ".." / "share" / "orvane" / "help"}) {
        std::filesystem::path found = findInFolder(folder, page);
        if (!found.empty()) return found.lexically_normal();
    }
    return {};
}

QtDialogs::QtDialogs(QWidget* parent) : parent_(parent) {}

QtDialogs::~QtDialogs() {
    // A help window without a parent would outlive its owner.
    if (helpWindow_ && helpWindow_->parent() == nullptr) delete helpWindow_.data();
}

Answer QtDialogs::message(const std::string& text, const std::string& title, Buttons buttons,
                          Icon icon) {
    return messageWithDetails(text, {}, title, buttons, icon);
}

Answer QtDialogs::messageWithDetails(const std::string& text, const std::string& details,
                                     const std::string& title, Buttons buttons, Icon icon) {
    QMessageBox box(qtIcon(icon), toQString(title), toDisplayText(text), qtButtons(buttons), parent_);
    // The box's own details button and scrolling area: closed until asked for.
    if (!details.empty()) box.setDetailedText(toDisplayText(details));
    box.setDefaultButton(buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel
                             ? QMessageBox::Yes
                             : QMessageBox::Ok);
    switch (box.exec()) {
        case QMessageBox::Ok: return Answer::Ok;
        case QMessageBox::Cancel: return Answer::Cancel;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return closedAnswer(buttons);
    }
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title,
                             const std::string& defaultText) {
    bool accepted = false;
    const QString text =
        QInputDialog::getText(parent_, toQString(title), toDisplayText(prompt), QLineEdit::Normal,
                              toQString(defaultText), &accepted);
    return accepted ? text.toStdString() : std::string();
}

std::optional<std::string> QtDialogs::openFile(const std::string& title, const std::string& filter,
                                               const std::string& initialPath, size_t selectedFilter) {
    QFileDialog dialog(parent_, toQString(title), toQString(initialPath));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(dialog, filter);
    const QStringList entries = qtFileFilterEntries(filter);
    if (selectedFilter < static_cast<size_t>(entries.size()))
        dialog.selectNameFilter(entries[static_cast<qsizetype>(selectedFilter)]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogs::saveFile(const std::string& title, const std::string& filter,
                                               const std::string& defaultExtension,
                                               const std::string& initialPath) {
    const std::optional<SavedAs> saved = QtDialogs::saveFileAs(title, filter, initialPath);
    if (!saved) return std::nullopt;
    return withDefaultExtension(saved->path, defaultExtension);
}

std::optional<Dialogs::SavedAs> QtDialogs::saveFileAs(const std::string& title, const std::string& filter,
                                                      const std::string& initialPath) {
    QFileDialog dialog(parent_, toQString(title), toQString(initialPath));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    prepareFileDialog(dialog, filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const qsizetype index = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
    return SavedAs{dialog.selectedFiles().front().toStdString(), static_cast<int>(std::max<qsizetype>(index, 0))};
}

std::optional<Colour> QtDialogs::pickColour(Colour initial, const std::string& title) {
    const QColor chosen = QColorDialog::getColor(
        QColor(redOf(initial), greenOf(initial), blueOf(initial)), parent_, toQString(title));
    if (!chosen.isValid()) return std::nullopt;
    return makeColour(chosen.red(), chosen.green(), chosen.blue());
}

// The font picker with the text colour beside it (platform/qt/FontPicker).
std::optional<TextStyle> QtDialogs::pickFont(const TextStyle& initial) {
    return pickTextStyle(initial, parent_);
}

std::string QtDialogs::pickFolder(const std::string& title, const std::string& initialFolder) {
    return QFileDialog::getExistingDirectory(parent_, toQString(title), toQString(initialFolder))
        .toStdString();
}

void QtDialogs::showHelp(const std::string& helpFile) {
    const std::filesystem::path page = helpPagePath(
        helpFile, std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
    if (page.empty()) {
        message("ヘルプファイルが見つかりません。" + helpFile, "ヘルプ", Buttons::Ok,
                Icon::Warning);
        return;
    }
    if (!helpWindow_) {
        helpWindow_ = new QTextBrowser(parent_);
        helpWindow_->setWindowFlag(Qt::Window, true);
        helpWindow_->setOpenExternalLinks(true);
        helpWindow_->resize(720, 560);
    }
    helpWindow_->setSource(QUrl::fromLocalFile(QString::fromStdString(page.string())));
    const QString title = helpWindow_->documentTitle();
    helpWindow_->setWindowTitle(
        title.isEmpty() ? QFileInfo(QString::fromStdString(page.string())).completeBaseName()
                        : title);
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

}  // namespace orv
