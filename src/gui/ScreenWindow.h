#pragma once
// The screen window ("Signal"): the replica of the instrument screen with its status strip,
// the zero-mark strip and the scroll bar. The pictures are images the core's screen drawing
// paints through QtPaintDevice; this window keeps them the size of their places, shows them,
// and forwards resizes, window states and scroll bar moves to the core. It belongs to the
// program for its whole run: its frame has no close box and refuses to close.

#include <QImage>
#include <QWidget>
#include <memory>

#include "ToolWindowEntry.h"
#include "display/DisplayViews.h"
#include "state/ProgramState.h"

class QScrollBar;

namespace ql::gui {

class QtPaintDevice;

class ScreenWindow : public QWidget, public ToolWindowContent {
    Q_OBJECT
public:
    ScreenWindow(ProgramState& state, DisplayViews& views, QWidget* parent = nullptr);
    ~ScreenWindow() override;

    // The scope screen as last drawn (for the clipboard).
    QImage picture() const;
    QScrollBar* scrollBar() const { return scrollBar_; }

    // The screen is drawn by the core's screen drawing, which also runs the redraw chain.
    void refresh() override;
    bool mayClose() const override { return false; }
    // Told by the frame when the window is minimised, restored or maximised.
    void windowStateChanged(WindowState state) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Area {
        QImage image;
        std::unique_ptr<QtPaintDevice> device;
        QRect place;
    };
    void layOut();
    void makeArea(Area& area, const ViewArea& place);
    void viewUpdated();
    void scrolled(int value);
    void syncScrollBar();
    void paintView(QPainter& painter) const;

    ProgramState& state_;
    DisplayViews& views_;
    QScrollBar* scrollBar_ = nullptr;
    Area picture_, zeroMarkStrip_, statusStrip_;
};

}  // namespace ql::gui
