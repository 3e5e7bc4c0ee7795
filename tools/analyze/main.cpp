// vevadur-analyze IN.wav [--png OUT.png]: measures every channel of an impulse response the way
// room acousticians do (decay times from Schroeder curves, broadband and by octave; normalised
// echo density; energy and peak) and can draw its spectrogram and octave-band decay curves.
#include "tools/analyze/AnalysisPicture.h"
#include "tools/analyze/ResponseAnalysis.h"

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
struct Options
{
    std::string input;
    std::string png;
};

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc)
            options.png = argv[++i];
        else if (options.input.empty() && argv[i][0] != '-')
            options.input = argv[i];
        else
            return false;
    }
    return !options.input.empty();
}

// The file's channels, de-interleaved; empty on failure.
std::vector<std::vector<double>> readChannels(const std::string& path, double& sampleRate)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<std::vector<double>> channels;
    if (info.channels > 0 && info.frames > 0)
    {
        std::vector<double> interleaved(static_cast<size_t>(info.frames) * info.channels);
        const sf_count_t frames = sf_readf_double(file, interleaved.data(), info.frames);
        channels.assign(info.channels, std::vector<double>(static_cast<size_t>(frames)));
        for (sf_count_t f = 0; f < frames; ++f)
            for (int c = 0; c < info.channels; ++c)
                channels[c][f] = interleaved[f * info.channels + c];
    }
    sampleRate = info.samplerate;
    sf_close(file);
    return channels;
}

void printSeconds(double seconds)
{
    std::isfinite(seconds) ? std::printf(" %8.3f", seconds) : std::printf(" %8s", "-");
}

void printDensity(const analyze::ResponseAnalysis& a, double sampleRate)
{
    std::printf("  echo density reaches 0.9 at: ");
    std::isfinite(a.mixingTime) ? std::printf("%.1f ms after the onset\n", a.mixingTime * 1000.0)
                                : std::printf("never\n");
    std::printf("  echo density after the onset:");
    const double onset = a.onset / sampleRate;
    for (double ms : {5.0, 10.0, 20.0, 50.0, 100.0, 200.0, 500.0, 1000.0})
        for (const analyze::DensityPoint& p : a.density)
            if (p.seconds >= onset + ms / 1000.0)
            {
                std::printf(" %g ms %.2f,", ms, p.density);
                break;
            }
    std::printf("\n");
}

void printChannel(int channel, const analyze::ResponseAnalysis& a, double sampleRate)
{
    std::printf("channel %d\n", channel + 1);
    std::printf("  energy %.4f, peak %.4f at sample %d, onset at sample %d\n", a.energy, a.peak,
                a.peakIndex, a.onset);
    std::printf("  %-10s %8s %8s\n", "band", "EDT s", "T30 s");
    std::printf("  %-10s", "broadband");
    printSeconds(a.broadband.edt);
    printSeconds(a.broadband.t30);
    std::printf("\n");
    for (int b = 0; b < analyze::kOctaveCount; ++b)
    {
        std::printf("  %-10g", analyze::kOctaveCentres[b]);
        printSeconds(a.bands[b].edt);
        printSeconds(a.bands[b].t30);
        std::printf("\n");
    }
    printDensity(a, sampleRate);
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options))
    {
        std::fprintf(stderr, "usage: %s IN.wav [--png OUT.png]\n", argv[0]);
        return 2;
    }
    double sampleRate = 0.0;
    const std::vector<std::vector<double>> channels = readChannels(options.input, sampleRate);
    if (channels.empty() || !(sampleRate > 0.0))
    {
        std::fprintf(stderr, "%s: cannot read audio from %s\n", argv[0], options.input.c_str());
        return 1;
    }
    std::printf("%s: %zu channel(s), %zu frames at %g Hz\n", options.input.c_str(),
                channels.size(), channels[0].size(), sampleRate);
    for (size_t c = 0; c < channels.size(); ++c)
        printChannel(static_cast<int>(c), analyze::analyzeResponse(channels[c], sampleRate),
                     sampleRate);
    if (!options.png.empty() && !analyze::writeAnalysisPicture(options.png, channels, sampleRate))
    {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], options.png.c_str());
        return 1;
    }
    return 0;
}
