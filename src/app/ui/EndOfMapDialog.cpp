#include "app/ui/EndOfMapDialog.h"

#include "platform/qt/SurfaceWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {

// Message texts hold CR LF line breaks; a label breaks at LF.
QString labelText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QPushButton* plainButton(const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

EndOfMapDialog::EndOfMapDialog(AppState& state, Dialogs& dialogs, QWidget* parent,
                               std::function<std::string()> today)
    : QDialog(parent), model_(state, dialogs, std::move(today)) {
    setObjectName("ORV_TVEND");
    setWindowTitle(QString::fromUtf8(kEndOfMapTitle));
    buildLayout();
    model_.changed = [this] { refresh(); };
    refresh();
}

EndOfMapDialog::~EndOfMapDialog() {
    // The strip widget shows a surface owned by the model: remove it first.
    model_.changed = nullptr;
    delete progress_;
}

void EndOfMapDialog::buildLayout() {
    auto* rows = new QVBoxLayout(this);
    message_ = new QLabel(labelText(model_.message()), this);
    message_->setObjectName("message");
    rows->addWidget(message_);

    nameBox_ = new QLineEdit(QString::fromStdString(model_.name()), this);
    nameBox_->setObjectName("nameBox");
    nameBox_->setVisible(model_.saveMode());
    rows->addWidget(nameBox_);
    connect(nameBox_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.editName(text.toStdString()); });

    progress_ = new SurfaceWidget(model_.progress(), this);
    progress_->setObjectName("progress");
    rows->addWidget(progress_, 0, Qt::AlignLeft);

    auto* buttons = new QHBoxLayout;
    auto* yes = plainButton(kEndOfMapYes, this);
    yes->setObjectName("yes");
    auto* cancel = plainButton(kEndOfMapCancel, this);
    cancel->setObjectName("cancel");
    buttons->addWidget(yes);
    buttons->addWidget(cancel);
    connect(yes, &QPushButton::clicked, this, [this] { finish(model_.yes(), QDialog::Accepted); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { finish(model_.cancel(), QDialog::Rejected); });
    if (model_.saveMode()) {
        auto* leave = plainButton(kEndOfMapLeave, this);
        leave->setObjectName("leave");
        buttons->addWidget(leave);
        connect(leave, &QPushButton::clicked, this,
                [this] { finish(model_.leaveWithoutSaving(), QDialog::Accepted); });
    }
    rows->addLayout(buttons);
}

void EndOfMapDialog::refresh() { progress_->setVisible(model_.progressVisible()); }

void EndOfMapDialog::finish(bool closes, int result) {
    if (closes) done(result);
}

void EndOfMapDialog::reject() {
    model_.dismiss();
    QDialog::reject();
}

DialogOutcome runEndOfMapDialog(AppState& state, Dialogs& dialogs, QWidget* parent) {
    EndOfMapDialog dialog(state, dialogs, parent);
    dialog.exec();
    return dialog.model().outcome().value_or(DialogOutcome::Cancelled);
}

}  // namespace orv
