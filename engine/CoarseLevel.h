#pragma once

#include "engine/ComponentResponse.h"
#include "engine/PairedTransform.h"
#include "engine/PartitionRows.h"
#include "engine/RoomGeometry.h"
#include "engine/SpectralKernels.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Engine
{
// The later partitions of a RoomStage, convolved in blocks four times the stage's while their
// response holds still: a product per bin now covers four times the response, so the
// multiply-accumulate per output sample falls by about that much for these partitions.
//
// With stage blocks of B frames, coarse blocks of 4B start on every fourth stage block and
// coarse partition q covers the stage's partitions 6 + 4q .. 9 + 4q (what lies past the stage's
// segment counts as zero). Starting at partition 6 puts the coarse level, with its own output two
// of its blocks less one frame after its input, exactly in register with the stage.
//
// The stage alone defines the output: its partitions follow every response change partition by
// partition, as the reference does. The coarse level takes over a component's share only for
// coarse blocks that begin while that component is settled (every stage partition of it holds
// the response in force). It then uses a snapshot: its own spectra of that response, and the
// stage's spectra of partitions 6 and on as they were (negated). The stage leaves out its
// products that the coarse level computes, except for partitions it has rewritten since the
// snapshot (a response changed meanwhile): those it adds with the snapshot's negated spectrum
// as well, which brings exactly the difference. A new snapshot waits until no product that
// uses the old one is still to be summed.
//
// Work happens at the stage's block boundaries, spread over the four stage blocks of a coarse
// block: the inverse transform and the decisions (with at most one snapshot), the input
// transforms, two components' products, the third's. Coarse blocks go in pairs, as the stage's
// blocks do: an even block decides for both, and its pass over the rows also sums the odd
// block's products of every partition but the first (whose input arrives later), so each row
// comes from memory once per pair. Nothing allocates after construction.
class CoarseLevel
{
  public:
    static constexpr int32_t kRatio = 4;
    static constexpr int32_t kFirstPartition = 2 * kRatio - 2;

    CoarseLevel(const ComponentResponse* responses, int32_t stageBlock, int32_t stagePartitions,
                int32_t segmentStart, EarsKernel ears, EarKernel ear);
    CoarseLevel(const CoarseLevel&) = delete;
    CoarseLevel& operator=(const CoarseLevel&) = delete;

    // Stage block `block` (counted from the last restart) has ended with these input blocks.
    void takeInputBlock(int64_t block, const double* const* inputs);
    // Stage block `block` begins. settled[c]: component c is settled. stageResponses: the
    // stage's response rows, [component][partition].
    void beginBlock(int64_t block, const bool* settled, const double* stageResponses);

    // Whether the coarse level computes the stage's product of input block `inputBlock` with
    // partition `partition` (>= kFirstPartition) of `component`.
    bool computes(int component, int64_t inputBlock, int32_t partition) const;
    // Whether the stage has rewritten that partition's spectrum since the snapshot, and the
    // snapshot's spectrum, negated.
    bool rewritten(int component, int32_t partition) const;
    const double* negatedSnapshot(int component, int32_t partition) const;

    void partitionRewritten(int component, int32_t partition);
    void responseChanged(int component);

    // Adds `count` frames of the coarse output from `entry` on: entry e of the block being
    // output, for e < 4B; entry 4B (a single frame, once the stage block that ends the coarse
    // block has begun the next) is the first of the next block.
    void addOutput(double* left, double* right, int32_t entry, int32_t count) const;

    void restart();
    size_t memoryBytes() const;

  private:
    static constexpr int kRing = 8; // coarse blocks whose decisions are kept

    void finishBlock(int64_t coarseBlock);
    void decide(int64_t coarseBlock, const bool* settled, const double* stageResponses);
    void takeSnapshot(int component, const double* stageResponses);
    void transformInputs(int64_t inputBlock);
    void accumulate(int component, int64_t coarseBlock);
    double* sums(int64_t coarseBlock);

    double* inputBlock(int buffer, int input);
    int32_t slotOf(int64_t coarseBlock) const;
    size_t snapshotRow(int component, int32_t partition) const;
    bool decidedToCompute(int component, int64_t coarseBlock) const;

    const ComponentResponse* m_responses;
    int32_t m_stageBlock;      // B
    int32_t m_blockSize;       // 4B
    int32_t m_stagePartitions; // P
    int32_t m_segmentStart;
    int32_t m_partitionCount; // coarse partitions Q
    int32_t m_snapshotRows;   // stage partitions covered: P - kFirstPartition
    PairedTransform m_transform;
    EarsKernel m_kernel;
    EarKernel m_earKernel;

    int m_current = 0;                 // input buffer being filled
    std::vector<double> m_inputBlocks; // [buffer][input][4B]
    std::vector<double> m_gather;      // two response partitions of 4B
    PartitionRows m_rows;
    std::vector<double> m_sums;         // [coarse block % 2]: spectrum of its output
    std::vector<double> m_outputBlocks; // [ear][8B]
    std::vector<double> m_snapshot;     // [component][stage partition - 6], negated
    std::vector<uint8_t> m_rewritten;   // [component][stage partition - 6]
    bool m_snapshotCurrent[kComponents] = {};
    int64_t m_lastComputed[kComponents] = {};
    int64_t m_decidedBlock[kRing] = {};
    uint8_t m_computedComponents[kRing] = {}; // bit c: component c computed in that block
};
} // namespace Engine
