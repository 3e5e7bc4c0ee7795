// Processing cost of the room at 48 kHz, on one core. The last lines of a run are the figures,
// each with its goal:
//   (1) the engine's stereo real-time factor (audio time / CPU time) in 128-frame blocks, the same
//       job with zita-convolver, and their ratio (ours / zita);
//   (2) the worst single 64-frame block over 20 s, as a fraction of the block's duration (the
//       least disturbed of three passes);
//   (3) the same while every block changes one room control;
//   (4) the whole VST3 path (the bundle, through its binary interface, with a parameter queue)
//       in 64-frame blocks, as a real-time factor and as a share of (1);
//   (5) bytes one instance of the effect holds (and a whole VST3 instance, set up);
//   (6) the VST3 path paced as a host paces it: 64-frame blocks at real-time intervals, another
//       thread touching a few MB between them; mean and worst block as a share of its duration;
//   (7) the peer users compare us with, Dragonfly Room Reverb (LV2, default settings), paced the
//       same way in the same run, and the ratio of the means (ours / Dragonfly);
//   (8) a steady room with silent input, paced the same way, as a share of (6)'s mean.
//       The jobs of (6) to (8) run in series every period, as plug-ins on one track, so whatever
//       the machine does during the run weighs on each alike and the ratios hold from run to run;
//   (9) the whole LV2 path (the LV2 bundle through liblilv) in 64-frame blocks, its cost against
//       the VST3 path's (4).
// With --paced only figures (6) to (8) are measured. With --reference the engine figures are those
// of the reference engine (the per-sample convolvers the effect ran before), for comparison on the
// same machine; --bundle PATH runs the VST3 figures on another build of the plug-in; --against PATH
// paces another build's bundle together with ours, with noise and with silent input (a comparison
// within one run); --no-sweep paces without the other thread's memory traffic (to tell cold caches
// from the rest). The whole process is pinned to one core; zita's partition levels run as ordinary
// threads on that core and process() waits for them, and times are process CPU time, so every
// cycle either job spends is counted.
#include "DragonflyRoomJob.h"
#include "EffectRoomJob.h"
#ifdef VEVADUR_LV2_BUNDLE
#include "Lv2RoomJob.h"
#endif
#include "PacedLoad.h"
#include "Vst3RoomJob.h"
#include "ZitaRoomJob.h"

#include "effect/CVevadur.h"
#include "engine/SplitFft.h"
#include "engine/reference/ARFFT.h"
#include "host/PluginModule.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <malloc.h>
#include <map>
#include <memory>
#include <random>
#include <sched.h>
#include <string>

using namespace Engine;

namespace
{
constexpr int kHostBlock = 128;
constexpr int kSmallBlock = 64;
constexpr double kLoadSeconds = 20.0;
constexpr int kPasses = 3;
constexpr const char* kEngineName = "room/effect/128";
constexpr const char* kZitaName = "room/zita/128";
constexpr const char* kVst3Name = "room/vst3/64";
constexpr const char* kLv2Name = "room/lv2/64";
constexpr double kPacedSeconds = 10.0;
// Longer than the room's whole response with its tail delay: the room has fallen silent.
constexpr double kSilentWarmUpSeconds = 2.0;

struct StereoSignal
{
    std::vector<float> left, right;
};

StereoSignal noise(int frames)
{
    std::mt19937 generator(2024);
    std::uniform_real_distribution<float> uniform(-0.25f, 0.25f);
    StereoSignal s{std::vector<float>(frames), std::vector<float>(frames)};
    for (int i = 0; i < frames; ++i)
    {
        s.left[i] = uniform(generator);
        s.right[i] = uniform(generator);
    }
    return s;
}

// Runs the job block after block through the signal, wrapping at its end.
class BlockFeeder
{
  public:
    BlockFeeder(const StereoSignal& in, int block)
        : in_(in), block_(block), outL_(block), outR_(block)
    {
    }

