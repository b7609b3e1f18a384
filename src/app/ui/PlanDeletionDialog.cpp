#include "app/ui/PlanDeletionDialog.h"

#include "platform/qt/TabStopDelegate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {

// The list's tab stop in dialog units (a quarter of the average character width).
constexpr int kTabStopDialogUnits = 150;

QPushButton* plainButton(const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

PlanDeletionDialog::PlanDeletionDialog(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(state, dialogs) {
    setObjectName("ORV_CRTFDEL");
    setWindowTitle(QString::fromUtf8(kPlanDeletionTitle));
    buildLayout();
    model_.changed = [this] { refresh(); };
    model_.open();
    refresh();
}

PlanDeletionDialog::~PlanDeletionDialog() { model_.changed = nullptr; }

void PlanDeletionDialog::buildLayout() {
    auto* rows = new QVBoxLayout(this);
    rows->addWidget(new QLabel(QString::fromUtf8(kPlanDeletionPrompt), this));

    list_ = new QListWidget(this);
    list_->setObjectName("plans");
    list_->setItemDelegate(new TabStopDelegate({kTabStopDialogUnits}, list_));
    list_->setMinimumSize(420, 240);
    rows->addWidget(list_, 1);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { model_.pickLine(list_->row(item)); });

    auto* controls = new QHBoxLayout;
    numberBox_ = new QLineEdit(this);
    numberBox_->setObjectName("number");
    numberBox_->setMaximumWidth(80);
    controls->addWidget(numberBox_);
    connect(numberBox_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.editNumber(text.toStdString()); });
    controls->addStretch(1);
    deleteButton_ = plainButton(kPlanDeleteButton, this);
    deleteButton_->setObjectName("delete");
    auto* finishButton = plainButton(kPlanDeletionFinishButton, this);
    finishButton->setObjectName("finish");
    controls->addWidget(deleteButton_);
    controls->addWidget(finishButton);
    rows->addLayout(controls);
    connect(deleteButton_, &QPushButton::clicked, this, [this] { model_.deleteChosen(); });
    connect(finishButton, &QPushButton::clicked, this, [this] {
        if (model_.finish()) accept();
    });
}

void PlanDeletionDialog::refresh() {
    QStringList lines;
    for (const auto& line : model_.lines()) lines << QString::fromStdString(line);
    QStringList shown;
    for (int i = 0; i < list_->count(); ++i) shown << list_->item(i)->text();
    if (shown != lines) {
        list_->clear();
        list_->addItems(lines);
    }
    const QString number = QString::fromStdString(model_.numberText());
    if (numberBox_->text() != number) numberBox_->setText(number);
    deleteButton_->setEnabled(model_.deleteEnabled());
}

void runPlanDeletionDialog(AppState& state, Dialogs& dialogs, QWidget* parent) {
    PlanDeletionDialog dialog(state, dialogs, parent);
    dialog.exec();
}

}  // namespace orv
