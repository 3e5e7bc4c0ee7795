// A VST3 plug-in class seen by an LV2 host. The adapter owns one component created from the
// module's factory and drives it through IComponent, IAudioProcessor and IEditController: the
// host's port values become the parameter changes of the next block (at its start, limited to
// each control's range), the audio ports the block's buffers, and the state extension carries
// the component's own state stream as one property. Processing is set up for the host's rate
// and longest block when the adapter is made, so run() only moves data.
#pragma once

#include "Lv2PortList.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"
#include "public.sdk/source/vst/hosting/processdata.h"

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <vector>

namespace Steinberg
{
namespace Vst
{

class Lv2Adapter
{
  public:
    // The longest block the component is set up for when the host does not tell.
    static constexpr int32 kDefaultMaxBlock = 4096;

    // Creates and initialises an instance of the class and sets up its processing; null when
    // the factory has no such class, it is no single-component audio effect, or the rate is
    // not usable.
    static Lv2Adapter* create(IPluginFactory& factory, const TUID classId, const char* pluginUri,
                              double sampleRate, const LV2_Feature* const* features);
    ~Lv2Adapter();
    Lv2Adapter(const Lv2Adapter&) = delete;
    Lv2Adapter& operator=(const Lv2Adapter&) = delete;

    const Lv2PortList& ports() const { return portList; }

    // ---- LV2 entry points (Lv2Entry.cpp's trampolines land here)
    void connect(uint32 port, void* data);
    void activate();
    void run(uint32 frames);
    void deactivate();
    LV2_State_Status save(LV2_State_Store_Function store, LV2_State_Handle handle);
    LV2_State_Status restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

    // The key of the state property: the plug-in's URI with this fragment added.
    static constexpr const char* kStateKeySuffix = "#state";

  private:
    static constexpr int32 kChannels = 2;

    Lv2Adapter() = default;
    bool open(IPluginFactory& factory, const TUID classId, const char* pluginUri, double sampleRate,
              const LV2_Feature* const* features);
    void readFeatures(const LV2_Feature* const* features, const char* pluginUri);
    bool setUpProcessing(double sampleRate);

    // audio (Lv2AdapterProcess.cpp)
    void takePortChanges();
    void renderPart(uint32 start, uint32 length);
    bool buffersConnected() const;

    HostApplication hostContext; // counts no references: lives exactly as long as the adapter
    IPtr<IComponent> component;
    IPtr<IAudioProcessor> processor;
    IPtr<IEditController> controller;
    Lv2PortList portList;

    // Port buffers, by port index.
    std::vector<float*> portData;
    // The value the component last had from each control port (NaN: none yet), then the
    // enabled port's. A port is handed on only when its value differs: a restored state sets
    // them to its own values, so ports that the host restores alongside change nothing.
    std::vector<float> lastValues;
    void learnValuesFromController();

    ParameterChanges inputChanges;
    ParameterChanges outputChanges;
    HostProcessData processData;
    ProcessContext context{};
    std::vector<float> scratch; // kChannels inputs for in-place hosts, maxBlock each
    double sampleRate = 44100.0;
    int32 maxBlock = kDefaultMaxBlock;
    int64 framePosition = 0;
    bool active = false;

    LV2_URID_Map* map = nullptr;
    LV2_URID stateKey = 0;
    LV2_URID chunkType = 0;
};

} // namespace Vst
} // namespace Steinberg
