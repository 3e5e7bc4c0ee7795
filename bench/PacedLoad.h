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

// Jobs paced in turn (a call processes the job's next block): one block of one job per period,
// with the other thread's sweep after every block. Jobs measured this way meet the machine in the
// same state through the whole run (whatever else it does meanwhile, each gets its share), so
// their costs compare. Each job runs run.seconds' worth of blocks; one cost per job, in order.
std::vector<PacedCost> pacedCosts(const PacedRun& run,
                                  const std::vector<std::function<void()>>& jobs);
