#include "ZitaRoomJob.h"

#include "engine/bank/ResponseBank.h"

#include <zita-convolver.h>

#include <chrono>
#include <sched.h>
#include <string>
#include <thread>

using namespace Engine;

namespace
{
enum Input
{
    kFrontBackL,
    kLeftRightL,
    kCeilingFloorL,
    kFrontBackR,
    kLeftRightR,
    kCeilingFloorR,
    kInputCount
};

std::string failure(const char* what, int code)
{
    return std::string("zita-convolver: ") + what + " failed (" + std::to_string(code) + ")";
}
} // namespace

ZitaRoomJob::ZitaRoomJob(const RoomSettings& room, int quantum)
    : convolver_(std::make_unique<Convproc>()), rotation_(room), quantum_(quantum)
{
    const int length = ResponseBank::kTableLength;
    if (const int code = convolver_->configure(kInputCount, 2, length, quantum, quantum,
                                               Convproc::MAXPART, 0.5f))
    {
        error_ = failure("configure", code);
        return;
    }
    const std::vector<float> fb = componentResponse(room, ResponseBank::kFrontBack);
    const std::vector<float> lr = componentResponse(room, ResponseBank::kLeftRight);
    const std::vector<float> cf = componentResponse(room, ResponseBank::kCeilingFloor);
    std::vector<float> lrNegated(lr.size());
    for (size_t i = 0; i < lr.size(); ++i)
        lrNegated[i] = -lr[i];
    const struct
    {
        int input, output;
        const std::vector<float>& response;
    } routes[] = {{kFrontBackL, 0, fb}, {kLeftRightL, 0, lr},        {kCeilingFloorL, 0, cf},
                  {kFrontBackR, 1, fb}, {kLeftRightR, 1, lrNegated}, {kCeilingFloorR, 1, cf}};
    for (const auto& route : routes)
    {
        // zita copies the data; its interface just is not const-correct.
        float* data = const_cast<float*>(route.response.data());
        if (const int code =
                convolver_->impdata_create(route.input, route.output, 1, data, 0, length))
        {
            error_ = failure("impdata_create", code);
            return;
        }
    }
    // Ordinary time-sharing threads: the benchmark pins the whole process to one core.
    if (const int code = convolver_->start_process(0, SCHED_OTHER))
    {
        error_ = failure("start_process", code);
        return;
    }
    started_ = true;
    // A level thread marks itself running only once it is scheduled; stopping before that would
    // let check_stop() report idle while the thread still starts on freed memory. Give every
    // level thread the chance to start.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

ZitaRoomJob::~ZitaRoomJob()
{
    if (!started_) return;
    convolver_->stop_process();
    while (!convolver_->check_stop())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    convolver_->cleanup();
}

void ZitaRoomJob::process(const float* inL, const float* inR, float* outL, float* outR, int frames)
{
    if (frames != quantum_) return;
    float* in[kInputCount];
    for (int i = 0; i < kInputCount; ++i)
        in[i] = convolver_->inpdata(i);
    for (int f = 0; f < frames; ++f)
    {
        double s, k;
        rotation_.next(s, k);
        const double left = inL[f], right = inR[f];
        in[kFrontBackL][f] = static_cast<float>(left * k);
        in[kLeftRightL][f] = static_cast<float>(left * s);
        in[kCeilingFloorL][f] = static_cast<float>(left);
        in[kFrontBackR][f] = static_cast<float>(right * s);
        in[kLeftRightR][f] = static_cast<float>(right * k);
        in[kCeilingFloorR][f] = static_cast<float>(right);
    }
    convolver_->process(true);
    const float* left = convolver_->outdata(0);
    const float* right = convolver_->outdata(1);
    for (int f = 0; f < frames; ++f)
    {
        outL[f] = left[f];
        outR[f] = right[f];
    }
}
