#pragma once
// The FFT window ("FFT"): the tabs "FFT CH I", "FFT CH II", "FFT CH I / II" and "Settings"
// (the log switch, the window function and its preview), and below them the X-zoom box and
// the scroll bar. A thin view over FftWindowController. Each resize lays the pictures out anew
// and recomputes the chart in view; a paint event only shows the pictures. While the window is
// open it is the redraw chain's FFT member; becoming the active window shows the stored
// options, and leaving it or closing stores its placement.

#include <QImage>
#include <QWidget>
#include <array>
#include <memory>

#include "ModelWindow.h"
#include "draw/PictureClipboard.h"
#include "draw/Printer.h"
#include "fft/FftWindowController.h"
#include "state/Clock.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QTabBar;

namespace ql::gui {

class FftChartTab;
class FftPicture;
class QtPaintDevice;

class FftWindow : public QWidget, public ModelWindow<FftWindowController> {
    Q_OBJECT
public:
    FftWindow(ProgramState& state, Host& host, FileDialogs& dialogs, char decimalSign,
              QWidget* parent = nullptr);
    ~FftWindow() override;

    // Makes the chart buttons available: Print on `printer`, Copy and Save as WMF through
    // `clipboard` or to a metafile, each dated by `clock`.
    void connectOutputs(Printer& printer, PictureClipboard& clipboard, Clock& clock);

    QTabBar* tabBar() const { return tabBar_; }
    FftChartTab* chartTab(FftTab tab) const;
    QRadioButton* windowOption(WindowFunction window) const;
    FftPicture* preview() const { return preview_; }
    QScrollBar* scrollBar() const { return scrollBar_; }

    void opened() override;
    void closed() override { model_.unloaded(); }
    void activated() override;
    void deactivated() override { model_.deactivated(); }
    std::optional<RedrawLink> chainLink() const override { return RedrawLink::Fft; }
    void chainMember(ProgramState&) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildSettingsPage();
    void buildZoomRow();
    void layOut();
    void showView(const FftWindowView& v) override;

    ProgramState& state_;
    char decimalSign_;
    QImage metricsPicture_;  // what the metafile pictures measure their texts on
    std::unique_ptr<QtPaintDevice> metrics_;
    QTabBar* tabBar_ = nullptr;
    std::array<FftChartTab*, 3> chartTabs_{};
    std::array<QWidget*, 4> pages_{};
    QCheckBox* logBox_ = nullptr;
    std::array<QRadioButton*, 4> windowOptions_{};
    FftPicture* preview_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QSpinBox* zoomBox_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    bool freshPictures_ = true;  // the next layout starts the pictures blank
};

}  // namespace ql::gui
