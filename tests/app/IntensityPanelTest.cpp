// The rules of the "Intens" panel: the time base B bar hidden by the model keeps its value,
// which still travels with "Set"; the bars stay within 0..255.
#include <gtest/gtest.h>

#include "OperationsRig.h"
#include "app/IntensityPanelModel.h"

using namespace ql;
using namespace ql::testing;
using scopesim::MainField;

TEST(IntensityPanel, TheHiddenTimebaseBBarKeepsItsValueAndItStillReachesTheInstrument)
{
    struct Case {
        byte analogModel;
        bool unitDigimodea;
        bool shown;
    };
    for (const Case& c : {Case{0, false, true}, Case{1, false, false}, Case{0, true, false}}) {
        OperationsRig t;
        t.ops.read();
        t.state.identity.analogModel = c.analogModel;
        t.state.caps.unitDigimodea = c.unitDigimodea;
        IntensityPanelModel panel(t.state);
        t.state.ddf.tbBIntensity = 77;
        const IntensityPanelView v = panel.view();
        EXPECT_EQ(v.timebaseBShown, c.shown) << int(c.analogModel) << c.unitDigimodea;
        EXPECT_EQ(v.timebaseB.value, 77);
        EXPECT_EQ(v.timebaseB.valueText, "77");
        EXPECT_EQ(t.state.ddf.tbBIntensity, 77);

        panel.timebaseAMoved(25);
        t.ops.set();
        const auto& main = t.sim.instrument().mainBlock();
        EXPECT_EQ(main.get(MainField::TbBIntensity), 77) << int(c.analogModel) << c.unitDigimodea;
        EXPECT_EQ(main.get(MainField::TbAIntensity), 25);
    }
}

TEST(IntensityPanel, BarsStayWithinTheirRange)
{
    ProgramState s;
    IntensityPanelModel panel(s);
    EXPECT_TRUE(panel.readoutMoved(255).refresh.empty());
    EXPECT_EQ(panel.view().readout.valueText, "255");
    panel.timebaseAMoved(300);
    panel.timebaseBMoved(-4);
    EXPECT_EQ(s.ddf.tbAIntensity, 255);
    EXPECT_EQ(s.ddf.tbBIntensity, 0);
    EXPECT_EQ(s.screen.screenDirty, 0);  // the screen does not show intensities
}
