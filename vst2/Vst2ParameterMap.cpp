#include "Vst2ParameterMap.h"

namespace Steinberg
{
namespace Vst
{

void Vst2ParameterMap::build(IEditController& controller)
{
    infos.clear();
    hostToIndex.clear();
    indexToHost.clear();
    programParameter = bypassParameter = -1;

    const int32 n = controller.getParameterCount();
    for (int32 i = 0; i < n; ++i)
    {
        ParameterInfo info{};
        if (controller.getParameterInfo(i, info) != kResultOk) continue;
        const int32 index = count();
        infos.push_back(info);
        const bool isProgram = (info.flags & ParameterInfo::kIsProgramChange) != 0;
        if (isProgram && programParameter < 0)
        {
            programParameter = index;
            indexToHost.push_back(-1);
            continue;
        }
        if ((info.flags & ParameterInfo::kIsBypass) && bypassParameter < 0) bypassParameter = index;
        indexToHost.push_back(hostCount());
        hostToIndex.push_back(index);
    }
}

int32 Vst2ParameterMap::indexOf(ParamID id) const
{
    for (int32 i = 0; i < count(); ++i)
        if (infos[static_cast<size_t>(i)].id == id) return i;
    return -1;
}

int32 Vst2ParameterMap::indexOfHost(int32 hostIndex) const
{
    if (hostIndex < 0 || hostIndex >= hostCount()) return -1;
    return hostToIndex[static_cast<size_t>(hostIndex)];
}

int32 Vst2ParameterMap::hostIndexOf(int32 index) const
{
    if (index < 0 || index >= count()) return -1;
    return indexToHost[static_cast<size_t>(index)];
}

int32 Vst2ParameterMap::programCount() const
{
    if (programParameter < 0) return 0;
    return info(programParameter).stepCount + 1;
}

} // namespace Vst
} // namespace Steinberg
