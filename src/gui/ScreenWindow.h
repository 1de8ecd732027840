#pragma once
// The screen window ("Signal"): the replica of the instrument screen with its status strip,
// the zero-mark strip and the scroll bar. The pictures are images the core's screen drawing
// paints through QtPaintDevice; this window keeps them the size of their places, shows them,
// and forwards resizes, window states, scroll bar moves and the mouse over the picture (left
// button 1, right 2; a release comes as a move without that button) to the core. The zoom box
// being dragged is an outline painted over the picture, never into it. It belongs to the
// program for its whole run: its frame has no close box and refuses to close.

#include <QImage>
#include <QWidget>

#include "PictureImage.h"
#include "ToolWindowEntry.h"
#include "UserChanges.h"
#include "display/DisplayViews.h"
#include "state/Host.h"
#include "state/ProgramState.h"

class QScrollBar;

namespace ql::gui {

class ScreenWindow : public QWidget, public ToolWindowContent {
    Q_OBJECT
public:
    ScreenWindow(ProgramState& state, DisplayViews& views, Host& host, QWidget* parent = nullptr);
    ~ScreenWindow() override;

    // The scope screen as last drawn (for the clipboard).
    QImage picture() const;
    // Where the picture stands in the window, in pixels.
    QRect picturePlace() const { return picture_.place(); }
    QScrollBar* scrollBar() const { return scrollBar_; }

    // The screen is drawn by the core's screen drawing, which also runs the redraw chain.
    void refresh() override;
    bool mayClose() const override { return false; }
    // Told by the frame when the window is minimised, restored or maximised.
    void windowStateChanged(WindowState state) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void layOut();
    void viewUpdated();
    void scrolled(int value);
    void syncScrollBar();
    void paintView(QPainter& painter) const;
    void paintZoomOutline(QPainter& painter) const;
    void mouseMoved(QMouseEvent* event);

    ProgramState& state_;
    DisplayViews& views_;
    Host& host_;
    UserChanges changes_{this};
    QScrollBar* scrollBar_ = nullptr;
    PictureImage picture_, zeroMarkStrip_, statusStrip_;
    // The mouse went down over the picture: its moves and its release belong to the picture
    // wherever they happen.
    bool pressedOverPicture_ = false;
    Qt::CursorShape picturePointer_ = Qt::CrossCursor;
};

}  // namespace ql::gui
