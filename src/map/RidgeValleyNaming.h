#pragma once
// Ridge and valley names on the route map: the panel "尾根・谷名称設定" that composes a label
// with a live preview and places it with a left click, the panel "尾根・谷名称登録リスト" that
// lists the registered labels and deletes them by name, and the display switch "尾根・谷名称".
// The window shows the panels in place of the point panels and forwards every action here.
#include "map/MapContext.h"
#include "map/MapMode.h"
#include "map/RidgeValleyNameFile.h"
#include "platform/DrawingSurface.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

inline constexpr const char* kNameInputCaption = "尾根・谷名称設定";
inline constexpr const char* kNameListCaption = "尾根・谷名称登録リスト";
inline constexpr const char* kNameTextCaption = "表示名称";
inline constexpr const char* kMagnificationCaption = "文字倍率";
inline constexpr const char* kAngleCaption = "配置　　　　　90度～-90度";
inline constexpr const char* kPlaceButton = "表示位置指定";
inline constexpr const char* kFinishButton = "終了";
inline constexpr const char* kNameInputHelpFile = "ORVANE10.hlp";
inline constexpr const char* kNameListHelpFile = "ORVANE11.hlp";
inline constexpr const char* kPlacingGuide = "表示開始位置をマウスで指定（左クリック）して下さい";
inline constexpr const char* kNameListPopupBand = "DELRVNData";
inline constexpr const char* kNameMessageTitle = "尾根・谷名称";
inline constexpr const char* kNameCommaRefusal =
    "名称に「,」（半角カンマ）は使えません。別の文字に置き換えて下さい。";
inline constexpr const char* kNameEmptyRefusal = "表示名称を入力して下さい。";
inline constexpr const char* kNameWriteFailed = "尾根・谷名称ファイル（Orvane.RVN）を書き込めませんでした。";
inline constexpr const char* kNameFileTooLarge =
    "尾根・谷名称ファイル（Orvane.RVN）が読み込める大きさを超えるため、書き込めませんでした。";
inline constexpr int kLabelPreviewWidth = 240;
inline constexpr int kLabelPreviewHeight = 120;

class RidgeValleyNaming {
public:
    explicit RidgeValleyNaming(MapContext& ctx);

    // ---- "名称登録": the name-setting panel ----
    struct InputPanel {
        bool visible = false;
        std::string name;
        int magnificationSlider = 13;  // 10..20
        std::string magnificationText = "1.3";
        int angleSpin = 0;  // -90..90
        std::string angleText = "0";
        DrawingSurface preview{kLabelPreviewWidth, kLabelPreviewHeight};
    } input;

    void openInput();
    void setName(std::string text) { input.name = std::move(text); }
    // Leaving the name box, moving the slider or the spin control redraws the preview.
    void leaveName();
    void moveMagnification(int slider);
    void changeAngle(int degrees);
    void setMagnificationText(std::string text) { input.magnificationText = std::move(text); }
    void setAngleText(std::string text) { input.angleText = std::move(text); }
    // "表示位置指定": takes the composed label and waits for a left click on the map. A text
    // with "," (it would split the line) or an empty one is refused with a message.
    void beginPlacing();
    // A left click in placing mode: the label is drawn there and appended to the names file.
    void place(int x, int y);
    bool placing() const { return placing_; }
    void closeInput() { input.visible = false; }

    // ---- "登録削除": the list panel ----
    struct ListPanel {
        bool visible = false;
        std::vector<std::string> entries;
        std::optional<size_t> selected;
    } list;

    void openList();
    void select(std::optional<size_t> row) { list.selected = row; }
    // "登録データ削除": deletes every label named as the selected entry; nothing without one.
    void deleteSelected();
    void closeList() { list.visible = false; }

    // "尾根・谷名称": shows or hides every label.
    void toggleShown();

    // "ヘルプ" of each panel.
    void helpInput();
    void helpList();

    // The step that puts the rewritten names file in place (tests make it fail).
    void setReplaceStep(ReplaceFile replace) { replace_ = std::move(replace); }

private:
    void drawPreview();
    void refillList();
    void redraw();

    MapContext& ctx_;
    bool placing_ = false;
    RidgeValleyName composed_;
    std::vector<RidgeValleyNameEntry> listed_;
    ReplaceFile replace_ = renameOver;
};

// The placing mode: in force from "表示位置指定" until the left click that places the label;
// other buttons are ignored and keep it.
class NamePlacingMode : public MapMode {
public:
    explicit NamePlacingMode(RidgeValleyNaming& naming) : naming_(naming) {}
    bool active() const override { return naming_.placing(); }
    bool leftRelease(int x, int y) override;
    std::optional<std::string> rightRelease(int /*x*/, int /*y*/) override { return std::string(); }
    std::string guide() const override { return kPlacingGuide; }

private:
    RidgeValleyNaming& naming_;
};

}  // namespace orv
