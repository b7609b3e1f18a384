#pragma once
// ORV_YAMANAME, the mountain search ("山の検索"): a search text, the options "表示範囲内で検索"
// (preselected) and "日本全域で検索", the result list in a monospaced Japanese font so the columns
// line up, under a line of column titles (a double click on a result is "確定"), a status line,
// a busy indicator, and the buttons "検索", "確定" and "キャンセル".
#include "names/MountainSearch.h"
#include "state/AppState.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace orv {

class ListHeader;

class MountainSearchDialog : public QDialog {
    Q_OBJECT
public:
    // clearOverview clears the start menu's overview drawing (at each search and on "確定").
    MountainSearchDialog(AppState& state, OverviewRange overview,
                         std::function<void()> clearOverview = {}, QWidget* parent = nullptr);
    ~MountainSearchDialog() override;

    // The record number of the picked row once "確定" was pressed.
    std::optional<int> confirmedRecord() const { return confirmed_; }

public slots:
    // "キャンセル", the window's close box and Escape: nothing confirmed.
    void reject() override;

private:
    // The dialog's layout from its sections.
    void buildLayout();
    QHBoxLayout* buildSearchRow();
    QHBoxLayout* buildOptionRow();
    void buildResultList();
    QHBoxLayout* buildStatusRow();
    QHBoxLayout* buildButtonRow();
    void search();
    void pickSelectedRow();
    void confirm();

    AppState& state_;
    OverviewRange overview_;
    std::function<void()> clearOverview_;
    std::vector<int> records_;
    std::optional<int> picked_;
    std::optional<int> confirmed_;
    bool searching_ = false;

    QLineEdit* text_ = nullptr;
    QRadioButton* withinRange_ = nullptr;
    QRadioButton* allJapan_ = nullptr;
    ListHeader* header_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* busy_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// Opens the search dialog modally over `parent` and returns the picked record number when
// "確定" closed it (mountainConfirmed = 1), nothing otherwise (mountainConfirmed = 0).
std::optional<int> runMountainSearch(AppState& state, const OverviewRange& overview,
                                     QWidget* parent, std::function<void()> clearOverview = {});

}  // namespace orv
