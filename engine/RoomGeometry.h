#pragma once

#include "engine/bank/ResponseBank.h"

#include <cstdint>

// The room's geometry and input layout, which both engines and the effect share.
//
// Each ear convolves three wall-pair components (indexed by ResponseBank::Component) with one
// 69632-sample response, in two stages:
//   head: response samples 0 .. 4095 in blocks of 128;
//   tail: response samples 4096 .. 69631 in blocks of 2048;
// both of 32 partitions. A stage's output lags its input by two of its blocks less one frame
// (255 and 4095); the tail's segment already starts 4096 samples late, so a 256-frame delay on
// the summed tails puts both stages in register, and the whole wet path lags by 255 frames.
namespace Engine
{
constexpr int kEars = 2;
constexpr int kComponents = 3;
// The engines' inputs: input e = ear * kComponents + component, the rotation weights applied.
constexpr int kInputs = kEars * kComponents;

constexpr int32_t kResponseLength = ResponseBank::kTableLength;
constexpr int32_t kHeadBlock = 128;
constexpr int32_t kTailBlock = 2048;
constexpr int32_t kSeam = 4096; // first response sample of the tail stage
constexpr int32_t kHeadSegment = kSeam;
constexpr int32_t kTailSegment = kResponseLength - kSeam;
constexpr int32_t kPartitions = 32;
constexpr int32_t kTailDelay = 256;
// Frames between an input sample and its first response sample at the output.
constexpr int32_t kLatencyFrames = 2 * kHeadBlock - 1;

static_assert(kHeadSegment == kPartitions * kHeadBlock, "the head stage covers the seam");
static_assert(kTailSegment == kPartitions * kTailBlock, "the tail stage covers the rest");
static_assert(2 * kTailBlock - 1 + kTailDelay == kSeam + kLatencyFrames,
              "the tail delay puts both stages in register");
} // namespace Engine
