#pragma once
// The XY view ("XY-Display"): CH I against CH II drawn by the screen redraw on this window's
// picture, with the label of scales, couplings and sample rate below it. The window owns the
// picture's image (remade on resize, redrawn then); a paint event only shows it. The first
// redraw after XY display is switched on opens the window; closing it switches XY display off.
// A double click on the figure switches between lines and dots.

#include <QWidget>

#include "PictureImage.h"
#include "ToolWindowEntry.h"
#include "state/Host.h"

class QLabel;

namespace ql::gui {

class XyWindow : public QWidget, public ToolWindowContent {
    Q_OBJECT
public:
    XyWindow(ProgramState& state, DisplayViews& views, Host& host, QWidget* parent = nullptr);
    ~XyWindow() override;

    // The figure as last drawn.
    QImage picture() const { return picture_.image(); }
    QRect picturePlace() const { return picture_.place(); }
    QLabel* label() const { return label_; }

    void refresh() override;
    void closed() override;
    void windowStateChanged(WindowState state) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void layOut();
    void viewUpdated();
    void openWhenDrawn();

    ProgramState& state_;
    DisplayViews& views_;
    Host& host_;
    PictureImage picture_;
    QLabel* label_ = nullptr;
    bool openPending_ = false;
};

}  // namespace ql::gui
