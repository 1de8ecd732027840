#pragma once
// The cursor window ("Cursor"): the voltages of both traces under Cursor I and Cursor II with
// their differences, dt and 1/dt, the "Ref" box and one scroll bar per cursor. A thin view
// over CursorWindowModel; the redraw chain repaints it after every screen redraw and every
// cursor move.

#include <QWidget>

#include "ModelWindow.h"
#include "app/CursorWindowModel.h"

class QCheckBox;
class QLabel;
class QScrollBar;

namespace ql::gui {

class CursorWindow : public QWidget, public ModelWindow<CursorWindowModel> {
    Q_OBJECT
public:
    CursorWindow(ProgramState& state, DisplayViews& views, Host& host, QWidget* parent = nullptr);

    QScrollBar* cursor1Bar() const { return cursor1Bar_; }
    // Cells by row (trace 1, trace 2) and column (at Cursor I, at Cursor II, difference).
    QLabel* valueCell(int trace, int column) const { return values_[trace][column]; }
    QLabel* timeCell() const { return time_; }

    void opened() override;
    void closed() override { model_.closed(); }
    std::optional<RedrawLink> chainLink() const override { return RedrawLink::CursorReadout; }
    void chainMember(ProgramState&) override { paintView(); }

private:
    void showView(const CursorWindowView& v) override;

    QCheckBox* refBox_ = nullptr;
    QLabel* trace1Heading_ = nullptr;
    QLabel* trace2Heading_ = nullptr;
    QLabel* values_[2][3] = {};
    QLabel* time_ = nullptr;
    QLabel* frequency_ = nullptr;
    QScrollBar* cursor1Bar_ = nullptr;
    QScrollBar* cursor2Bar_ = nullptr;
};

}  // namespace ql::gui
