#pragma once

#include "engine/CoarseLevel.h"
#include "engine/ComponentResponse.h"
#include "engine/PairedTransform.h"
#include "engine/PartitionRows.h"
#include "engine/RoomGeometry.h"
#include "engine/SpectralKernels.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Engine
{
// One stage of the fast room engine: one segment of the room response (head or tail), for both
// ears and all three wall-pair components. It computes what six reference SegmentConvolvers per
// ear and stage compute (one per component and ear), on the same schedule: blocks of B frames,
// transforms of 2B, P partitions, output 2B - 1 frames after input, and a response change that
// reaches the output partition by partition, a partition gathered across a change carrying the
// old response before it and the new one after. It differs in how the work is done:
// - all work happens per block, not per frame; the spectral sums of a block are spread over the
//   frames of the next one (the schedule leaves that block of slack), so no host block carries a
//   whole block's work;
// - one inverse transform per ear sums the three components, and two real signals share one
//   complex transform;
// - a response partition is read and transformed again only while it differs from the response
//   in force; a steady room transforms no partitions at all;
// - the response is never stored whole: partitions are evaluated from the component descriptions
//   when they are gathered;
// - with a CoarseLevel, partitions 6 and on are convolved in blocks four times as long while
//   their response holds still (see CoarseLevel);
// - its blocks go in groups of kBlocksPerPass: the first block's pass over the rows sums nearly
//   all the products of the group's other blocks as well, so each row comes from memory once per
//   group (see accumulate); with a CoarseLevel, only the partitions it never takes.
// Nothing allocates after construction.
class RoomStage
{
  public:
    enum class Layout
    {
        // A CoarseLevel takes the later partitions while they hold still (it needs more than 6
        // partitions); the earlier ones go in groups of blocks.
        kCoarseLevel,
        // Every partition goes in groups of blocks.
        kGroupedBlocks,
    };
    // Groups of three or four read fewer rows still but were hardly faster paced (0-4 %): every
    // block of a group adds a row of sums that each step reads and writes, and groups of four
    // would pass the memory goal.
    static constexpr int kBlocksPerPass = 2;

    // responses: the room's three components, indexed by ResponseBank::Component; read whenever a
    // partition is gathered. blockSize must be a power of two.
    RoomStage(const ComponentResponse* responses, int32_t blockSize, int32_t partitionCount,
              int32_t segmentStart, Layout layout);
    RoomStage(const RoomStage&) = delete;
    RoomStage& operator=(const RoomStage&) = delete;

    // inputs[e][i]: the component inputs of frames i < frames, already weighted (non-finite and
    // absurd values count as 0). The right ear hears the left-right component negated.
    // out*[i]: this stage's contribution to each ear for the same frames.
    void process(const double* const* inputs, double* outLeft, double* outRight, int32_t frames);

    // Around every change of a component's response: the first is called while the old response
    // is still in force, the second once the new one is.
    void responseChanging(int component);
    void responseChanged(int component);

    // True while every response partition is up to date and none is being gathered: the stage
    // has no response work to do.
    bool steady() const;
    // Takes `frames` frames as process() would if its inputs, the partitions' input spectra, the
    // sums and the output blocks were all zero, as they are once the input has been silent for
    // (partitionCount + 3) blocks: the output is zero and only the block phase advances. Only
    // while steady().
    void rest(int64_t frames);
    // Back to the state of a fresh stage whose responses have all just been set: no input or
    // output in flight, every partition gathered again from the first block on.
    void restart();

    size_t memoryBytes() const;

  private:
    void storeInputs(const double* const* inputs, int32_t offset, int32_t from, int32_t count);
    void gatherResponses(int32_t upTo);
    void completeBlock();
    void retireGathers();
    void advanceWork(int32_t position);
    void finishWork();
    void runStep(int32_t step);
    void transformInputs(int32_t pair);
    void transformPartitions(int32_t pair);
    void accumulate(int32_t step);
    bool gatheredInNext(int32_t partition, int32_t blocks) const;
    bool gatheredInLast(int32_t partition, int32_t blocks) const;
    void addProducts(SpectralBatch& batch, int component, int32_t partition, const double* input,
                     bool silentLeft, bool silentRight);
    double* sums(int64_t block);
    void beginCoarseBlock();
    bool settled(int component) const;
    // Calls visit(bin, p, mirror) for the B + 1 bins a spectrum keeps: bin is its place in a
    // row, p the transform's index of the bin kept and mirror that of its conjugate partner.
    // In the scrambled order these are index 0, index 1 (bin B), and the first half of every
    // octave [L, 2L) of indices, whose second half holds the partners in reverse.
    template <typename Visit> void forEachRepresentative(Visit&& visit) const
    {
        visit(0, 0, 0);
        visit(1, 1, 1);
        int32_t bin = 2;
        for (int32_t octave = 2; octave < m_transformSize; octave *= 2)
            for (int32_t p = octave; p < octave + octave / 2; ++p)
                visit(bin++, p, 3 * octave - 1 - p);
    }

    double* inputBlock(int buffer, int input);
    double* gatherBlock(int buffer, int component);
    bool dirty(int component, int32_t partition) const;
    void setDirty(int component, int32_t partition, bool stale);
    int32_t transformSteps() const { return (m_pendingCount + 1) / 2; }
    int32_t inputSlot(int32_t partition) const
    {
        return (m_previousSlot - partition + m_partitionCount) % m_partitionCount;
    }

    const ComponentResponse* m_responses;
    int32_t m_blockSize;         // B
    int32_t m_transformSize;     // N = 2B
    int32_t m_partitionCount;    // P
    int32_t m_segmentStart;      // S
    int32_t m_partitionsPerStep; // of one component, summed in one step
    int32_t m_stepsPerComponent;
    int32_t m_accumulateSteps;
    int32_t m_groupedPartitions; // the partitions below this go in groups of blocks
    PairedTransform m_transform;
    EarsKernel m_kernel;
    EarKernel m_earKernel;
    std::unique_ptr<CoarseLevel> m_coarse; // null without one

    int32_t m_position = 0;  // frames of the current block taken
    int32_t m_partition = 0; // partition gathered, and input ring slot filled, in this block
    int m_current = 0;       // buffer of the block being taken; the other holds the previous one
    int64_t m_block = 0;     // blocks begun since the last restart, less one
    // A stage never restarted has gathered no response: its partitions are not settled.
    bool m_restarted = false;

    std::vector<double> m_inputBlocks;  // [buffer][input][B]
    std::vector<double> m_gatherBlocks; // [buffer][component][B]
    PartitionRows m_rows;
    // Both ears: spectrum of the next block out, [block % kBlocksPerPass]; the others already
    // hold most of their blocks' when grouped.
    std::vector<double> m_sums;
    std::vector<double> m_outputBlocks; // [ear][N]: this block's output, then the overlap
    std::vector<uint8_t> m_dirty;       // [component][partition]: its spectrum is stale
    int32_t m_dirtyCount = 0;

    // Gathering in the current block.
    bool m_gathering[kComponents] = {};
    bool m_mixed[kComponents] = {}; // the response changed after the block's first frame
    int32_t m_gathered[kComponents] = {};

    // The work of the current block: it builds the spectrum of the next output block from the
    // previous block's input and gathered partitions.
    int m_pending[kComponents] = {};
    int m_pendingCount = 0;
    int32_t m_pendingPartition = 0;
    int32_t m_previousSlot;
    int32_t m_stepsDone = 0;
    int32_t m_stepsTotal = 0;
};
} // namespace Engine
