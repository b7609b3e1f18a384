#pragma once
// ORV_CTIME, the course-time window ("ｺｰｽﾀｲﾑの計算"): the walking parameters, the correction and
// pitch fields with their up/down controls, the start time and the descent forecast, the
// schedule list under its four headings (right click: the schedule commands), the buttons
// "計算", "逆ルート", "終了" and "ヘルプ", and a menu bar with the schedule commands. It shows
// the CourseTime and forwards every user action to it.
#include "platform/qt/MenuAdapter.h"
#include "schedule/CourseTime.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace orv {

class CourseTimeWindow : public QDialog {
    Q_OBJECT
public:
    CourseTimeWindow(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~CourseTimeWindow() override;

    CourseTime& model() { return model_; }

public slots:
    // The close box and Escape act as "終了".
    void reject() override;

private:
    // A text field whose typed text goes into one of the model's fields.
    QLineEdit* field(const char* name, std::string CourseTimeFields::*text);
    // The window's layout from its sections: the parameters, the schedule list, the buttons.
    void buildLayout();
    QGridLayout* buildParameters();
    void buildScheduleList();
    QHBoxLayout* buildButtons();
    void refresh();
    void showRows();

    CourseTime model_;
    std::unique_ptr<MenuAdapter> menus_;

    QLineEdit* climbSpeed_ = nullptr;
    QLineEdit* descentSpeed_ = nullptr;
    QLineEdit* flatSpeed_ = nullptr;
    QLineEdit* shortRest_ = nullptr;
    QLineEdit* longRest_ = nullptr;
    QLineEdit* correction_ = nullptr;
    QToolButton* correctionUp_ = nullptr;
    QToolButton* correctionDown_ = nullptr;
    QLineEdit* pitch_ = nullptr;
    QLineEdit* startTime_ = nullptr;
    QLabel* forecast_ = nullptr;
    QLabel* outsideLegend_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* reverseButton_ = nullptr;
    std::vector<std::string> shownRows_;
    bool refreshing_ = false;
};

// Opens the course-time window modally over `parent` and returns when it is closed.
void runCourseTimeWindow(AppState& state, Dialogs& dialogs, QWidget* parent);

}  // namespace orv
