#pragma once
// ORV_TVEND, the end-of-route-map dialog: the message, the plan name box (save mode), the
// progress strip and the buttons "はい (&Y)", "ｷｬﾝｾﾙ" and, in save mode, "保存せずに終了".
// It shows an EndOfMap model and forwards every action to it.
#include "app/EndOfMap.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace orv {

class SurfaceWidget;

class EndOfMapDialog : public QDialog {
    Q_OBJECT
public:
    EndOfMapDialog(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr,
                   std::function<std::string()> today = {});
    ~EndOfMapDialog() override;

    EndOfMap& model() { return model_; }

public slots:
    // Closing by the frame or Escape is a cancel: the route map stays open.
    void reject() override;

private:
    void buildLayout();
    void refresh();
    void finish(bool closes, int result);

    EndOfMap model_;
    QLabel* message_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    SurfaceWidget* progress_ = nullptr;
};

// Shows the dialog modally over `parent` and returns when it closes: Cancelled when the user
// chose to stay on the route map.
DialogOutcome runEndOfMapDialog(AppState& state, Dialogs& dialogs, QWidget* parent);

}  // namespace orv