    void next(StereoJob& job)
    {
        job.process(in_.left.data() + offset_, in_.right.data() + offset_, outL_.data(),
                    outR_.data(), block_);
        benchmark::DoNotOptimize(outL_.data());
        benchmark::DoNotOptimize(outR_.data());
        offset_ += block_;
        if (offset_ + block_ > in_.left.size()) offset_ = 0;
    }

  private:
    const StereoSignal& in_;
    int block_;
    std::vector<float> outL_, outR_;
    size_t offset_ = 0;
};

void runJob(benchmark::State& state, StereoJob& job, const StereoSignal& in, int sampleRate,
            int block)
{
    BlockFeeder feeder(in, block);
    for (auto _ : state)
        feeder.next(job);
    // CPU seconds per audio second.
    state.counters["rtf"] = benchmark::Counter(double(block) / sampleRate,
                                               benchmark::Counter::kIsIterationInvariantRate |
                                                   benchmark::Counter::kInvert);
}

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

// CPU time of the worst 64-frame block over `seconds` of audio after one second of warm-up, as a
// fraction of the block's duration. beforeBlock runs ahead of every block, untimed.
double worstBlockLoad(StereoJob& job, const StereoSignal& in, int sampleRate, double seconds,
                      const std::function<void(long)>& beforeBlock = {})
{
    BlockFeeder feeder(in, kSmallBlock);
    for (int i = 0; i < sampleRate / kSmallBlock; ++i)
        feeder.next(job);
    const double duration = double(kSmallBlock) / sampleRate;
    const long blocks = long(seconds * sampleRate / kSmallBlock);
    double worst = 0.0;
    for (long b = 0; b < blocks; ++b)
    {
        if (beforeBlock) beforeBlock(b);
        const double start = threadCpuSeconds();
        feeder.next(job);
        worst = std::max(worst, (threadCpuSeconds() - start) / duration);
    }
    return worst;
}

// Automation as a host sends it, one room control per block: "Position", the three "Abs"
// (under both curves, as "Decay Type" flips between rounds), the three "Vol", "Decay Type" and
// "Speed", each to a new value in its range.
class ControlCycler
{
  public:
    explicit ControlCycler(CVevadur& effect) : effect_(effect) {}

    void operator()(long block)
    {
        static constexpr uint32_t kCycle[] = {
            CVevadur::kPosition, CVevadur::kAbsLR,     CVevadur::kAbsFB,
            CVevadur::kAbsCF,    CVevadur::kVolLR,     CVevadur::kVolFB,
            CVevadur::kVolCF,    CVevadur::kDecayType, CVevadur::kSpeed};
        const uint32_t id = kCycle[block % (sizeof kCycle / sizeof kCycle[0])];
        const float value = id == CVevadur::kDecayType ? float(block / 9 % 2) : unit_(random_);
        effect_.setNormalizedValue(id, value, false);
    }

  private:
    CVevadur& effect_;
    std::mt19937 random_{99};
    std::uniform_real_distribution<float> unit_{0.0f, 1.0f};
};

size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Heap bytes that making (and keeping) what `make` returns takes.
template <typename Make> size_t bytesHeld(Make make)
{
    const size_t before = heapInUse();
    auto held = make();
    const size_t after = heapInUse();
    benchmark::DoNotOptimize(held.get());
    return after > before ? after - before : 0;
}

double leastOf(const double (&values)[kPasses])
{
    return *std::min_element(values, values + kPasses);
}

// Shows the usual table and keeps each benchmark's real-time factor.
class FigureRecorder : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
        {
            const auto rtf = run.counters.find("rtf");
            if (!run.error_occurred && run.run_type == Run::RT_Iteration &&
                rtf != run.counters.end())
                rtf_[run.run_name.function_name] = rtf->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Audio seconds per CPU second; negative when the benchmark did not run.
    double realTimeFactor(const std::string& name) const
    {
        const auto found = rtf_.find(name);
        return found == rtf_.end() || found->second <= 0.0 ? -1.0 : 1.0 / found->second;
    }

