#pragma once
// The XY view ("XY-Display"): CH I against CH II drawn by the screen redraw on this window's
// picture, with the label of scales, couplings and sample rate below it. A thin view over
// XyWindowModel. The window owns the picture's image (remade on resize, redrawn then); a paint
// event only shows it. The first redraw after XY display is switched on opens the window;
// closing it switches XY display off. A double click on the figure switches between lines and
// dots.

#include <QWidget>

#include "ModelWindow.h"
#include "PictureImage.h"
#include "app/PictureWindows.h"

class QLabel;

namespace ql::gui {

class XyWindow : public QWidget, public ModelWindow<XyWindowModel> {
    Q_OBJECT
public:
    XyWindow(ProgramState& state, DisplayViews& views, Host& host, QWidget* parent = nullptr);
    ~XyWindow() override;

    // The figure as last drawn.
    QImage picture() const { return picture_.image(); }
    QRect picturePlace() const { return picture_.place(); }
    QLabel* label() const { return label_; }

    // The redraw that opens the window has drawn the figure: it shows it as drawn.
    void opened() override { paintView(); }
    void closed() override { carryOut(host(), model_.closed()); }
    void windowStateChanged(WindowState state) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void layOut();
    void showView(const XyWindowView& v) override;
    void viewUpdated();

    DisplayViews& views_;
    PictureImage picture_;
    QLabel* label_ = nullptr;
    bool openPending_ = false;
};

}  // namespace ql::gui
