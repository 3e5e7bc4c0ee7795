// The state through lilv as hosts save and restore it, the property's bytes against the VST3
// state of the same settings, and properties a host or a damaged project may hand back.
#include "Lv2TestHost.h"
#include "Vst3Room.h"

#include <gtest/gtest.h>

#include <lv2/atom/atom.h>

#include <cstdlib>
#include <cstring>
#include <random>

using namespace lv2test;

namespace
{
constexpr double kRate = 44100.0;
constexpr const char* kStateKey = "urn:rovazuro:vevadurrot#state";

std::vector<float> noise(size_t frames, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> sample(-0.5f, 0.5f);
    std::vector<float> v(frames);
    for (float& x : v)
        x = sample(random);
    return v;
}

void moveControls(Lv2Room& room)
{
    room.set("gain", 0.3f);
    room.set("position", 9.0f);
    room.set("abs_c_f", 2.5f);
    room.set("vol_l_r", 0.25f);
    room.set("stereo_mono", 1.0f);
    room.set("left_right", 1.0f);
    room.set("speed", 2.0f);
}

// What the plug-in's save stores, caught as a host's store function sees it.
struct Property
{
    LV2_URID key = 0;
    std::vector<char> bytes;
    LV2_URID type = 0;
    uint32_t flags = 0;
};

LV2_State_Status storeProperty(LV2_State_Handle handle, uint32_t key, const void* value,
                               size_t size, uint32_t type, uint32_t flags)
{
    auto* p = static_cast<Property*>(handle);
    p->key = key;
    p->bytes.assign(static_cast<const char*>(value), static_cast<const char*>(value) + size);
    p->type = type;
    p->flags = flags;
    return LV2_STATE_SUCCESS;
}

const void* retrieveProperty(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                             uint32_t* flags)
{
    auto* p = static_cast<Property*>(handle);
    if (key != p->key || (p->bytes.empty() && p->type == 0)) return nullptr;
    *size = p->bytes.size();
    *type = p->type;
    *flags = p->flags;
    return p->bytes.data();
}

Property saveProperty(Lv2Room& room)
{
    Property p;
    EXPECT_EQ(
        room.stateInterface()->save(room.instance()->lv2_handle, storeProperty, &p, 0, nullptr),
        LV2_STATE_SUCCESS);
    return p;
}

LV2_State_Status restoreProperty(Lv2Room& room, Property& p)
{
    return room.stateInterface()->restore(room.instance()->lv2_handle, retrieveProperty, &p, 0,
                                          nullptr);
}
} // namespace

TEST(Lv2State, SavedThroughLilvAndRestoredIntoAFreshInstanceGivesTheSamePortsAndSound)
{
    Lv2World world;
    Lv2Room original(world, kRate, 256);
    ASSERT_TRUE(original.ok());
    moveControls(original);
    std::vector<float> l, r;
    original.render(noise(4410, 1), noise(4410, 2), l, r, 256);

    // Saved as a host saves it into a project: through text, and back.
    LilvState* saved = original.saveState();
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(lilv_state_get_num_properties(saved), 1u);
    char* text =
        lilv_state_to_string(world.world(), world.urids().mapFeature(),
                             world.urids().unmapFeature(), saved, "urn:test:state", nullptr);
    ASSERT_NE(text, nullptr);
    LilvState* loaded = lilv_state_new_from_string(world.world(), world.urids().mapFeature(), text);
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(lilv_state_equals(saved, loaded));

    Lv2Room restored(world, kRate, 256);
    ASSERT_TRUE(restored.ok());
    restored.restoreState(loaded);
    EXPECT_EQ(restored.controls(), original.controls());

    // Sound from here on: bit for bit what a fresh instance with those values plays.
    Lv2Room direct(world, kRate, 256);
    ASSERT_TRUE(direct.ok());
    moveControls(direct);
    const auto inL = noise(22050, 3), inR = noise(22050, 4);
    std::vector<float> aL, aR, bL, bR;
    restored.render(inL, inR, aL, aR, 256);
    direct.render(inL, inR, bL, bR, 256);
    EXPECT_EQ(aL, bL);
    EXPECT_EQ(aR, bR);
    // And the state it gives back is the one it was given.
    EXPECT_EQ(saveProperty(restored).bytes, saveProperty(original).bytes);

    lilv_free(text);
    lilv_state_free(loaded);
    lilv_state_free(saved);
}

