#pragma once
// The automatic-measurement window ("Automeasurement"): Vp+, Vp-, Vpp, Vav, frequency and
// period of CH I and CH II. A thin view over MeasurementWindowModel: the redraw chain measures
// after every screen redraw; a click on a value (or Space on it) puts the cursors on the
// samples it was measured from.

#include <QWidget>

#include "ModelWindow.h"
#include "app/MeasurementWindowModel.h"

namespace ql::gui {

class MeasurementWindow : public QWidget, public ModelWindow<MeasurementWindowModel> {
    Q_OBJECT
public:
    MeasurementWindow(ProgramState& state, DisplayViews& views, Host& host,
                      QWidget* parent = nullptr);

    // The value cell of CH I (channel 1) or CH II (2) in a row.
    QWidget* valueCell(int channel, MeasureRow row) const;

    void opened() override
    {
        model_.opened();
        applyView();
    }
    void closed() override { model_.closed(); }
    std::optional<RedrawLink> chainLink() const override { return RedrawLink::AutoMeasure; }
    void chainMember(ProgramState&) override { applyView(); }

private:
    void showView(const MeasurementWindowView& v) override;

    QWidget* cells_[2][kMeasureRowCount] = {};
};

}  // namespace ql::gui
