#pragma once
// The pages of the FFT window: a picture of the window (an image the core draws, shown by a
// paint event and nothing more, with the mouse moves over it forwarded), and a chart tab
// (CH I, CH II or both channels) with its readout cells, title box, Print, Copy and Save
// buttons, the three pictures of its chart and the "Not actual" label. A chart tab lays its
// controls out at their places in twips; its chart grows one for one with the page. The FFT
// window connects its controls and shows their part of the view.

#include <QWidget>
#include <array>
#include <functional>

#include "PictureImage.h"
#include "fft/FftWindowController.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ql::gui {

class FftPicture : public QWidget {
public:
    explicit FftPicture(QWidget* parent);

    // Puts the picture at `place` in its parent; the image is made anew (white) when its size
    // changes or when `fresh` is set. Returns the device to draw on.
    PaintDevice* place(const QRect& place, bool fresh);
    const PictureImage& image() const { return image_; }
    // Shows what was drawn.
    void drawn();

    // Moves over the picture: buttons (1 left, 2 right, 4 middle) and the pixel.
    std::function<void(int buttons, QPointF at)> mouseMoved;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    PictureImage image_;
};

class FftChartTab : public QWidget {
    Q_OBJECT
public:
    FftChartTab(FftWindowController& controller, FftTab tab, QWidget* parent);
    ~FftChartTab() override;

    // Places the controls and the pictures for the page's size; `fresh` clears the pictures.
    void layOut(QSize pageSize, bool fresh);
    FftTab tab() const { return tab_; }
    // The buttons' states and the dual view option from the window's view.
    void showView(const FftWindowView& view);

    FftPicture* chart() const { return chart_; }
    QLabel* notActualLabel() const { return notActual_; }
    // Readout cells: the cursor's level and frequency (on the dual tab cursorVolts holds the
    // cursor's level) and the maximum's frequency.
    QLabel* cursorVoltsCell() const { return cursorVolts_; }
    QLabel* cursorFrequencyCell() const { return cursorFrequency_; }
    QLabel* maxFrequencyCell() const { return maxFrequency_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* copyButton() const { return copy_; }
    QPushButton* saveButton() const { return save_; }
    QLineEdit* titleBox() const { return title_; }
    // The options of the dual chart's view, by DualView (the dual tab only).
    const std::array<QRadioButton*, 3>& viewOptions() const { return views_; }

private:
    void buildCells();
    void buildDualOptions();
    void chartUpdated();

    FftWindowController& controller_;
    FftTab tab_;
    bool dual_;
    FftPicture* chart_ = nullptr;
    FftPicture* levelStrip_ = nullptr;
    FftPicture* frequencyStrip_ = nullptr;
    QLabel* notActual_ = nullptr;
    QLabel* dcLevel_ = nullptr;
    QLabel* maxVolts_ = nullptr;
    QLabel* maxDbv_ = nullptr;
    QLabel* maxFrequency_ = nullptr;
    QLabel* cursorVolts_ = nullptr;
    QLabel* cursorDbv_ = nullptr;
    QLabel* cursorFrequency_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* save_ = nullptr;
    QLineEdit* title_ = nullptr;
    std::array<QRadioButton*, 3> views_{};
};

}  // namespace ql::gui