TEST(Lv2State, ThePropertyIsTheVst3StateStreamBothWays)
{
    Lv2World world;
    Lv2Room room(world, kRate, 256);
    ASSERT_TRUE(room.ok());
    moveControls(room);
    room.run(256);
    const Property property = saveProperty(room);
    EXPECT_STREQ(world.urids().unmap(property.key), kStateKey);
    EXPECT_STREQ(world.urids().unmap(property.type), LV2_ATOM__Chunk);
    EXPECT_TRUE(property.flags & LV2_STATE_IS_POD);
    EXPECT_TRUE(property.flags & LV2_STATE_IS_PORTABLE);

    Vst3Room vst3(kRate, 256);
    ASSERT_TRUE(vst3.ok());
    for (const auto& [title, value] :
         std::vector<std::pair<const char*, double>>{{"Gain", 0.3},
                                                     {"Position", 9},
                                                     {"Abs C-F", 2.5},
                                                     {"Vol L-R", 0.25},
                                                     {"Stereo/Mono", 1},
                                                     {"Left/Right", 1},
                                                     {"Speed", 2.0}})
        vst3.set(title, value);
    const std::vector<uint8_t> stream = vst3.state();
    ASSERT_EQ(stream.size(), 70u);
    EXPECT_EQ(std::vector<char>(stream.begin(), stream.end()), property.bytes);

    // A VST3 project's state loads into the LV2 plug-in, and the host reads it back.
    Lv2Room fresh(world, kRate, 256);
    Property fromVst3 = property;
    fromVst3.bytes.assign(stream.begin(), stream.end());
    ASSERT_EQ(restoreProperty(fresh, fromVst3), LV2_STATE_SUCCESS);
    EXPECT_EQ(saveProperty(fresh).bytes, property.bytes);
}

TEST(Lv2BadInput, APropertyOfTheWrongTypeOrSizeIsRefusedAndTheStateStays)
{
    Lv2World world;
    Lv2Room room(world, kRate, 256);
    ASSERT_TRUE(room.ok());
    moveControls(room);
    room.run(256);
    const Property good = saveProperty(room);
    ASSERT_EQ(good.bytes.size(), 70u);

    Property wrongType = good;
    wrongType.type = world.urids().map(LV2_ATOM__String);
    EXPECT_EQ(restoreProperty(room, wrongType), LV2_STATE_ERR_BAD_TYPE);
    EXPECT_EQ(saveProperty(room).bytes, good.bytes);

    // Another layout's stream, a cut one, an empty one: all refused.
    Property other = good;
    other.bytes.assign(70, 0);
    other.bytes[0] = 1;
    for (size_t size : {0u, 8u, 62u, 69u, 71u, 4096u})
    {
        Property sized = good;
        sized.bytes.resize(size, 0x7F);
        if (size == 0) sized.type = good.type;
        EXPECT_NE(restoreProperty(room, sized), LV2_STATE_SUCCESS) << size;
        EXPECT_EQ(saveProperty(room).bytes, good.bytes) << size;
    }

    // No property at all (a project saved without it).
    Property none;
    none.key = good.key;
    EXPECT_EQ(restoreProperty(room, none), LV2_STATE_ERR_NO_PROPERTY);
    EXPECT_EQ(saveProperty(room).bytes, good.bytes);

    // The right size with wild contents: applied within the controls' ranges, sound stays finite.
    Property wild = good;
    std::mt19937 random(17);
    for (char& c : wild.bytes)
        c = static_cast<char>(random());
    std::memset(wild.bytes.data() + 8, 0xFF, 4); // a NaN gain
    EXPECT_EQ(restoreProperty(room, wild), LV2_STATE_SUCCESS);
    std::vector<float> l, r;
    room.render(noise(8192, 5), noise(8192, 6), l, r, 256);
    for (size_t i = 0; i < l.size(); ++i)
        ASSERT_TRUE(std::isfinite(l[i]) && std::isfinite(r[i])) << i;
}
