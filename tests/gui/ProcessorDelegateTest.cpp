// The processor is the editor's delegate: custom views and pad sub-controllers are built
// for its own effect and parameters.
// The processor's header renames the edit controller's state pair, so it comes first.
#include "vst3/Processor.h"

#include "DocumentFixture.h"

#include "gui/CTextEditZx.h"
#include "gui/CXYPadZx.h"

#include "vstgui/plugin-bindings/PadController.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using Steinberg::Vst::Veru2ZOR3::Processor;

namespace
{
CPlugIn* makeEffect()
{
    return new ViewTestEffect();
}
} // namespace

TEST(ProcessorDelegate, BuildsCustomViewsAndPadControllersForItsEffect)
{
    auto* processor = new Processor(&makeEffect);
    ASSERT_EQ(processor->initialize(nullptr), Steinberg::kResultOk);
    {
        DocumentFixture f;
        ASSERT_TRUE(f.open(R"(
          <view custom-view-name="UnitsEdit" origin="0, 0" size="80, 20" control-tag="Gain"/>
          <view custom-view-name="UnitsEdit" origin="0, 30" size="80, 20" control-tag="Far"/>
          <view class="CViewContainer" origin="0, 100" size="100, 100"
                sub-controller="VectorJoystick">
            <view custom-view-name="Joystick" origin="0, 0" size="100, 100"
                  round-rect-radius="10"/>
          </view>
        )",
                           processor));
        const auto found = f.views();
        ASSERT_EQ(found.size(), 2u);
        auto* edit = dynamic_cast<CTextEditZx*>(found[0]);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->getUnits(), "dB");
        auto* container = dynamic_cast<CViewContainer*>(found[1]);
        ASSERT_TRUE(container && container->getNbViews() == 1);
        auto* pad = dynamic_cast<CXYPadZx*>(container->getView(0));
        ASSERT_NE(pad, nullptr);
        EXPECT_NE(dynamic_cast<PadController*>(pad->getListener()), nullptr);
    }
    processor->terminate();
    processor->release();
}
