#pragma once
// The zoom window ("Zoom-Window"): the part of the screen inside the zoom box, drawn by the
// core on this window's picture, which fills the window. A thin view over ZoomWindowModel. The
// window owns the picture's image (remade and redrawn on resize, and after every screen redraw
// while it is open); a paint event only shows it. A released zoom box opens it; closing it
// stops the redraws.

#include <QWidget>

#include "ModelWindow.h"
#include "PictureImage.h"
#include "app/PictureWindows.h"

namespace ql::gui {

// Smallest inner size of the zoom window, in pixels.
inline constexpr int kZoomMinimumWidth = 150;
inline constexpr int kZoomMinimumHeight = 100;

class ZoomWindow : public QWidget, public ModelWindow<ZoomWindowModel> {
    Q_OBJECT
public:
    ZoomWindow(ProgramState& state, DisplayViews& views, Host& host, QWidget* parent = nullptr);
    ~ZoomWindow() override;

    QImage picture() const { return picture_.image(); }

    // The released zoom box that opens the window has it drawn.
    void opened() override { model_.opened(); }
    void closed() override { model_.closed(); }
    void windowStateChanged(WindowState state) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showView(const ZoomWindowView&) override {}

    DisplayViews& views_;
    PictureImage picture_;
};

}  // namespace ql::gui
