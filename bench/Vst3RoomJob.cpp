#include "Vst3RoomJob.h"

#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/ProcessBlock.h"

using namespace vevadur::host;
using namespace Steinberg;

Vst3RoomJob::Vst3RoomJob(const std::string& bundle, const RoomSettings& room, int maxBlock,
                         bool automated)
    : automated_(automated)
{
    module_ = PluginModule::load(bundle, error_);
    if (!module_) return;
    instance_ = PluginInstance::create(*module_, "", error_);
    if (!instance_) return;
    if (!instance_->activate(room.sampleRate, maxBlock))
    {
        error_ = "activation failed";
        return;
    }
    block_ = std::make_unique<ProcessBlock>(*instance_);
    const auto gain = instance_->findParameter("Gain");
    if (!gain)
    {
        error_ = "no Gain parameter";
        return;
    }
    gainId_ = gain->id;
    gain_ = gain->defaultNormalizedValue;
    setPlain("Position", room.position);
    setPlain("Vol F-B", room.volFB);
    setPlain("Vol L-R", room.volLR);
    setPlain("Vol C-F", room.volCF);
    setPlain("Abs F-B", room.absFB);
    setPlain("Abs L-R", room.absLR);
    setPlain("Abs C-F", room.absCF);
    setPlain("Speed", room.revolutionsPerSecond);
    block_->flush();
}

Vst3RoomJob::~Vst3RoomJob()
{
    block_.reset();
    if (instance_) instance_->deactivate();
    instance_.reset();
    module_.reset();
}

void Vst3RoomJob::setPlain(const char* title, double plain)
{
    const auto info = instance_->findParameter(title);
    if (!info) return;
    auto& controller = instance_->controller();
    block_->addParameterChange(info->id, 0, controller.plainParamToNormalized(info->id, plain));
}

void Vst3RoomJob::process(const float* inL, const float* inR, float* outL, float* outR, int frames)
{
    if (!block_) return;
    const float* in[2] = {inL, inR};
    float* out[2] = {outL, outR};
    if (automated_) block_->addParameterChange(gainId_, 0, gain_);
    block_->process(in, out, frames);
}
