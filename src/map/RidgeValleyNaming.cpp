#include "map/RidgeValleyNaming.h"

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "map/MapGeometry.h"
#include "map/RidgeValleyLabels.h"
#include "map/RouteMapTools.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// The angle text in tenths of a degree; text that is not a number reads as 0.
int32_t angleOf(const std::string& text) {
    const double tenths = leadingNumber(text) * 10.0;
    return std::abs(tenths) < 1e6 ? roundHalfEven(tenths) : 0;
}

float magnificationOf(const std::string& text) {
    const double value = leadingNumber(text);
    return std::abs(value) < 1e3 ? static_cast<float>(value) : 0.0f;
}

std::string sliderText(int slider) {
    return integerText(slider / 10) + "." + integerText(slider % 10);
}

}  // namespace

RidgeValleyNaming::RidgeValleyNaming(MapContext& ctx) : ctx_(ctx) {
    input.magnificationSlider = std::clamp(roundHalfEven(double{ctx_.state.ridgeValleyLabelScale} * 10.0), 10, 20);
    input.magnificationText = sliderText(input.magnificationSlider);
}

void RidgeValleyNaming::openInput() {
    list.visible = false;
    input.visible = true;
    input.name.clear();
    input.magnificationSlider = std::clamp(roundHalfEven(double{ctx_.state.ridgeValleyLabelScale} * 10.0), 10, 20);
    input.magnificationText = sliderText(input.magnificationSlider);
    input.angleText = integerText(input.angleSpin);
    input.preview.clear();
}

void RidgeValleyNaming::leaveName() { drawPreview(); }

void RidgeValleyNaming::moveMagnification(int slider) {
    input.magnificationSlider = std::clamp(slider, 10, 20);
    input.magnificationText = sliderText(input.magnificationSlider);
    drawPreview();
}

void RidgeValleyNaming::changeAngle(int degrees) {
    input.angleSpin = std::clamp(degrees, -90, 90);
    input.angleText = integerText(input.angleSpin);
    drawPreview();
}

void RidgeValleyNaming::drawPreview() {
    DrawingSurface& preview = input.preview;
    preview.setDrawMode(DrawMode::Copy);
    preview.clear();
    preview.setForeColour(ctx_.state.textStyles[kLabelColourStyle].colour);
    drawLabel(preview, kLabelPreviewWidth / 2, kLabelPreviewHeight / 2, angleOf(input.angleText), input.name,
              magnificationOf(input.magnificationText), ctx_.state.textStyles[kLabelFontStyle]);
    preview.show();
}

void RidgeValleyNaming::beginPlacing() {
    if (input.name.empty()) {
        ctx_.dialogs.message(kNameEmptyRefusal, kNameMessageTitle, Buttons::Ok, Icon::Warning);
        return;
    }
    if (input.name.find(',') != std::string::npos) {
        ctx_.dialogs.message(kNameCommaRefusal, kNameMessageTitle, Buttons::Ok, Icon::Warning);
        return;
    }
    composed_.angle = angleOf(input.angleText);
    composed_.text = input.name;
    composed_.magnification = magnificationOf(input.magnificationText);
    ctx_.state.ridgeValleyLabelScale = composed_.magnification;
    placing_ = true;
    ctx_.map.statusPanels[0] = kPlacingGuide;
}

void RidgeValleyNaming::place(int x, int y) {
    if (!placing_) return;
    AppState& state = ctx_.state;
    DrawingSurface& picture = ctx_.pictures.map;
    const Colour saved = picture.foreColour();
    picture.setForeColour(state.textStyles[kLabelColourStyle].colour);
    drawLabel(picture, x, y, composed_.angle, composed_.text, composed_.magnification,
              state.textStyles[kLabelFontStyle]);
    picture.setForeColour(saved);

    const LevelBounds view = currentLevelBounds(state);
    composed_.latitude = secondsToDms(pixelLatitude(view, y));
    composed_.longitude = secondsToDms(pixelLongitude(view, x));
    placing_ = false;
    ctx_.map.statusPanels[0].clear();
    if (const FileError error = appendRidgeValleyName(ridgeValleyNameFilePath(state.dataFolder), composed_);
        error != FileError::None) {
        ctx_.dialogs.message(error == FileError::TooLarge ? kNameFileTooLarge : kNameWriteFailed, kNameMessageTitle,
                             Buttons::Ok, Icon::Error);
    } else {
        state.rvnFileExists = true;
    }
    redraw();
}

void RidgeValleyNaming::openList() {
    input.visible = false;
    list.visible = true;
    refillList();
}

void RidgeValleyNaming::refillList() {
    listed_ = readRidgeValleyNames(ridgeValleyNameFilePath(ctx_.state.dataFolder)).entries;
    list.entries.clear();
    for (const RidgeValleyNameEntry& entry : listed_) list.entries.push_back(entry.listText());
    list.selected.reset();
}

void RidgeValleyNaming::deleteSelected() {
    if (!list.selected || *list.selected >= listed_.size()) return;
    const std::filesystem::path file = ridgeValleyNameFilePath(ctx_.state.dataFolder);
    if (const FileError error = deleteRidgeValleyNames(file, listed_[*list.selected], replace_);
        error != FileError::None)
        ctx_.dialogs.message(error == FileError::TooLarge ? kNameFileTooLarge : kNameWriteFailed, kNameMessageTitle,
                             Buttons::Ok, Icon::Error);
    refillList();
    redraw();
}

void RidgeValleyNaming::toggleShown() {
    AppState& state = ctx_.state;
    state.ridgeValleyNamesShown = !state.ridgeValleyNamesShown;
    ctx_.menus.setChecked(mapTool::kRidgeValleyNames, state.ridgeValleyNamesShown);
    redraw();
}

void RidgeValleyNaming::helpInput() { ctx_.dialogs.showHelp(kNameInputHelpFile); }
void RidgeValleyNaming::helpList() { ctx_.dialogs.showHelp(kNameListHelpFile); }

void RidgeValleyNaming::redraw() {
    ctx_.pictures.map.setImage(ctx_.pictures.buffer.image());
    if (ctx_.drawOverlays) ctx_.drawOverlays();
}

bool NamePlacingMode::leftRelease(int x, int y) {
    naming_.place(x, y);
    return true;
}

}  // namespace orv
