#pragma once
// The harmonics window ("Harmonic current emissions"), a thin view over
// HarmonicsWindowController: the "Measurement" tab with the value labels, the legends, the
// chart's three pictures and the result table coloured by the overall result, and the
// "Settings" tab with the probe scale, line frequency and power factor boxes, the options, the
// headline of the printout and the editor of the limit definitions. While it is open
// every screen redraw runs the analysis; a resize and a switch to "Measurement" run it too,
// a paint event only shows the pictures.
//
// Start/Stop and Defaultsetting set the instrument up and switch acquisition on and off,
// Clear Harmonics starts the average again, Print gives the report and Export as *.tab writes
// the table (HarmonicsTestOperations).

#include <QImage>
#include <QWidget>
#include <array>
#include <vector>

#include "ModelWindow.h"
#include "app/HarmonicsTestOperations.h"
#include "harmonics/HarmonicsWindowController.h"
#include "harmonics/HarmonicsWindowLayout.h"
#include "harmonics/LimitStore.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

namespace ql::gui {

class HarmonicsPicture;
class LimitEditor;

class HarmonicsWindow : public QWidget, public ModelWindow<HarmonicsWindowController> {
    Q_OBJECT
public:
    HarmonicsWindow(ProgramState& state, Host& host, LimitStore& limits, char decimalSign,
                    InstrumentLink& link, Printer& printer, FileDialogs& dialogs,
                    QWidget* parent = nullptr);
    ~HarmonicsWindow() override;

    QTabWidget* tabs() const { return tabs_; }
    QTableWidget* table() const { return table_; }
    // The chart's three pictures laid out as the window shows them: level strip, chart and
    // frequency strip.
    QImage chartPicture() const;
    // The editor of the limit definitions on the "Settings" tab.
    LimitEditor* limitEditor() const { return limitEditor_; }

    void opened() override;
    // A refresh judges the table again, as after a change of the limit definitions.
    void refresh() override { runAnalysis(); }
    void closed() override { model_.closed(); }
    void activated() override;
    // Every move and resize of the frame is kept, so the next opening and the parameter file
    // find the window where the user left it.
    void deactivated() override { model_.keepPlacement(); }
    void placementChanged() override { model_.keepPlacement(); }
    std::optional<RedrawLink> chainLink() const override { return RedrawLink::Harmonics; }
    void chainMember(ProgramState&) override { runAnalysis(); }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMeasurementTab(QWidget* page);
    void buildSettingsTab(QWidget* page);
    QWidget* frame() const;
    bool minimised() const;
    void layOut();
    void runAnalysis();
    // Shows the state and the last result with its table.
    void showView(const HarmonicsWindowView& v) override;
    void showTable();
    void chartDrawn();

    // A control of a tab at its design place (twips on the tab control).
    struct FixedPlace {
        QWidget* control;
        TwipsRect place;
    };

    HarmonicsTestOperations test_;
    std::vector<FixedPlace> places_;

    QTabWidget* tabs_ = nullptr;
    QWidget* measurementPage_ = nullptr;
    QWidget* settingsPage_ = nullptr;
    // Measurement
    QLabel *fundamentalLabel_ = nullptr, *lineFrequencyLabel_ = nullptr, *rmsLabel_ = nullptr;
    QPushButton* startButton_ = nullptr;
    HarmonicsPicture *levelStrip_ = nullptr, *chart_ = nullptr, *frequencyStrip_ = nullptr;
    QTableWidget* table_ = nullptr;
    // Settings
    QLineEdit *voltsPerAmpBox_ = nullptr, *lineFrequencyBox_ = nullptr;
    QLineEdit *powerFactorBox_ = nullptr, *headlineBox_ = nullptr;
    QCheckBox *autoFrequencyBox_ = nullptr, *maxHoldBox_ = nullptr;
    std::array<QRadioButton*, kHarmonicsSpanCount> spanOptions_{};
    std::array<QRadioButton*, 2> windowOptions_{};
    QWidget* limitEditorArea_ = nullptr;
    LimitEditor* limitEditor_ = nullptr;
};

}  // namespace ql::gui
