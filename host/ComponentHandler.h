#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <vector>

namespace vevadur::host
{

// Receives what a plug-in's controller reports to its host and keeps it for the caller:
// parameter edits, restart requests and unit notifications.
class ComponentHandler : public Steinberg::Vst::IComponentHandler,
                         public Steinberg::Vst::IUnitHandler
{
  public:
    struct Edit
    {
        Steinberg::Vst::ParamID id;
        Steinberg::Vst::ParamValue value;
    };

    ComponentHandler() = default;
    virtual ~ComponentHandler() = default;

    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue value) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) SMTG_OVERRIDE;

    Steinberg::tresult PLUGIN_API notifyUnitSelection(Steinberg::Vst::UnitID unitId) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API notifyProgramListChange(
        Steinberg::Vst::ProgramListID listId, Steinberg::int32 programIndex) SMTG_OVERRIDE;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid,
                                                 void** obj) SMTG_OVERRIDE;
    // The owner controls the lifetime.
    Steinberg::uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return 1; }
    Steinberg::uint32 PLUGIN_API release() SMTG_OVERRIDE { return 1; }

    const std::vector<Edit>& edits() const { return m_edits; }
    Steinberg::int32 restartFlags() const { return m_restartFlags; }
    int restartCount() const { return m_restartCount; }
    Steinberg::Vst::UnitID selectedUnit() const { return m_selectedUnit; }
    void clear();

  private:
    std::vector<Edit> m_edits;
    Steinberg::int32 m_restartFlags = 0;
    int m_restartCount = 0;
    Steinberg::Vst::UnitID m_selectedUnit = Steinberg::Vst::kRootUnitId;
};

} // namespace vevadur::host
