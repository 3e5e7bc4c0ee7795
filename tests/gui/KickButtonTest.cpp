// Kick-button modes: which of press and release reach the listener, always inside one edit.
#include "ControlFixture.h"

#include "gui/CKickButtonZx.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace
{
struct ModeCase
{
    int32_t mode;
    std::vector<std::string> events;
    std::vector<float> values;
};

class KickButtonModes : public testing::TestWithParam<ModeCase>
{
};
} // namespace

TEST_P(KickButtonModes, NotifyPressReleaseOrBoth)
{
    const ModeCase& c = GetParam();
    auto* button = new CKickButtonZx(CRect(10, 10, 40, 30), nullptr, 5, nullptr);
    ControlFixture fixture(button);
    button->setMode(c.mode);

    fixture.press(CPoint(20, 20));
    EXPECT_EQ(button->getValue(), 1.f);
    fixture.release(CPoint(20, 20));
    EXPECT_EQ(button->getValue(), button->getMin());
    EXPECT_FALSE(button->isEditing());
    EXPECT_EQ(fixture.listener.events, c.events);
    EXPECT_EQ(fixture.listener.values, c.values);
}

INSTANTIATE_TEST_SUITE_P(
    AllModes, KickButtonModes,
    testing::Values(
        ModeCase{CKickButtonZx::kDownUp, {"begin", "change", "change", "end"}, {1.f, 0.f}},
        ModeCase{CKickButtonZx::kUp, {"begin", "change", "end"}, {0.f}},
        ModeCase{CKickButtonZx::kDown, {"begin", "change", "end"}, {1.f}}));

TEST(KickButton, StartsInDownUpModeAndIgnoresOtherButtons)
{
    auto* button = new CKickButtonZx(CRect(10, 10, 40, 30), nullptr, 5, nullptr);
    ControlFixture fixture(button);
    EXPECT_EQ(button->getMode(), CKickButtonZx::kDownUp);

    fixture.press(CPoint(20, 20), kRButton);
    EXPECT_TRUE(fixture.listener.events.empty());
    EXPECT_EQ(button->getValue(), 0.f);
}

TEST(KickButton, ReleasedOffTheButtonStillReportsTheRelease)
{
    auto* button = new CKickButtonZx(CRect(10, 10, 40, 30), nullptr, 5, nullptr);
    ControlFixture fixture(button);
    button->setMode(CKickButtonZx::kUp);

    fixture.press(CPoint(20, 20));
    fixture.move(CPoint(100, 100));
    EXPECT_EQ(button->getValue(), button->getMin());
    fixture.release(CPoint(100, 100));
    EXPECT_EQ(fixture.listener.events, (std::vector<std::string>{"begin", "change", "end"}));
}
