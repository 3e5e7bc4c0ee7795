#pragma once

#include <cstddef>
#include <functional>
#include <vector>

// CPU time of blocks run at real-time intervals, as a host's audio thread calls a plug-in: one
// block, then the rest of the period asleep while another thread touches a few MB of memory, as
// the host's other work and other plug-ins do, so caches are as cold as in a real session.
struct PacedCost
{
    double mean = 0.0;  // CPU time per block, as a share of the block's duration
    double worst = 0.0; // the worst block, likewise
};

struct PacedRun
{
    int sampleRate = 48000;
    int blockFrames = 64;
    double warmUpSeconds = 1.0;          // run back to back first, untimed
    double seconds = 10.0;               // then paced and timed
    size_t sweepBytes = size_t(4) << 20; // 0: no other thread
};

// Jobs paced together (a call processes the job's next block), as plug-ins in series on one
// track: every period each runs one block, in an order rotated period by period, each block timed
// on its own, then the other thread's sweep. Every job keeps real-time intervals, and jobs
// measured this way meet the machine in the same state through the whole run (whatever else it
// does meanwhile weighs on each alike), so their costs compare. One cost per job, in order.
std::vector<PacedCost> pacedCosts(const PacedRun& run,
                                  const std::vector<std::function<void()>>& jobs);
