#pragma once

#include "host/ComponentHandler.h"
#include "host/HostContext.h"
#include "host/PluginModule.h"

#include "base/source/fstring.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vevadur::host
{

// One plug-in instance created through a module's factory and driven as a host drives it:
// initialisation, bus set-up, processing set-up, activation, parameters and state. The
// instance must be processor and edit controller in one object (a single-component effect).
class PluginInstance
{
  public:
    // Creates the class with this name (the first audio effect class when empty) and
    // initialises it. Null with a reason in `error` when that fails.
    static std::unique_ptr<PluginInstance> create(PluginModule& module,
                                                  const std::string& className, std::string& error);
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    Steinberg::Vst::IComponent& component() const { return *m_component; }
    Steinberg::Vst::IAudioProcessor& processor() const { return *m_processor; }
    Steinberg::Vst::IEditController& controller() const { return *m_controller; }
    ComponentHandler& handler() { return m_handler; }
    // The class id, as 32 hexadecimal characters (the form preset files use).
    const std::string& classId() const { return m_classId; }
    const std::string& className() const { return m_className; }
    // Any further interface of the instance (null when it has none).
    template <typename Interface> Steinberg::IPtr<Interface> query() const
    {
        return Steinberg::FUnknownPtr<Interface>(m_component);
    }

    // ---- parameters (controller side) ----
    std::vector<Steinberg::Vst::ParameterInfo> parameters() const;
    std::optional<Steinberg::Vst::ParameterInfo> findParameter(const std::string& title) const;
    std::string valueText(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue normalized) const;

    // ---- set-up ----
    bool setBusArrangements(Steinberg::Vst::SpeakerArrangement input,
                            Steinberg::Vst::SpeakerArrangement output);
    // Sets up processing (32-bit, real time unless offline) and activates the instance.
    bool activate(double sampleRate, Steinberg::int32 maxBlockSize, bool offline = false);
    void deactivate();
    bool isActive() const { return m_active; }
    double sampleRate() const { return m_sampleRate; }
    Steinberg::int32 maxBlockSize() const { return m_maxBlockSize; }

    // ---- state ----
    // The component's state; empty when the instance refuses to give one.
    std::vector<std::uint8_t> saveState() const;
    // Hands a state to the component and then to the controller, as a host restoring a
    // project does. Returns the component's result.
    Steinberg::tresult loadState(const std::vector<std::uint8_t>& state);

    // Texts of the SDK's 16-bit strings.
    static std::string toUtf8(const Steinberg::Vst::TChar* text);

  private:
    PluginInstance() = default;

    HostContext m_context;
    ComponentHandler m_handler;
    std::string m_classId;
    std::string m_className;
    Steinberg::IPtr<Steinberg::Vst::IComponent> m_component;
    Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> m_processor;
    Steinberg::IPtr<Steinberg::Vst::IEditController> m_controller;
    bool m_initialized = false;
    bool m_active = false;
    double m_sampleRate = 0.0;
    Steinberg::int32 m_maxBlockSize = 0;
};

} // namespace vevadur::host
