#pragma once
// The "標高データの作成" window: the centre mesh, the source (FG-GML files or archives, a folder of
// elevation tiles, or downloading tiles with their URL setting and cache folder), the output
// folder, a progress bar with a cancel button. It shows a DemCreation and forwards every
// button to the model's dispatch.
#include "terrain/DemCreation.h"

#include <QDialog>

#include <optional>
#include <string>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace orv {

class DemCreationDialog : public QDialog {
    Q_OBJECT
public:
    // `outFolder`: the output folder proposed (empty for none).
    DemCreationDialog(Dialogs& dialogs, const std::string& centreMesh, const std::string& tileSetting,
                   QWidget* parent = nullptr, const std::string& outFolder = {});

    terrain::DemCreation& model() { return model_; }

    // Runs a command as its button does.
    void dispatch(const std::string& toolId);

public slots:
    // Closing by the frame or Escape while a build runs cancels the build first.
    void reject() override;

private:
    // The window's layout from its sections; the grid's rows are counted in `row`.
    void buildLayout();
    QLineEdit* field(const char* name);
    void addCentreAndSourceChoice(QGridLayout* grid, int& row);
    void addGmlRows(QGridLayout* grid, int& row);
    void addTileFolderRows(QGridLayout* grid, int& row);
    void addDownloadRows(QGridLayout* grid, int& row);
    void addOutputRow(QGridLayout* grid, int& row);
    QHBoxLayout* buildButtons();
    void refresh();
    // A button of the window's command table.
    QPushButton* button(ToolId toolId);

    terrain::DemCreation model_;
    QLineEdit* centre_ = nullptr;
    QRadioButton* gml_ = nullptr;
    QRadioButton* tiles_ = nullptr;
    QRadioButton* download_ = nullptr;
    QListWidget* gmlList_ = nullptr;
    QLineEdit* tileFolder_ = nullptr;
    QLineEdit* tileSetting_ = nullptr;
    QLineEdit* cacheFolder_ = nullptr;
    QLineEdit* outFolder_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* progressText_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Shows the window modally over `parent`, the centre mesh filled in from the destination (or
// empty) and the output folder proposed (`outFolder`, empty for none). Returns the output folder
// when meshes were written there: the caller may offer it as the hard-disk data folder of a
// plan. The tile URL setting comes back either way.
std::optional<std::string> runDemCreationDialog(Dialogs& dialogs, QWidget* parent, const std::string& centreMesh,
                                             std::string& tileSetting, const std::string& outFolder = {});

}  // namespace orv
