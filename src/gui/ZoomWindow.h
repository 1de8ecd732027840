#pragma once
// The zoom window ("Zoom-Window"): the part of the screen inside the zoom box, drawn by the
// core on this window's picture, which fills the window. The window owns the picture's image
// (remade and redrawn on resize, and after every screen redraw while it is open); a paint
// event only shows it. A released zoom box opens it; closing it stops the redraws.

#include <QWidget>

#include "PictureImage.h"
#include "ToolWindowEntry.h"

namespace ql::gui {

// Smallest inner size of the zoom window, in pixels.
inline constexpr int kZoomMinimumWidth = 150;
inline constexpr int kZoomMinimumHeight = 100;

class ZoomWindow : public QWidget, public ToolWindowContent {
    Q_OBJECT
public:
    ZoomWindow(ProgramState& state, DisplayViews& views, QWidget* parent = nullptr);
    ~ZoomWindow() override;

    QImage picture() const { return picture_.image(); }

    void refresh() override;
    void opened() override;
    void closed() override;
    void windowStateChanged(WindowState state) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ProgramState& state_;
    DisplayViews& views_;
    PictureImage picture_;
};

}  // namespace ql::gui
