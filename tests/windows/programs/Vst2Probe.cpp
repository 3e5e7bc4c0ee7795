// vevadur-vst2-probe BUNDLE: runs the same signal through the plug-in twice under Windows, once
// as a VST2 host does (VSTPluginMain, processReplacing) and once as a VST3 host does (the
// factory, through our host library), and prints "blocks N peak P maxdiff D". Exits 0 when the
// two agree within 1e-6 of the peak.
// vevadur-vst2-probe BUNDLE --editor: opens the VST2 editor in a window of its own, as a VST2
// host does (an HWND, idle calls), and prints "rect W H", "child W H" for the window it made,
// then "closed" when closing took that window down. Exits 0 when all of that happened.
#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "host/ProcessBlock.h"

#include "Vst2Abi.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace Steinberg;
namespace Abi = Steinberg::Vst::Vst2Abi;

namespace
{
constexpr int kBlock = 512;
constexpr int kBlocks = 60;
constexpr float kSampleRate = 48000.f;

intptr_t hostCallback(vst_effect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    // Opcode 1 asks the host's VST version; everything else gets "no".
    return opcode == 1 ? 2400 : 0;
}

// A deterministic stereo test signal: a decaying tone on the left, a ramped pulse train right.
void fillInput(int block, std::vector<float>& left, std::vector<float>& right)
{
    for (int i = 0; i < kBlock; ++i)
    {
        const double t = (block * kBlock + i) / static_cast<double>(kSampleRate);
        const bool sounding = block < kBlocks / 3;
        left[i] = sounding ? static_cast<float>(0.5 * std::sin(2 * 3.141592653589793 * 330 * t)) : 0.f;
        right[i] = sounding && (block * kBlock + i) % 997 == 0 ? 0.8f : 0.f;
    }
}

std::vector<float> renderVst2(HMODULE module)
{
    using Entry = vst_effect* (*)(Abi::HostCallback);
    auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(module, "VSTPluginMain")));
    vst_effect* effect = entry ? entry(&hostCallback) : nullptr;
    if (!effect) return {};
    effect->control(effect, static_cast<VST_EFFECT_OPCODE>(Abi::kOpen), 0, 0, nullptr, 0.f);
    effect->control(effect, static_cast<VST_EFFECT_OPCODE>(Abi::kSetSampleRate), 0, 0, nullptr,
                    kSampleRate);
    effect->control(effect, static_cast<VST_EFFECT_OPCODE>(Abi::kSetBlockSize), 0, kBlock,
                    nullptr, 0.f);
    effect->control(effect, static_cast<VST_EFFECT_OPCODE>(Abi::kMainsChanged), 0, 1, nullptr,
                    0.f);
    std::vector<float> inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock), result;
    for (int b = 0; b < kBlocks; ++b)
    {
        fillInput(b, inL, inR);
        const float* in[2] = {inL.data(), inR.data()};
        float* out[2] = {outL.data(), outR.data()};
        effect->process_float(effect, in, out, kBlock);
        for (int i = 0; i < kBlock; ++i)
        {
            result.push_back(outL[i]);
            result.push_back(outR[i]);
        }
    }
    effect->control(effect, static_cast<VST_EFFECT_OPCODE>(Abi::kMainsChanged), 0, 0, nullptr,
                    0.f);
    effect->control(effect, static_cast<VST_EFFECT_OPCODE>(Abi::kClose), 0, 0, nullptr, 0.f);
    return result;
}

std::vector<float> renderVst3(const std::string& bundle)
{
    std::string error;
    auto module = vevadur::host::PluginModule::load(bundle, error);
    auto instance = module ? vevadur::host::PluginInstance::create(*module, "", error) : nullptr;
    if (!instance ||
        !instance->setBusArrangements(Vst::SpeakerArr::kStereo, Vst::SpeakerArr::kStereo) ||
        !instance->activate(kSampleRate, kBlock, false))
    {
        std::printf("VST3: %s\n", error.c_str());
        return {};
    }
    std::vector<float> result;
    {
        vevadur::host::ProcessBlock block(*instance);
        std::vector<float> inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock);
        for (int b = 0; b < kBlocks; ++b)
        {
            fillInput(b, inL, inR);
            const float* in[2] = {inL.data(), inR.data()};
            float* out[2] = {outL.data(), outR.data()};
            block.process(in, out, kBlock);
            for (int i = 0; i < kBlock; ++i)
            {
                result.push_back(outL[i]);
                result.push_back(outR[i]);
            }
        }
    }
    instance->deactivate();
    return result;
}
intptr_t dispatch(vst_effect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr)
{
    return effect->control(effect, static_cast<VST_EFFECT_OPCODE>(opcode), 0, value, ptr, 0.f);
}

int openEditor(HMODULE module)
{
    using Entry = vst_effect* (*)(Abi::HostCallback);
    auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(module, "VSTPluginMain")));
    vst_effect* effect = entry ? entry(&hostCallback) : nullptr;
    if (!effect || !(effect->flags & Abi::kFlagHasEditor)) return 1;
    dispatch(effect, Abi::kOpen);
    vst_rect* rect = nullptr;
    if (!dispatch(effect, Abi::kEditGetRect, 0, &rect) || !rect) return 1;
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    std::printf("rect %d %d\n", width, height);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VevadurVst2Probe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"VevadurVst2Probe", L"VST2", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                0, width + 40, height + 60, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    int status = 1;
    if (dispatch(effect, Abi::kEditOpen, 0, window) == 1)
    {
        for (int i = 0; i < 20; ++i)
        {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            dispatch(effect, Abi::kEditIdle);
            Sleep(20);
        }
        HWND child = GetWindow(window, GW_CHILD);
        RECT area{};
        if (child && GetClientRect(child, &area))
            std::printf("child %ld %ld\n", area.right - area.left, area.bottom - area.top);
        dispatch(effect, Abi::kEditClose);
        if (child && !IsWindow(child))
        {
            std::printf("closed\n");
            status = 0;
        }
    }
    DestroyWindow(window);
    dispatch(effect, Abi::kClose);
    return status;
}
} // namespace

int main(int argc, char** argv)
{
    const bool editor = argc == 3 && std::string(argv[2]) == "--editor";
    if (argc != 2 && !editor)
    {
        std::fprintf(stderr, "usage: vevadur-vst2-probe BUNDLE [--editor]\n");
        return 2;
    }
    const std::string bundle = argv[1];
    HMODULE module = LoadLibraryA(vevadur::host::PluginModule::libraryOf(bundle).c_str());
    if (!module)
    {
        std::printf("cannot load the plug-in\n");
        return 1;
    }
    if (editor)
    {
        const int status = openEditor(module);
        FreeLibrary(module);
        return status;
    }
    const std::vector<float> vst2 = renderVst2(module);
    const std::vector<float> vst3 = renderVst3(bundle);
    FreeLibrary(module);
    if (vst2.empty() || vst2.size() != vst3.size())
    {
        std::printf("VST2 gave %zu samples, VST3 %zu\n", vst2.size(), vst3.size());
        return 1;
    }
    double peak = 0;
    double maxDiff = 0;
    for (size_t i = 0; i < vst2.size(); ++i)
    {
        peak = std::max(peak, std::fabs(static_cast<double>(vst3[i])));
        maxDiff = std::max(maxDiff, std::fabs(static_cast<double>(vst2[i]) - vst3[i]));
    }
    std::printf("blocks %d peak %.9g maxdiff %.9g\n", kBlocks, peak, maxDiff);
    return peak > 0 && maxDiff <= 1e-6 * peak ? 0 : 1;
}
