#include "route/ui/PointNameDialog.h"

#include "platform/qt/ListHeader.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TabStopDelegate.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

PointNameDialog::PointNameDialog(PointNaming& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("ORV_PNAMESET");
    setWindowTitle(toQString(model_.caption()));
    auto* rows = new QVBoxLayout(this);
    rows->addWidget(new QLabel(toQString(model_.prompt()), this));
    text_ = new QLineEdit(this);
    text_->installEventFilter(this);
    connect(text_, &QLineEdit::textEdited, this, [this](const QString& text) { model_.text = text.toStdString(); });
    rows->addWidget(text_);
    list_ = new QListWidget(this);
    list_->setObjectName("mountains");
    const std::vector<int> stops(kMountainListTabStops.begin(), kMountainListTabStops.end());
    list_->setItemDelegate(new TabStopDelegate(stops, list_));
    for (const std::string& row : model_.rows) list_->addItem(toQString(row));
    auto* header = new ListHeader(*list_, toQString(kMountainListTitles), stops, this);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) model_.pick(static_cast<size_t>(row));
        refresh();
    });
    auto* listColumn = new QVBoxLayout;
    listColumn->setSpacing(0);
    listColumn->addWidget(header);
    listColumn->addWidget(list_);
    rows->addLayout(listColumn);
    auto* buttons = new QHBoxLayout();
    register_ = new QPushButton(toQString(kRegisterButton), this);
    connect(register_, &QPushButton::clicked, this, [this] {
        model_.registerName();
        closeIfDone();
    });
    auto* cancel = new QPushButton(toQString(kCancelButton), this);
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    delete_ = new QPushButton(toQString(kDeleteButton), this);
    connect(delete_, &QPushButton::clicked, this, [this] {
        model_.deleteName();
        closeIfDone();
    });
    for (QPushButton* button : {register_, cancel, delete_}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    rows->addLayout(buttons);
    refresh();
    if (model_.textVisible) text_->setFocus();
}

bool PointNameDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::FocusIn) {
        model_.focusText();
        refresh();
    }
    return QDialog::eventFilter(watched, event);
}

void PointNameDialog::reject() {
    if (!model_.closed()) model_.cancel();
    QDialog::reject();
}

void PointNameDialog::closeIfDone() {
    if (model_.closed()) accept();
}

void PointNameDialog::refresh() {
    text_->setVisible(model_.textVisible);
    text_->setEnabled(model_.textVisible);
    list_->setEnabled(model_.listEnabled);
    register_->setEnabled(model_.registerEnabled);
    delete_->setVisible(model_.deleteVisible);
    delete_->setEnabled(model_.deleteEnabled);
}

void runPointNameDialog(PointNaming& model, QWidget* parent) {
    PointNameDialog dialog(model, parent);
    dialog.exec();
}

}  // namespace orv
