// Units, the factory program list, program change and MIDI-controller mapping.
#include "PluginTestSupport.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"

namespace vevadur::test
{

TEST(Units, RootUnitWithThePresetsUnitBeneathIt)
{
    auto instance = roomInstance();
    auto units = instance->query<IUnitInfo>();
    ASSERT_TRUE(units);
    ASSERT_EQ(units->getUnitCount(), 2);
    UnitInfo root{};
    ASSERT_EQ(units->getUnitInfo(0, root), kResultOk);
    EXPECT_EQ(root.id, kRootUnitId);
    EXPECT_EQ(root.parentUnitId, kNoParentUnitId);
    EXPECT_EQ(root.programListId, kNoProgramListId);
    EXPECT_EQ(utf8(root.name), "RootUnit");
    UnitInfo presets{};
    ASSERT_EQ(units->getUnitInfo(1, presets), kResultOk);
    EXPECT_EQ(presets.id, 1);
    EXPECT_EQ(presets.parentUnitId, kRootUnitId);
    EXPECT_EQ(presets.programListId, static_cast<ProgramListID>(kFactoryPresets));
    EXPECT_EQ(utf8(presets.name), "PresetsUnit");
    EXPECT_NE(units->getUnitInfo(2, presets), kResultOk);
    EXPECT_NE(units->getUnitInfo(-1, presets), kResultOk);

    EXPECT_EQ(units->selectUnit(1), kResultOk);
    EXPECT_EQ(units->getSelectedUnit(), 1);
}

TEST(Units, FactoryProgramList)
{
    auto instance = roomInstance();
    auto units = instance->query<IUnitInfo>();
    ASSERT_EQ(units->getProgramListCount(), 1);
    ProgramListInfo list{};
    ASSERT_EQ(units->getProgramListInfo(0, list), kResultOk);
    EXPECT_EQ(list.id, static_cast<ProgramListID>(kFactoryPresets));
    EXPECT_EQ(utf8(list.name), "Presets");
    EXPECT_EQ(list.programCount, 1);
    EXPECT_NE(units->getProgramListInfo(1, list), kResultOk);

    String128 name{};
    ASSERT_EQ(units->getProgramName(kFactoryPresets, 0, name), kResultOk);
    EXPECT_EQ(utf8(name), "Factory Preset");
    EXPECT_NE(units->getProgramName(kFactoryPresets, 1, name), kResultOk);
    EXPECT_NE(units->getProgramName(kFactoryPresets, -1, name), kResultOk);
    EXPECT_NE(units->getProgramName(42, 0, name), kResultOk);
    EXPECT_NE(units->getProgramInfo(kFactoryPresets, 0, "name", name), kResultOk);
    EXPECT_NE(units->hasProgramPitchNames(kFactoryPresets, 0), kResultOk);
}

TEST(Units, EffectWithoutPresetsHasNoProgramList)
{
    auto instance = probeInstrument();
    auto units = instance->query<IUnitInfo>();
    EXPECT_EQ(units->getUnitCount(), 1);
    EXPECT_EQ(units->getProgramListCount(), 0);
    EXPECT_FALSE(instance->findParameter("Factory Presets"));
    // Its three button labels are empty: no button parameters either.
    for (const ParameterInfo& info : instance->parameters())
        EXPECT_TRUE(info.id < 0x8000 || info.id > 0x8002) << info.id;
}

TEST(Units, ProgramChangeAppliesThePresetEverywhere)
{
    auto instance = probeInstance();
    activate(*instance);
    // Two programs: "Init" and "Bright"; "Bright" turns the level to 0.25.
    auto units = instance->query<IUnitInfo>();
    ProgramListInfo list{};
    ASSERT_EQ(units->getProgramListInfo(0, list), kResultOk);
    EXPECT_EQ(list.programCount, 2);
    ASSERT_EQ(instance->controller().setParamNormalized(kFactoryPresets, 1.0), kResultOk);

    EXPECT_DOUBLE_EQ(instance->controller().getParamNormalized(kLevel), 0.25);
    EXPECT_DOUBLE_EQ(instance->controller().getParamNormalized(kSwitch), 1.0);
    // The host set the program itself: no restart request re-enters it from inside its call.
    EXPECT_EQ(instance->handler().restartCount(), 0);
    // Joystick corners (0.5, 0.5) rotate into the axis positions (0, 1 / 1.41421356 / 1.414).
    EXPECT_DOUBLE_EQ(instance->controller().getParamNormalized(kJoystickX), 0.5);
    EXPECT_NEAR(instance->controller().getParamNormalized(kJoystickY),
                1.0 / 1.41421356 / 1.414 * 0.5 + 0.5, 1e-7);

    // The effect itself follows: its output level is a quarter now.
    ProcessBlock block(*instance);
    Audio in(2, 8, 1.0f), out(2, 8);
    block.process(in.channels(), out.channels(), 8);
    EXPECT_FLOAT_EQ(out[0][3], 0.25f);
    EXPECT_FLOAT_EQ(out[1][3], 0.25f);
    // and that block tells the host the program's values.
    ParamValue reported = -1.0;
    EXPECT_TRUE(block.lastOutputValue(kLevel, reported));
    EXPECT_DOUBLE_EQ(reported, 0.25);
    EXPECT_TRUE(block.lastOutputValue(kJoystickY, reported));
    block.process(in.channels(), out.channels(), 8);
    EXPECT_FALSE(block.lastOutputValue(kLevel, reported)) << "reported once";
}

TEST(MidiMapping, ControllersMapToTheMidiParameters)
{
    auto instance = roomInstance();
    auto mapping = instance->query<IMidiMapping>();
    ASSERT_TRUE(mapping);
    const std::pair<CtrlNumber, ParamID> fixed[] = {
        {kCtrlModWheel, 2049},   {kCtrlVolume, 2050},       {kCtrlPan, 2051},
        {kCtrlExpression, 2052}, {kCtrlSustainOnOff, 2053}, {kCtrlAllNotesOff, 2055},
        {kAfterTouch, 2054},     {kPitchBend, 2048}};
    for (const auto& [controller, expected] : fixed)
    {
        ParamID id = 0;
        for (int16 channel : {0, 9})
        {
            EXPECT_EQ(mapping->getMidiControllerAssignment(0, channel, controller, id), kResultOk);
            EXPECT_EQ(id, expected) << "controller " << controller;
        }
    }
    ParamID id = 77;
    EXPECT_NE(mapping->getMidiControllerAssignment(1, 0, kCtrlSustainOnOff, id), kResultOk);
    EXPECT_NE(mapping->getMidiControllerAssignment(0, 0, 20, id), kResultOk);
    EXPECT_EQ(id, 0u);
}

TEST(MidiMapping, LastControlListeningToAControllerWins)
{
    auto instance = probeInstance();
    ParamID id = 0;
    ASSERT_EQ(instance->query<IMidiMapping>()->getMidiControllerAssignment(0, 3, 20, id),
              kResultOk);
    EXPECT_EQ(id, static_cast<ParamID>(kLearnToo));
}

} // namespace vevadur::test
