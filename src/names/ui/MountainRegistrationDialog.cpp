#include "names/ui/MountainRegistrationDialog.h"

#include "platform/qt/QtText.h"
#include "platform/qt/WindowShortcuts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {

namespace {

// The corners in the order of their options ("左上", "右上", "左下", "右下").
constexpr std::array<SheetCorner, 4> kCorners{SheetCorner::TopLeft, SheetCorner::TopRight,
                                              SheetCorner::BottomLeft, SheetCorner::BottomRight};
constexpr std::array<const char*, 4> kCornerCaptions{"左上", "右上", "左下", "右下"};

// A sheet (its frame slightly narrower at the top, as printed sheets are), the chosen corner as
// a red dot, and the two measurements as blue arrows from the corner's sides to the summit.
QPixmap cornerPicture(SheetCorner corner) {
    constexpr int kSide = 96;
    QPixmap picture(kSide, kSide);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF topLeft(16, 12), topRight(80, 12), bottomLeft(12, 84), bottomRight(84, 84);
    QPainterPath frame;
    frame.moveTo(topLeft);
    frame.lineTo(topRight);
    frame.lineTo(bottomRight);
    frame.lineTo(bottomLeft);
    frame.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(QColor(236, 240, 226));
    painter.drawPath(frame);

    const bool top = corner == SheetCorner::TopLeft || corner == SheetCorner::TopRight;
    const bool left = corner == SheetCorner::TopLeft || corner == SheetCorner::BottomLeft;
    const QPointF at = top ? (left ? topLeft : topRight) : (left ? bottomLeft : bottomRight);
    const QPointF summit(48, 48);
    // The summit.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(220, 0, 0));
    painter.drawPolygon(QPolygonF{{summit.x() - 5, summit.y() + 4}, {summit.x(), summit.y() - 5},
                                  {summit.x() + 5, summit.y() + 4}});
    // The two distances: along the latitude direction from the horizontal side, along the
    // longitude direction from the vertical side.
    painter.setPen(QPen(QColor(0, 70, 200), 1.5, Qt::DashLine));
    painter.drawLine(QPointF(summit.x(), at.y()), summit);
    painter.drawLine(QPointF(at.x() + (left ? 2 : -2), summit.y()), summit);
    // The reference corner.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 0, 0));
    painter.drawEllipse(at, 5, 5);
    return picture;
}

QLabel* caption(const char* text, QWidget* parent) { return new QLabel(QString::fromUtf8(text), parent); }

QPushButton* button(const char* text, QWidget* parent, const char* name) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

void setIfChanged(QLineEdit* box, const std::string& text) {
    const QString value = toQString(text);
    if (box->text() != value) box->setText(value);
}

}  // namespace

MountainRegistrationDialog::MountainRegistrationDialog(MountainRegistration& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName("ORV_MNSET");
    setWindowTitle(QString::fromUtf8(kRegistrationTitle));
    setModal(true);

    auto* rows = new QVBoxLayout(this);
    auto* subtitle = caption(kRegistrationSubtitle, this);
    subtitle->setObjectName("subtitle");
    rows->addWidget(subtitle);
    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildSheetBox());
    left->addWidget(buildMeasurementBox());
    middle->addLayout(left, 1);
    middle->addWidget(buildCornerBox());
    rows->addLayout(middle);
    rows->addWidget(buildMountainBox());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* calculate = button("計算", this, "calculate");
    auto* enter = button("登録", this, "register");
    auto* finish = button("終了", this, "finish");
    auto* help = button("ヘルプ", this, "help");
    for (QPushButton* b : {calculate, enter, finish, help}) buttons->addWidget(b);
    rows->addLayout(buttons);
    connect(calculate, &QPushButton::clicked, this, [this] {
        takeBoxes();
        model_.calculate();
    });
    connect(enter, &QPushButton::clicked, this, [this] {
        takeBoxes();
        model_.registerMountain();
    });
    connect(finish, &QPushButton::clicked, this, [this] {
        model_.finish();
        accept();
    });
    connect(help, &QPushButton::clicked, this, [this] { model_.showHelp(); });
    addWindowShortcuts(this, [help] { help->click(); }, [finish] { finish->click(); });

    model_.changed = [this] { refresh(); };
    refresh();
}

MountainRegistrationDialog::~MountainRegistrationDialog() { model_.changed = nullptr; }

QLineEdit* MountainRegistrationDialog::addBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMinimumWidth(90);
    return box;
}

// "地形図データ": the sheet's corners and its frame sides.
QWidget* MountainRegistrationDialog::buildSheetBox() {
    auto* group = new QGroupBox(QString::fromUtf8("地形図データ"), this);
    auto* grid = new QGridLayout(group);
    constexpr std::array<const char*, 8> captions{"左下緯度", "左下経度", "右上緯度", "右上経度",
                                                  "図郭上辺 (mm)", "図郭下辺 (mm)", "図郭左辺 (mm)",
                                                  "図郭右辺 (mm)"};
    constexpr std::array<const char*, 8> names{"south", "west", "north", "east",
                                               "topWidth", "bottomWidth", "leftHeight", "rightHeight"};
    for (size_t i = 0; i < captions.size(); ++i) {
        const int row = static_cast<int>(i % 4);
        const int column = i < 4 ? 0 : 2;
        grid->addWidget(caption(captions[i], group), row, column);
        sheetBoxes_[i] = addBox(group, names[i]);
        grid->addWidget(sheetBoxes_[i], row, column + 1);
    }
    return group;
}

