#pragma once
// ORV_CRTFDEL, the deletion dialog ("登録されているルートファイルの削除"): the prompt, the list
// of saved plans with tab stops, the number box and the buttons "削　除" and "終了". It shows a
// PlanDeletion model and forwards every action to it.
#include "app/PlanDeletion.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace orv {

class PlanDeletionDialog : public QDialog {
    Q_OBJECT
public:
    PlanDeletionDialog(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~PlanDeletionDialog() override;

    // The model has read the list when the dialog is made.
    PlanDeletion& model() { return model_; }

private:
    void buildLayout();
    void refresh();

    PlanDeletion model_;
    QListWidget* list_ = nullptr;
    QLineEdit* numberBox_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
};

// Shows the dialog modally over `parent` and returns when it closes.
void runPlanDeletionDialog(AppState& state, Dialogs& dialogs, QWidget* parent);

}  // namespace orv
