#include "Vst3Room.h"

#include <algorithm>

namespace lv2test
{

using namespace Steinberg;

Vst3Room::Vst3Room(double sampleRate, int32_t block) : m_blockSize(block)
{
    std::string error;
    m_module = vevadur::host::PluginModule::load(VEVADUR_VST3_BUNDLE, error);
    if (!m_module) return;
    m_instance = vevadur::host::PluginInstance::create(*m_module, "", error);
    if (!m_instance ||
        !m_instance->setBusArrangements(Vst::SpeakerArr::kStereo, Vst::SpeakerArr::kStereo) ||
        !m_instance->activate(sampleRate, block))
        return;
    m_block = std::make_unique<vevadur::host::ProcessBlock>(*m_instance);
}

void Vst3Room::set(const std::string& title, double plain)
{
    const auto info = m_instance->findParameter(title);
    if (!info) return;
    m_block->addParameterChange(info->id, 0,
                                m_instance->controller().plainParamToNormalized(info->id, plain));
}

void Vst3Room::render(const std::vector<float>& left, const std::vector<float>& right,
                      std::vector<float>& outLeft, std::vector<float>& outRight)
{
    const size_t frames = left.size();
    outLeft.assign(frames, 0.0f);
    outRight.assign(frames, 0.0f);
    for (size_t start = 0; start < frames; start += static_cast<size_t>(m_blockSize))
    {
        const auto n = static_cast<int32>(std::min<size_t>(m_blockSize, frames - start));
        const float* in[2] = {left.data() + start, right.data() + start};
        float* out[2] = {outLeft.data() + start, outRight.data() + start};
        m_block->process(in, out, n);
    }
}

std::vector<uint8_t> Vst3Room::state()
{
    m_block->flush();
    return m_instance->saveState();
}

} // namespace lv2test
