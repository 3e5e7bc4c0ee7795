// The same plug-in class driven directly through its VST3 interfaces, the way a VST3 host
// would: the reference the VST2 side is compared with.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "public.sdk/source/vst/hosting/eventlist.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"
#include "public.sdk/source/vst/hosting/processdata.h"

#include <string>
#include <utility>
#include <vector>

namespace vst2test
{

class Vst3Reference
{
  public:
    // Creates and initialises the factory's first class; ok() tells whether that worked.
    explicit Vst3Reference(Steinberg::IPluginFactory* factory);
    ~Vst3Reference();
    bool ok() const { return controller != nullptr; }

    Steinberg::Vst::IEditController& edit() const { return *controller; }
    std::vector<Steinberg::Vst::ParameterInfo> parameters() const;
    std::string valueText(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) const;

    bool start(double sampleRate, int32_t blockSize);
    // One block; changes are (id, value) pairs at offset 0, the context carries the sample
    // rate and the given project time.
    void process(const float* const* in, float** out, int32_t frames,
                 const std::vector<std::pair<Steinberg::Vst::ParamID, double>>& changes,
                 int64_t projectTime);

  private:
    Steinberg::Vst::HostApplication context; // counts no references: lives as long as this
    Steinberg::IPtr<Steinberg::Vst::IComponent> component;
    Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processor;
    Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
    Steinberg::Vst::HostProcessData data;
    Steinberg::Vst::ParameterChanges inputChanges;
    Steinberg::Vst::ParameterChanges outputChanges;
    Steinberg::Vst::EventList events;
    Steinberg::Vst::ProcessContext processContext{};
    double rate = 44100.0;
    bool active = false;
};

std::string utf8(const Steinberg::Vst::TChar* text);

} // namespace vst2test
