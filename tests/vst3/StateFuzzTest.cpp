// Thousands of random, cut and mutated state streams: restoring them must never crash, and
// what the instance holds and produces afterwards must stay finite and in range.
#include "PluginTestSupport.h"

#include <cmath>
#include <random>

namespace vevadur::test
{
namespace
{
using Bytes = std::vector<std::uint8_t>;

// The ranges of the room effect's controls, in state order (all 4-byte fields).
struct Range
{
    float low, high;
};
constexpr Range kRoomRanges[] = {{0, 1},  {0, 10}, {0, 1}, {0, 14}, {0, 1}, {0, 14}, {0, 1},
                                 {0, 14}, {0, 1},  {0, 1}, {0, 1},  {0, 8}, {0, 1}};

Bytes randomBytes(std::mt19937& random, size_t size)
{
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes bytes(size);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(byte(random));
    return bytes;
}

// A plausible stream with a few bytes changed: reaches far deeper than pure noise does.
Bytes mutated(std::mt19937& random, Bytes bytes)
{
    std::uniform_int_distribution<size_t> position(0, bytes.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> count(1, 6);
    for (int n = count(random); n > 0; --n)
        bytes[position(random)] = static_cast<std::uint8_t>(byte(random));
    return bytes;
}

void expectSaneRoomState(const Bytes& state)
{
    ASSERT_EQ(state.size(), 70u);
    for (size_t i = 0; i < std::size(kRoomRanges); ++i)
    {
        const size_t offset = 8 + 4 * i;
        // Floats, ints and unsigned ints alike must be inside the range.
        double value = 0;
        if (i == 1 || i == 9 || i == 10 || i == 12)
            value = stateValue<uint32>(state, offset);
        else if (i == 8)
            value = stateValue<int32>(state, offset);
        else
            value = stateValue<float>(state, offset);
        ASSERT_TRUE(value >= kRoomRanges[i].low && value <= kRoomRanges[i].high)
            << "control " << i << " holds " << value;
    }
    for (size_t offset : {62u, 66u})
    {
        const float axis = stateValue<float>(state, offset);
        ASSERT_TRUE(axis >= -1.0f && axis <= 1.0f) << axis;
    }
}

void expectFiniteParameters(PluginInstance& instance)
{
    for (const ParameterInfo& info : instance.parameters())
    {
        const double value = instance.controller().getParamNormalized(info.id);
        ASSERT_TRUE(value >= 0.0 && value <= 1.0) << info.id << ": " << value;
    }
}

void expectFinite(const Audio& audio)
{
    for (const auto& channel : audio.data)
        for (float s : channel)
            ASSERT_TRUE(std::isfinite(s));
}

// Feeds the instance `rounds` streams derived from its own valid state, then processes.
void fuzz(PluginInstance& instance, unsigned seed, int rounds, bool roomChecks)
{
    std::mt19937 random(seed);
    const Bytes valid = instance.saveState();
    ProcessBlock block(instance);
    Audio in(2, 32), out(2, 32);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    for (auto& channel : in.data)
        for (float& s : channel)
            s = sample(random);
    for (int round = 0; round < rounds; ++round)
    {
        Bytes stream;
        switch (round % 3)
        {
        case 0:
            stream = randomBytes(random, random() % 100);
            break;
        case 1:
            stream = Bytes(valid.begin(), valid.begin() + random() % (valid.size() + 1));
            break;
        default:
            stream = mutated(random, valid);
            break;
        }
        instance.loadState(stream);
        if (round % 16 == 0)
        {
            ASSERT_EQ(block.process(in.channels(), out.channels(), 32), kResultOk);
            expectFinite(out);
            expectFiniteParameters(instance);
            if (roomChecks) expectSaneRoomState(instance.saveState());
        }
    }
}
} // namespace

TEST(StateFuzz, RoomEffectSurvivesDamagedStreams)
{
    // Every restored control makes the room recompute its responses: fewer rounds here,
    // the probe below takes the bulk.
    auto instance = roomInstance();
    activate(*instance, 48000.0, 32);
    fuzz(*instance, 1234, 240, true);
}

TEST(StateFuzz, ProbeSurvivesDamagedStreams)
{
    auto instance = probeInstance();
    activate(*instance, 48000.0, 32);
    fuzz(*instance, 99, 6000, false);
}

} // namespace vevadur::test
