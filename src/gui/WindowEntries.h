#pragma once
// The two kinds of registry row: a window inside the main window's area (a frame around the
// window's class, placed from the window layout, which keeps its place again when it closes,
// and which hands the focus on before it hides, however it is closed), and a dialog of its own
// (the port set-up). The frame is where the focus waits while a control of the window is
// switched off (FocusPark).
// Both connect the window's member of the redraw chain while it is open; the first tells its
// window of the frame's activation, moves and resizes (ToolWindowContent). A row makes its
// window the first time it is needed (opened, or asked for its class), so that a window the
// user never opens costs nothing at start.

#include <QDialog>
#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>
#include <functional>
#include <utility>

#include "ToolWindowEntry.h"
#include "state/ToolWindow.h"

class QMdiArea;

namespace ql::gui {

// The frame's title bar: a tool window has a close box, the screen window has none.
enum class FrameButtons { CloseBox, MinMaxOnly };

// Hands the focus to another window when window `closing`, which has it, is about to close.
using FocusLeaving = std::function<void(ToolWindow closing)>;

// A window's class as a row makes it: the widget and what it tells the registry.
struct MadeWindow {
    QWidget* widget = nullptr;
    ToolWindowContent* content = nullptr;
};
using WindowMaker = std::function<MadeWindow()>;

// `make` returns a new QWidget (or QDialog) that implements ToolWindowContent.
template <class Make>
WindowMaker windowMaker(Make make)
{
    return [make = std::move(make)]() mutable {
        auto* window = make();
        return MadeWindow{window, window};
    };
}

class MdiWindowEntry : public QObject, public ToolWindowEntry {
public:
    // The entry owns the window `make` returns.
    MdiWindowEntry(ToolWindow id, WindowMaker make, QMdiArea& area, ProgramState& state,
                   RedrawChain& chain, FocusLeaving leaving,
                   FrameButtons buttons = FrameButtons::CloseBox);
    ~MdiWindowEntry() override;

    void open() override;
    void close() override;
    bool isOpen() const override;
    void refresh() override;
    void setWindowState(WindowState state) override;
    WindowPlacement placement() const override;
    QWidget& widget() const override;
    QWidget* areaFrame() const override { return frame_; }

    QMdiSubWindow& frame() const;
    bool isMade() const override { return content_ != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void make() const;
    // Whether the focus is on the frame or a control inside it.
    bool holdsFocus() const;

    ToolWindow id_;
    mutable WindowMaker make_;
    QMdiArea& area_;
    FocusLeaving leaving_;
    FrameButtons buttons_;
    mutable QPointer<QWidget> widget_;
    mutable ToolWindowContent* content_ = nullptr;
    mutable QPointer<QMdiSubWindow> frame_;
    ProgramState& state_;
    RedrawChain& chain_;
};

class DialogEntry : public QObject, public ToolWindowEntry {
public:
    // The entry owns the QDialog `make` returns. A modal dialog blocks the main window while
    // it is open.
    DialogEntry(ToolWindow id, WindowMaker make, ProgramState& state, RedrawChain& chain,
                bool modal);
    ~DialogEntry() override;

    void open() override;
    void close() override;
    bool isOpen() const override;
    bool isMade() const override { return content_ != nullptr; }
    void refresh() override;
    void setWindowState(WindowState state) override;
    WindowPlacement placement() const override;
    QWidget& widget() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void make() const;

    ToolWindow id_;
    mutable WindowMaker make_;
    mutable QPointer<QDialog> dialog_;
    mutable ToolWindowContent* content_ = nullptr;
    ProgramState& state_;
    RedrawChain& chain_;
    bool modal_;
};

}  // namespace ql::gui
