#include "host/render/Renderer.h"

#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/ProcessBlock.h"
#include "host/render/BundleLocation.h"
#include "host/render/ParameterSetting.h"
#include "host/render/PresetLocation.h"
#include "host/render/ProgressBar.h"
#include "host/render/SoundFiles.h"
#include "host/VstPresetFile.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace vevadur::render
{
namespace
{
constexpr int kOutputChannels = 2;

std::string lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
// Files shorter than this many seconds finish too fast to need a progress bar.
constexpr double kProgressFromSeconds = 10.0;

struct LoadedPlugin
{
    std::string bundle;
    std::unique_ptr<host::PluginModule> module;
    std::unique_ptr<host::PluginInstance> instance;
};

bool loadPlugin(const std::string& requested, LoadedPlugin& plugin, std::string& error)
{
    const std::string bundle = locateBundle(requested);
    if (bundle.empty())
    {
        error = "cannot find VevadurROT.vst3 (give it with --plugin)";
        return false;
    }
    plugin.bundle = bundle;
    plugin.module = host::PluginModule::load(bundle, error);
    if (!plugin.module) return false;
    plugin.instance = host::PluginInstance::create(*plugin.module, "", error);
    return plugin.instance != nullptr;
}

// Loads a preset into the instance as a host does: the component state to the processor, then
// to the controller.
bool loadPreset(const std::string& request, const LoadedPlugin& plugin, std::string& error)
{
    host::PluginInstance& instance = *plugin.instance;
    const std::vector<std::string> folders = presetFolders(
        plugin.bundle, plugin.module->factoryInfo().vendor, instance.className());
    std::string path;
    if (!locatePreset(request, folders, path, error)) return false;
    host::VstPreset preset;
    if (!host::readVstPreset(path, preset, error)) return false;
    if (lowered(preset.classId) != lowered(instance.classId()))
    {
        error = path + " is a preset for another plug-in";
        return false;
    }
    if (instance.loadState(preset.componentState) != kResultOk)
    {
        error = "the plug-in refused the preset " + path;
        return false;
    }
    return true;
}

bool resolveSettings(const RenderOptions& options, const host::PluginInstance& instance,
                     std::vector<ParameterSetting>& settings, std::string& error)
{
    for (const auto& [title, value] : options.settings)
    {
        ParameterSetting setting;
        if (!resolveSetting(instance, title, value, setting, error)) return false;
        settings.push_back(setting);
    }
    return true;
}

// Streams the input, then the tail of silence, through the instance into the writer.
class RenderLoop
{
  public:
    RenderLoop(host::PluginInstance& instance, SoundFileReader& reader, SoundFileWriter& writer,
               int blockSize)
        : m_block(instance), m_reader(reader), m_writer(writer), m_blockSize(blockSize),
          m_interleavedIn(static_cast<size_t>(blockSize) * reader.channels()),
          m_interleavedOut(static_cast<size_t>(blockSize) * kOutputChannels), m_in(2, blockSize),
          m_out(2, blockSize)
    {
    }

    host::ProcessBlock& block() { return m_block; }

    bool run(long long tailFrames, const volatile std::sig_atomic_t& stop, std::string& error)
    {
        const long long total = std::max(m_reader.frames(), 0LL) + tailFrames;
        const bool longJob = total > kProgressFromSeconds * m_reader.sampleRate();
        ProgressBar progress(stderr, total, longJob);
        long long done = 0;
        bool inputLeft = true;
        long long tailLeft = tailFrames;
        while (!stop)
        {
            long frames = 0;
            if (inputLeft)
            {
                frames = readInput();
                inputLeft = frames > 0;
            }
            if (!inputLeft)
            {
                frames = static_cast<long>(std::min<long long>(tailLeft, m_blockSize));
                silenceInput(frames);
                tailLeft -= frames;
            }
            if (frames <= 0) break;
            if (!processAndWrite(frames, error)) return false;
            done += frames;
            progress.update(done);
        }
        if (stop)
        {
            error = "interrupted";
            return false;
        }
        return true;
    }

  private:
    struct Channels
    {
        Channels(int count, int frames) : data(count, std::vector<float>(frames)), pointers(count)
        {
            for (int c = 0; c < count; ++c)
                pointers[c] = data[c].data();
        }
        std::vector<std::vector<float>> data;
        std::vector<float*> pointers;
    };

    // Reads one block, spreading a mono file over both input channels.
    long readInput()
    {
        const long frames = m_reader.read(m_interleavedIn.data(), m_blockSize);
        const int channels = m_reader.channels();
        for (long i = 0; i < frames; ++i)
        {
            m_in.data[0][i] = m_interleavedIn[i * channels];
            m_in.data[1][i] = m_interleavedIn[i * channels + (channels - 1)];
        }
        return frames;
    }

    void silenceInput(long frames)
    {
        for (auto& channel : m_in.data)
            std::fill(channel.begin(), channel.begin() + frames, 0.0f);
    }

    bool processAndWrite(long frames, std::string& error)
    {
        if (m_block.process(m_in.pointers.data(), m_out.pointers.data(),
                            static_cast<int32>(frames)) != kResultOk)
        {
            error = "the plug-in failed to process";
            return false;
        }
        for (long i = 0; i < frames; ++i)
        {
            for (int c = 0; c < kOutputChannels; ++c)
            {
                const float sample = m_out.data[c][i];
                // A sample that is not a number would make the file unreadable for many tools.
                m_interleavedOut[i * kOutputChannels + c] = std::isfinite(sample) ? sample : 0.0f;
            }
        }
        return m_writer.write(m_interleavedOut.data(), frames, error);
    }

    host::ProcessBlock m_block;
    SoundFileReader& m_reader;
    SoundFileWriter& m_writer;
    int m_blockSize;
    std::vector<float> m_interleavedIn;
    std::vector<float> m_interleavedOut;
    Channels m_in;
    Channels m_out;
};
} // namespace

bool renderFile(const RenderOptions& options, const volatile std::sig_atomic_t& stop,
                std::string& error)
{
    if (SoundFileWriter::formatFor(options.output) == 0)
    {
        error = "cannot write " + options.output + ": use a .wav, .aiff, .flac or .ogg name";
        return false;
    }
    SoundFileReader reader;
    if (!reader.open(options.input, error)) return false;

    LoadedPlugin plugin;
    if (!loadPlugin(options.plugin, plugin, error)) return false;
    host::PluginInstance& instance = *plugin.instance;
    if (!options.preset.empty() && !loadPreset(options.preset, plugin, error)) return false;
    std::vector<ParameterSetting> settings;
    if (!resolveSettings(options, instance, settings, error)) return false;
    if (!instance.setBusArrangements(SpeakerArr::kStereo, SpeakerArr::kStereo) ||
        !instance.activate(reader.sampleRate(), options.blockSize, true))
    {
        error = "the plug-in refused to run at " + std::to_string(reader.sampleRate()) + " Hz";
        return false;
    }

    SoundFileWriter writer;
    if (!writer.open(options.output, kOutputChannels, reader.sampleRate(), error)) return false;
    RenderLoop loop(instance, reader, writer, options.blockSize);
    // As a host does: the controller learns the values, the processor gets them as changes
    // at the start of the first block.
    for (const ParameterSetting& setting : settings)
    {
        instance.controller().setParamNormalized(setting.id, setting.normalized);
        loop.block().addParameterChange(setting.id, 0, setting.normalized);
    }
    const long long tailFrames = options.tailSeconds
                                     ? std::llround(*options.tailSeconds * reader.sampleRate())
                                     : kRoomTailFrames;
    if (!loop.run(tailFrames, stop, error)) return false;
    return writer.commit(error);
}

} // namespace vevadur::render