// "基準位置": the four corners and the picture of the chosen one.
QWidget* MountainRegistrationDialog::buildCornerBox() {
    auto* group = new QGroupBox(QString::fromUtf8("基準位置"), this);
    auto* column = new QVBoxLayout(group);
    auto* options = new QGridLayout;
    auto* exclusive = new QButtonGroup(group);
    for (size_t i = 0; i < kCorners.size(); ++i) {
        corners_[i] = new QRadioButton(QString::fromUtf8(kCornerCaptions[i]), group);
        corners_[i]->setObjectName(QStringLiteral("corner%1").arg(i));
        exclusive->addButton(corners_[i]);
        options->addWidget(corners_[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
        connect(corners_[i], &QRadioButton::clicked, this, [this, i] {
            takeBoxes();
            model_.corner = kCorners[i];
            refresh();
        });
    }
    column->addLayout(options);
    cornerPicture_ = new QLabel(group);
    cornerPicture_->setObjectName("cornerPicture");
    cornerPicture_->setAlignment(Qt::AlignCenter);
    column->addWidget(cornerPicture_);
    column->addStretch();
    return group;
}

// "計算データ": the two measurements from the corner.
QWidget* MountainRegistrationDialog::buildMeasurementBox() {
    auto* group = new QGroupBox(QString::fromUtf8("計算データ"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(caption("山頂 緯度方向 (mm)", group), 0, 0);
    latitudeMm_ = addBox(group, "latitudeMm");
    grid->addWidget(latitudeMm_, 0, 1);
    grid->addWidget(caption("経度方向 (mm)", group), 0, 2);
    longitudeMm_ = addBox(group, "longitudeMm");
    grid->addWidget(longitudeMm_, 0, 3);
    return group;
}

// The mountain: name, reading, elevation and the computed position (which may be edited).
QWidget* MountainRegistrationDialog::buildMountainBox() {
    auto* group = new QGroupBox(QString::fromUtf8("山名データ"), this);
    auto* grid = new QGridLayout(group);
    constexpr std::array<const char*, 5> captions{kNameCaption, kReadingCaption, kElevationCaption,
                                                  kSummitLatitudeCaption, kSummitLongitudeCaption};
    constexpr std::array<const char*, 5> names{"name", "reading", "elevation", "latitude", "longitude"};
    for (size_t i = 0; i < captions.size(); ++i) {
        const int row = i < 3 ? 0 : 1;
        const int column = 2 * static_cast<int>(i < 3 ? i : i - 3);
        grid->addWidget(caption(captions[i], group), row, column);
        mountainBoxes_[i] = addBox(group, names[i]);
        grid->addWidget(mountainBoxes_[i], row, column + 1);
    }
    return group;
}

// The boxes' texts into the model before it acts.
void MountainRegistrationDialog::takeBoxes() {
    RegistrationSheet& sheet = model_.sheet;
    std::array<std::string*, 8> sheetFields{&sheet.southLatitude, &sheet.westLongitude, &sheet.northLatitude,
                                           &sheet.eastLongitude,  &sheet.topWidth,      &sheet.bottomWidth,
                                           &sheet.leftHeight,     &sheet.rightHeight};
    for (size_t i = 0; i < sheetFields.size(); ++i) *sheetFields[i] = sheetBoxes_[i]->text().toStdString();
    model_.latitudeMm = latitudeMm_->text().toStdString();
    model_.longitudeMm = longitudeMm_->text().toStdString();
    RegistrationMountain& mountain = model_.mountain;
    std::array<std::string*, 5> mountainFields{&mountain.name, &mountain.reading, &mountain.elevation,
                                               &mountain.latitude, &mountain.longitude};
    for (size_t i = 0; i < mountainFields.size(); ++i)
        *mountainFields[i] = mountainBoxes_[i]->text().toStdString();
}

void MountainRegistrationDialog::refresh() {
    const RegistrationSheet& sheet = model_.sheet;
    const std::array<const std::string*, 8> sheetFields{
        &sheet.southLatitude, &sheet.westLongitude, &sheet.northLatitude, &sheet.eastLongitude,
        &sheet.topWidth,      &sheet.bottomWidth,   &sheet.leftHeight,    &sheet.rightHeight};
    for (size_t i = 0; i < sheetFields.size(); ++i) setIfChanged(sheetBoxes_[i], *sheetFields[i]);
    setIfChanged(latitudeMm_, model_.latitudeMm);
    setIfChanged(longitudeMm_, model_.longitudeMm);
    const RegistrationMountain& mountain = model_.mountain;
    const std::array<const std::string*, 5> mountainFields{&mountain.name, &mountain.reading,
                                                           &mountain.elevation, &mountain.latitude,
                                                           &mountain.longitude};
    for (size_t i = 0; i < mountainFields.size(); ++i) setIfChanged(mountainBoxes_[i], *mountainFields[i]);
    for (size_t i = 0; i < kCorners.size(); ++i) corners_[i]->setChecked(model_.corner == kCorners[i]);
    cornerPicture_->setPixmap(cornerPicture(model_.corner));
}

void runMountainRegistrationDialog(MountainRegistration& model, QWidget* parent) {
    MountainRegistrationDialog dialog(model, parent);
    dialog.exec();
}

}  // namespace orv