  private:
    std::map<std::string, double> rtf_;
};

void pinToOneCore()
{
    cpu_set_t cpus;
    CPU_ZERO(&cpus);
    CPU_SET(std::max(sched_getcpu(), 0), &cpus);
    if (sched_setaffinity(0, sizeof cpus, &cpus) != 0) std::perror("sched_setaffinity");
}

void registerFftBenchmarks()
{
    benchmark::RegisterBenchmark("fft/reference-real/4096",
                                 [](benchmark::State& state)
                                 {
                                     ARFFT fft(4096);
                                     const std::vector<double> x(4096, 0.5);
                                     for (auto _ : state)
                                     {
                                         fft.forwardTransform(x.data());
                                         benchmark::DoNotOptimize(fft.result());
                                     }
                                 });
    // The order the engine runs: bins left in the transform's scrambled order.
    benchmark::RegisterBenchmark("fft/split-complex-scrambled/4096",
                                 [](benchmark::State& state)
                                 {
                                     SplitFft fft(4096);
                                     std::vector<double> re(4096, 0.5), im(4096, 0.25);
                                     std::vector<double> outRe(4096), outIm(4096);
                                     for (auto _ : state)
                                     {
                                         fft.forwardScrambled(re.data(), im.data(), outRe.data(),
                                                              outIm.data());
                                         benchmark::DoNotOptimize(outRe.data());
                                     }
                                 });
}

struct Options
{
    bool reference = false;
    bool pacedOnly = false;
    std::string bundle = VEVADUR_BUNDLE;
    std::string against; // --against: another build's bundle, paced together with ours
    bool sweep = true;   // --no-sweep: no other thread touches memory between paced blocks
};

void registerBenchmarks(const RoomSettings& room, const StereoSignal& in, const Options& options)
{
    benchmark::RegisterBenchmark(kEngineName,
                                 [&room, &in, &options](benchmark::State& state)
                                 {
                                     EffectRoomJob job(room, options.reference);
                                     runJob(state, job, in, room.sampleRate, kHostBlock);
                                 })
        ->MeasureProcessCPUTime()
        ->MinTime(3.0)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(kZitaName,
                                 [&](benchmark::State& state)
                                 {
                                     ZitaRoomJob job(room, kHostBlock);
                                     if (!job.error().empty())
                                         state.SkipWithError(job.error().c_str());
                                     else
                                         runJob(state, job, in, room.sampleRate, kHostBlock);
                                 })
        ->MeasureProcessCPUTime()
        ->MinTime(3.0)
        ->Unit(benchmark::kMicrosecond);
    if (!options.reference)
    {
        benchmark::RegisterBenchmark(kVst3Name,
                                     [&](benchmark::State& state)
                                     {
                                         Vst3RoomJob job(options.bundle, room, kSmallBlock);
                                         if (!job.error().empty())
                                             state.SkipWithError(job.error().c_str());
                                         else
                                             runJob(state, job, in, room.sampleRate, kSmallBlock);
                                     })
            ->MeasureProcessCPUTime()
            ->MinTime(3.0)
            ->Unit(benchmark::kMicrosecond);
#ifdef VEVADUR_LV2_BUNDLE
        benchmark::RegisterBenchmark(kLv2Name,
                                     [&](benchmark::State& state)
                                     {
                                         Lv2RoomJob job(VEVADUR_LV2_BUNDLE, room, kSmallBlock);
                                         if (!job.error().empty())
                                             state.SkipWithError(job.error().c_str());
                                         else
                                             runJob(state, job, in, room.sampleRate, kSmallBlock);
                                     })
            ->MeasureProcessCPUTime()
            ->MinTime(3.0)
            ->Unit(benchmark::kMicrosecond);
#endif
    }
    registerFftBenchmarks();
}

struct PacedFigures
{
    PacedCost ours, still, dragonfly, dragonflySilent, silent, effect,
        effectSilent;                 // still: "Speed" 0
    PacedCost against, againstSilent; // --against: another build's bundle
    double clockCost = 0.0; // what reading the clock around an empty block costs, subtracted
    std::string dragonflyError;
};

struct PacedEntry
{
    StereoJob* job;
    const StereoSignal* signal;
    PacedCost* cost;
};

// The entries paced together (see pacedCosts) with an empty job, whose cost (reading the clock) is
// subtracted from theirs and returned.
double pacedInTurn(const std::vector<PacedEntry>& entries, int sampleRate, const Options& options)
{
    std::vector<BlockFeeder> feeders;
    feeders.reserve(entries.size());
    std::vector<std::function<void()>> jobs;
    for (const PacedEntry& entry : entries)
    {
        feeders.emplace_back(*entry.signal, kSmallBlock);
        BlockFeeder* feeder = &feeders.back();
        StereoJob* job = entry.job;
        jobs.push_back([feeder, job] { feeder->next(*job); });
    }
    jobs.push_back([] {});
    PacedRun run;
    run.sampleRate = sampleRate;
    run.blockFrames = kSmallBlock;
    run.warmUpSeconds = kSilentWarmUpSeconds; // long enough for a silent room to come to rest
    run.seconds = kPacedSeconds;
    if (!options.sweep) run.sweepBytes = 0;
    const std::vector<PacedCost> costs = pacedCosts(run, jobs);
    const double clockCost = costs.back().mean;
    for (size_t j = 0; j < entries.size(); ++j)
    {
        entries[j].cost->mean = std::max(costs[j].mean - clockCost, 0.0);
        entries[j].cost->worst = std::max(costs[j].worst - clockCost, 0.0);
    }
    return clockCost;
}

// As Ardour runs a plug-in without automation: no parameter queue. The jobs whose costs the
// figures divide are paced together in one run: ours, ours with silent input and Dragonfly (and
// --against); then the others: ours at "Speed" 0, Dragonfly with silent input, and the effect
// alone, which is the room's own cost without the binding's and the host's.
PacedFigures measurePaced(const RoomSettings& room, const StereoSignal& in, const Options& options)
{
    PacedFigures figures;
    const StereoSignal silence{std::vector<float>(in.left.size(), 0.0f),
                               std::vector<float>(in.right.size(), 0.0f)};
    {
        Vst3RoomJob ours(options.bundle, room, kSmallBlock, false);
        Vst3RoomJob oursSilent(options.bundle, room, kSmallBlock, false);
        DragonflyRoomJob dragonfly(room.sampleRate, kSmallBlock);
        figures.dragonflyError = dragonfly.error();
        std::vector<PacedEntry> entries;
        if (ours.error().empty())
            entries.insert(entries.end(),
                           {{&ours, &in, &figures.ours}, {&oursSilent, &silence, &figures.silent}});
        if (dragonfly.error().empty()) entries.push_back({&dragonfly, &in, &figures.dragonfly});
        std::unique_ptr<Vst3RoomJob> against, againstSilent;
        if (!options.against.empty())
        {
            against = std::make_unique<Vst3RoomJob>(options.against, room, kSmallBlock, false);
            againstSilent =
                std::make_unique<Vst3RoomJob>(options.against, room, kSmallBlock, false);
            if (against->error().empty() && againstSilent->error().empty())
                entries.insert(entries.end(),
                               {{against.get(), &in, &figures.against},
                                {againstSilent.get(), &silence, &figures.againstSilent}});
        }
        figures.clockCost = pacedInTurn(entries, room.sampleRate, options);
    }
    {
        RoomSettings stillRoom = room;
        stillRoom.revolutionsPerSecond = 0.0;
        Vst3RoomJob still(options.bundle, stillRoom, kSmallBlock, false);
        DragonflyRoomJob dragonflySilent(room.sampleRate, kSmallBlock);
        EffectRoomJob effect(room);
        EffectRoomJob effectSilent(room);
        std::vector<PacedEntry> entries = {{&effect, &in, &figures.effect},
                                           {&effectSilent, &silence, &figures.effectSilent}};
        if (still.error().empty()) entries.push_back({&still, &in, &figures.still});
        if (dragonflySilent.error().empty())
            entries.push_back({&dragonflySilent, &silence, &figures.dragonflySilent});
        pacedInTurn(entries, room.sampleRate, options);
    }
    return figures;
}

void printPacedFigures(const PacedFigures& paced)
{
    if (paced.against.mean > 0.0)
        std::printf("--against: mean %.4f, worst %.4f; ours / it %.3f; silent input: mean %.5f, "
                    "ours / it %.3f\n",
                    paced.against.mean, paced.against.worst, paced.ours.mean / paced.against.mean,
                    paced.againstSilent.mean,
                    paced.againstSilent.mean > 0.0 ? paced.silent.mean / paced.againstSilent.mean
                                                   : 0.0);
    if (paced.ours.mean <= 0.0)
    {
        std::printf("(6) paced VST3 path: n/a\n(7) Dragonfly Room Reverb: n/a\n(8) silence: n/a\n");
        return;
    }
    std::printf(
        "(6) paced VST3 path, 64-frame blocks at real-time intervals, %.0f s, in series with "
        "the other paced jobs, 4 MB touched by another thread between blocks: mean %.4f, "
        "worst %.4f of the block's duration (goal: worst <= 0.25, as (2)); the effect "
        "alone: mean %.4f; \"Speed\" 0: mean "
        "%.4f; clock reads %.5f subtracted\n",
        kPacedSeconds, paced.ours.mean, paced.ours.worst, paced.effect.mean, paced.still.mean,
        paced.clockCost);
    if (paced.dragonfly.mean > 0.0)
        std::printf("(7) Dragonfly Room Reverb (LV2, default settings), paced the same way: mean "
                    "%.4f, worst %.4f; ours / Dragonfly %.3f (goal <= 1.0), at \"Speed\" 0 %.3f\n",
                    paced.dragonfly.mean, paced.dragonfly.worst,
                    paced.ours.mean / paced.dragonfly.mean,
                    paced.still.mean / paced.dragonfly.mean);
    else
        std::printf("(7) Dragonfly Room Reverb: n/a (%s)\n", paced.dragonflyError.c_str());
    std::printf("(8) silent input, steady room, paced the same way: mean %.5f, %.4f of (6) "
                "(goal <= 0.05); the effect alone: mean %.5f, %.4f of its cost with noise; "
                "Dragonfly with silent input: mean %.5f\n",
                paced.silent.mean, paced.silent.mean / paced.ours.mean, paced.effectSilent.mean,
                paced.effect.mean > 0.0 ? paced.effectSilent.mean / paced.effect.mean : 0.0,
                paced.dragonflySilent.mean);
}

void printFigures(const FigureRecorder& recorder, const RoomSettings& room, const StereoSignal& in,
                  const Options& options)
{
    const bool reference = options.reference;
    const double ours = recorder.realTimeFactor(kEngineName);
    const double zita = recorder.realTimeFactor(kZitaName);
    const double vst3 = recorder.realTimeFactor(kVst3Name);

    // The single worst block is easily inflated by anything else the machine does (an interrupt
    // is charged to the thread it lands on), and such disturbances only ever add time: each
    // figure is measured in three passes, and the least disturbed pass counts.
    double steadyWorst[kPasses], automatedWorst[kPasses];
    for (int pass = 0; pass < kPasses; ++pass)
    {
        EffectRoomJob steady(room, reference);
        steadyWorst[pass] = worstBlockLoad(steady, in, room.sampleRate, kLoadSeconds);
        EffectRoomJob automated(room, reference);
        ControlCycler cycler(automated.effect());
        automatedWorst[pass] =
            worstBlockLoad(automated, in, room.sampleRate, kLoadSeconds, std::ref(cycler));
    }
    const size_t effectBytes =
        bytesHeld([&] { return std::make_unique<EffectRoomJob>(room, reference); });
    size_t vst3Bytes = 0;
    if (!reference)
    {
        std::string error;
        // The module stays loaded, so only the instance is counted.
        auto module = vevadur::host::PluginModule::load(options.bundle, error);
        if (module)
        {
            vst3Bytes = bytesHeld(
                [&] { return std::make_unique<Vst3RoomJob>(options.bundle, room, kSmallBlock); });
        }
    }

    const PacedFigures paced = reference ? PacedFigures{} : measurePaced(room, in, options);

    std::fflush(stdout);
    std::printf("%s\n", reference ? "Figures of the REFERENCE engine:" : "Figures:");
    if (ours > 0.0 && zita > 0.0)
        std::printf("(1) real-time factor, stereo, 128-frame blocks: ours %.1f, zita-convolver "
                    "%.1f, ours / zita %.3f (goal >= 1.0)\n",
                    ours, zita, ours / zita);
    else
        std::printf("(1) real-time factor, stereo, 128-frame blocks: n/a\n");
    std::printf("(2) worst 64-frame block over %.0f s, steady: %.4f of its duration (goal <= "
                "0.25; passes %.4f %.4f %.4f)\n",
                kLoadSeconds, leastOf(steadyWorst), steadyWorst[0], steadyWorst[1], steadyWorst[2]);
    std::printf("(3) worst 64-frame block over %.0f s, one room control changed per block: "
                "%.4f of its duration (goal <= 0.35; passes %.4f %.4f %.4f)\n",
                kLoadSeconds, leastOf(automatedWorst), automatedWorst[0], automatedWorst[1],
                automatedWorst[2]);
    if (vst3 > 0.0 && ours > 0.0)
        std::printf("(4) VST3 path, 64-frame blocks with a parameter queue: real-time factor "
                    "%.1f, %.3f of (1) (goal >= 0.9)\n",
                    vst3, vst3 / ours);
    else if (vst3 > 0.0)
        std::printf("(4) VST3 path, 64-frame blocks with a parameter queue: real-time factor "
                    "%.1f\n",
                    vst3);
    else
        std::printf("(4) VST3 path: n/a\n");
    std::printf("(5) memory one effect instance holds: %.2f MB (goal <= 12 MB)", effectBytes / 1e6);
    if (vst3Bytes > 0) std::printf("; a whole VST3 instance, set up: %.2f MB", vst3Bytes / 1e6);
    std::printf("\n");
    if (!reference) printPacedFigures(paced);
    const double lv2 = recorder.realTimeFactor(kLv2Name);
    if (lv2 > 0.0 && vst3 > 0.0)
        std::printf("(9) LV2 path, 64-frame blocks: real-time factor %.1f, cost %.3f of the VST3 "
                    "path's (4) (goal <= 1.05)\n",
                    lv2, vst3 / lv2);
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    int kept = 1;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--reference") == 0)
            options.reference = true;
        else if (std::strcmp(argv[i], "--paced") == 0)
            options.pacedOnly = true;
        else if (std::strcmp(argv[i], "--bundle") == 0 && i + 1 < argc)
            options.bundle = argv[++i];
        else if (std::strcmp(argv[i], "--against") == 0 && i + 1 < argc)
            options.against = argv[++i];
        else if (std::strcmp(argv[i], "--no-sweep") == 0)
            options.sweep = false;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    pinToOneCore();
    benchmark::Initialize(&argc, argv);
    const RoomSettings room;
    const StereoSignal in = noise(room.sampleRate);
    if (options.pacedOnly)
    {
        printPacedFigures(measurePaced(room, in, options));
        return 0;
    }
    registerBenchmarks(room, in, options);
    FigureRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    printFigures(recorder, room, in, options);
    benchmark::Shutdown();
    return 0;
}
