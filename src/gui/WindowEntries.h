#pragma once
// The two kinds of registry row: a window inside the main window's area (a frame around the
// window's class, placed from the window layout), and a dialog of its own (the port set-up).
// Both connect the window's member of the redraw chain while it is open.

#include <QDialog>
#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>

#include "ToolWindowEntry.h"
#include "state/ToolWindow.h"

class QMdiArea;

namespace ql::gui {

// The frame's title bar: a tool window has a close box, the screen window has none.
enum class FrameButtons { CloseBox, MinMaxOnly };

class MdiWindowEntry : public QObject, public ToolWindowEntry {
public:
    // `window` is a QWidget that implements ToolWindowContent; the entry owns it.
    template <class W>
    MdiWindowEntry(ToolWindow id, W* window, QMdiArea& area, ProgramState& state,
                   RedrawChain& chain, FrameButtons buttons = FrameButtons::CloseBox)
        : MdiWindowEntry(id, window, *window, area, state, chain, buttons)
    {
    }
    ~MdiWindowEntry() override;

    void open() override;
    void close() override;
    bool isOpen() const override;
    void refresh() override;
    void setWindowState(WindowState state) override;
    WindowPlacement placement() const override;
    QWidget& widget() const override { return *widget_; }
    QWidget* areaFrame() const override { return frame_; }

    QMdiSubWindow& frame() const { return *frame_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MdiWindowEntry(ToolWindow id, QWidget* widget, ToolWindowContent& content, QMdiArea& area,
                   ProgramState& state, RedrawChain& chain, FrameButtons buttons);

    ToolWindow id_;
    QPointer<QWidget> widget_;
    ToolWindowContent& content_;
    QPointer<QMdiSubWindow> frame_;
    ProgramState& state_;
    RedrawChain& chain_;
};

class DialogEntry : public QObject, public ToolWindowEntry {
public:
    // `dialog` is a QDialog that implements ToolWindowContent; the entry owns it. A modal
    // dialog blocks the main window while it is open.
    template <class D>
    DialogEntry(ToolWindow id, D* dialog, ProgramState& state, RedrawChain& chain, bool modal)
        : DialogEntry(id, dialog, *dialog, state, chain, modal)
    {
    }
    ~DialogEntry() override;

    void open() override;
    void close() override;
    bool isOpen() const override;
    void refresh() override;
    void setWindowState(WindowState state) override;
    WindowPlacement placement() const override;
    QWidget& widget() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DialogEntry(ToolWindow id, QDialog* dialog, ToolWindowContent& content, ProgramState& state,
                RedrawChain& chain, bool modal);

    ToolWindow id_;
    QPointer<QDialog> dialog_;
    ToolWindowContent& content_;
    ProgramState& state_;
    RedrawChain& chain_;
    bool modal_;
};

}  // namespace ql::gui
