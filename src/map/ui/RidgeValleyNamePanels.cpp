#include "map/ui/RidgeValleyNamePanels.h"

#include "platform/qt/QtText.h"
#include "platform/qt/SurfaceWidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orv {

namespace {

QPushButton* panelButton(const char* caption, QWidget* parent) {
    auto* button = new QPushButton(toQString(caption), parent);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

RidgeValleyNamePanels::RidgeValleyNamePanels(RidgeValleyNaming& naming, QWidget* parent,
                                             std::function<void(const std::string&)> popup,
                                             std::function<void()> changed)
    : QObject(parent), naming_(naming), popup_(std::move(popup)), changed_(std::move(changed)) {
    buildInput(parent);
    buildList(parent);
    refresh();
}

RidgeValleyNamePanels::~RidgeValleyNamePanels() = default;

bool RidgeValleyNamePanels::shown() const { return naming_.input.visible || naming_.list.visible; }

void RidgeValleyNamePanels::acted() {
    refresh();
    if (changed_) changed_();
}

void RidgeValleyNamePanels::buildInput(QWidget* parent) {
    input_ = new QGroupBox(toQString(kNameInputCaption), parent);
    auto* grid = new QGridLayout(input_);
    grid->addWidget(new QLabel(toQString(kNameTextCaption), input_), 0, 0);
    name_ = new QLineEdit(input_);
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) { naming_.setName(text.toStdString()); });
    connect(name_, &QLineEdit::editingFinished, this, [this] {
        naming_.leaveName();
        acted();
    });
    grid->addWidget(name_, 0, 1, 1, 2);

    grid->addWidget(new QLabel(toQString(kMagnificationCaption), input_), 1, 0);
    magnification_ = new QSlider(Qt::Horizontal, input_);
    magnification_->setRange(10, 20);
    connect(magnification_, &QSlider::valueChanged, this, [this](int value) {
        if (applying_) return;
        naming_.moveMagnification(value);
        acted();
    });
    grid->addWidget(magnification_, 1, 1);
    magnificationText_ = new QLineEdit(input_);
    magnificationText_->setFixedWidth(40);
    connect(magnificationText_, &QLineEdit::textEdited, this,
            [this](const QString& text) { naming_.setMagnificationText(text.toStdString()); });
    grid->addWidget(magnificationText_, 1, 2);

    grid->addWidget(new QLabel(toQString(kAngleCaption), input_), 2, 0, 1, 3);
    angle_ = new QSpinBox(input_);
    angle_->setRange(-90, 90);
    connect(angle_, &QSpinBox::valueChanged, this, [this](int value) {
        if (applying_) return;
        naming_.changeAngle(value);
        acted();
    });
    grid->addWidget(angle_, 3, 1);
    angleText_ = new QLineEdit(input_);
    angleText_->setFixedWidth(40);
    connect(angleText_, &QLineEdit::textEdited, this,
            [this](const QString& text) { naming_.setAngleText(text.toStdString()); });
    grid->addWidget(angleText_, 3, 2);

    preview_ = new SurfaceWidget(naming_.input.preview, input_);
    grid->addWidget(preview_, 4, 0, 1, 3);

    auto* buttons = new QHBoxLayout();
    auto* place = panelButton(kPlaceButton, input_);
    connect(place, &QPushButton::clicked, this, [this] {
        naming_.setName(name_->text().toStdString());
        naming_.beginPlacing();
        acted();
    });
    auto* finish = panelButton(kFinishButton, input_);
    connect(finish, &QPushButton::clicked, this, [this] {
        naming_.closeInput();
        acted();
    });
    auto* help = panelButton("ヘルプ", input_);
    connect(help, &QPushButton::clicked, this, [this] { naming_.helpInput(); });
    buttons->addWidget(place);
    buttons->addWidget(finish);
    buttons->addWidget(help);
    grid->addLayout(buttons, 5, 0, 1, 3);
    input_->hide();
}

void RidgeValleyNamePanels::buildList(QWidget* parent) {
    list_ = new QGroupBox(toQString(kNameListCaption), parent);
    auto* rows = new QVBoxLayout(list_);
    entries_ = new QListWidget(list_);
    entries_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(entries_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (applying_) return;
        naming_.select(row < 0 ? std::nullopt : std::optional<size_t>(static_cast<size_t>(row)));
    });
    connect(entries_, &QWidget::customContextMenuRequested, this, [this] {
        if (popup_) popup_(kNameListPopupBand);
    });
    rows->addWidget(entries_);
    auto* buttons = new QHBoxLayout();
    auto* finish = panelButton(kFinishButton, list_);
    connect(finish, &QPushButton::clicked, this, [this] {
        naming_.closeList();
        acted();
    });
    auto* help = panelButton("ヘルプ", list_);
    connect(help, &QPushButton::clicked, this, [this] { naming_.helpList(); });
    buttons->addWidget(finish);
    buttons->addWidget(help);
    rows->addLayout(buttons);
    list_->hide();
}

void RidgeValleyNamePanels::refresh() {
    applying_ = true;
    const bool opening = naming_.input.visible && !input_->isVisible();
    input_->setVisible(naming_.input.visible);
    if (opening) {
        name_->setText(toQString(naming_.input.name));
        name_->setFocus();
    }
    magnification_->setValue(naming_.input.magnificationSlider);
    magnificationText_->setText(toQString(naming_.input.magnificationText));
    angle_->setValue(naming_.input.angleSpin);
    angleText_->setText(toQString(naming_.input.angleText));
    preview_->update();

    list_->setVisible(naming_.list.visible);
    QStringList texts;
    for (const std::string& entry : naming_.list.entries) texts << toQString(entry);
    bool same = entries_->count() == texts.size();
    for (int i = 0; same && i < texts.size(); ++i) same = entries_->item(i)->text() == texts[i];
    if (!same) {
        entries_->clear();
        entries_->addItems(texts);
    }
    if (!naming_.list.selected) entries_->setCurrentRow(-1);
    applying_ = false;
}

}  // namespace orv
