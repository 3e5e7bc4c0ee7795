// Processing cost of the room at 48 kHz. The last three lines of a run are the figures:
//   the engine's stereo real-time factor (audio time / CPU time) in 128-frame host blocks,
//   the same job with zita-convolver, and the ratio of the two real-time factors (ours / zita),
//   the worst single 64-frame block's CPU time divided by the block's duration (thread CPU time
//   per block over 20 s of audio).
// The whole process is pinned to one core; zita's partition levels run as ordinary threads on
// that core and process() waits for them, and times are process CPU time, so every cycle either
// job spends is counted.
#include "EffectRoomJob.h"
#include "ZitaRoomJob.h"

#include "engine/ARFFT.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <random>
#include <sched.h>

namespace
{
constexpr int kHostBlock = 128;
constexpr int kSmallBlock = 64;
constexpr const char* kEngineName = "room/effect/128";
constexpr const char* kZitaName = "room/zita/128";

// The job behind the engine figures: the room effect itself, frame by frame.
std::unique_ptr<StereoJob> makeEngineJob(const RoomSettings& room)
{
    return std::make_unique<EffectRoomJob>(room);
}

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

void runJob(benchmark::State& state, StereoJob& job, const StereoSignal& in, int sampleRate)
{
    BlockFeeder feeder(in, kHostBlock);
    for (auto _ : state)
        feeder.next(job);
    // CPU seconds per audio second.
    state.counters["rtf"] = benchmark::Counter(double(kHostBlock) / sampleRate,
                                               benchmark::Counter::kIsIterationInvariantRate |
                                                   benchmark::Counter::kInvert);
}

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

// CPU time of each 64-frame block over `seconds` of audio after one second of warm-up, as
// fractions of the block's duration, in ascending order.
std::vector<double> blockLoads(StereoJob& job, const StereoSignal& in, int sampleRate,
                               double seconds)
{
    BlockFeeder feeder(in, kSmallBlock);
    for (int i = 0; i < sampleRate / kSmallBlock; ++i)
        feeder.next(job);
    const double duration = double(kSmallBlock) / sampleRate;
    std::vector<double> loads(size_t(seconds * sampleRate / kSmallBlock));
    for (double& load : loads)
    {
        const double start = threadCpuSeconds();
        feeder.next(job);
        load = (threadCpuSeconds() - start) / duration;
    }
    std::sort(loads.begin(), loads.end());
    return loads;
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

    double rtf(const std::string& name) const
    {
        const auto found = rtf_.find(name);
        return found == rtf_.end() ? -1.0 : found->second;
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

void registerBenchmarks(const RoomSettings& room, const StereoSignal& in)
{
    benchmark::RegisterBenchmark(kEngineName,
                                 [&](benchmark::State& state)
                                 {
                                     const auto job = makeEngineJob(room);
                                     runJob(state, *job, in, room.sampleRate);
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
                                         runJob(state, job, in, room.sampleRate);
                                 })
        ->MeasureProcessCPUTime()
        ->MinTime(3.0)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("fft/forward/4096",
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
}

void printFigure(const char* label, double value)
{
    if (value < 0.0)
        std::printf("%s: n/a\n", label);
    else
        std::printf("%s: %.4f\n", label, value);
}
} // namespace

int main(int argc, char** argv)
{
    pinToOneCore();
    benchmark::Initialize(&argc, argv);
    const RoomSettings room;
    const StereoSignal in = noise(room.sampleRate);
    registerBenchmarks(room, in);
    FigureRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);

    const auto job = makeEngineJob(room);
    const std::vector<double> loads = blockLoads(*job, in, room.sampleRate, 20.0);
    const double ours = recorder.rtf(kEngineName);
    const double zita = recorder.rtf(kZitaName);
    std::fflush(stdout);
    // The counters hold CPU time per audio time; the figures say audio seconds per CPU second.
    if (ours <= 0.0)
        printFigure("(a) effect real-time factor, stereo, 128-frame blocks", -1.0);
    else
        std::printf("(a) effect real-time factor, stereo, 128-frame blocks: %.1f (audio s per "
                    "CPU s; CPU load %.4f)\n",
                    1.0 / ours, ours);
    if (ours <= 0.0 || zita <= 0.0)
        printFigure("(b) zita-convolver real-time factor", -1.0);
    else
        std::printf("(b) zita-convolver real-time factor: %.1f; real-time factor ours / zita: "
                    "%.3f\n",
                    1.0 / zita, zita / ours);
    // The worst block is the one where every tail stage completes its block; on a shared machine
    // the single maximum also catches interference, so the 99.9th percentile is shown beside it.
    std::printf("(c) worst 64-frame block CPU time / block duration: %.4f (99.9th percentile "
                "%.4f)\n",
                loads.back(), loads[loads.size() * 999 / 1000]);
    benchmark::Shutdown();
    return 0;
}
