#include "vst3/PluginFactory.h"

#include "vst3/PluginInfo.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg::Vst::Veru2ZOR3
{

IPluginFactory* acquirePluginFactory(ClassRegistration registerClasses)
{
    if (gPluginFactory)
    {
        gPluginFactory->addRef();
        return gPluginFactory;
    }
    const PFactoryInfo info(PluginInfo::kVendor, PluginInfo::kUrl, PluginInfo::kEmail,
                            PFactoryInfo::kUnicode);
    gPluginFactory = new CPluginFactory(info);
    if (registerClasses) registerClasses(*gPluginFactory);
    return gPluginFactory;
}

bool registerEffectClass(CPluginFactory& factory, const FUID& cid, const char* name,
                         const char* subCategories, CPluginFactory::CreateFunction create)
{
    // The vendor stays empty: hosts take the factory's. The SDK version is the one of the
    // interfaces compiled in.
    const PClassInfo2 info(cid.toTUID(), PClassInfo::kManyInstances, kVstAudioEffectClass, name, 0,
                           subCategories, nullptr, PluginInfo::kVersion, kVstVersionString);
    return factory.registerClass(&info, create);
}

} // namespace Steinberg::Vst::Veru2ZOR3
