#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sys/wait.h>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr int kRate = 48000;

// Fontconfig, which cairo's text uses, keeps its configuration for the life of the process; a
// leak-checking build is told to ignore what it holds, and checks everything else.
std::string leakSuppressions()
{
    const std::string path = testing::TempDir() + "vevadur_analyze.supp";
    std::ofstream(path) << "leak:libfontconfig.so\n";
    return path;
}

int run(const std::string& arguments, const std::string& output)
{
    static const std::string suppressions = leakSuppressions();
    // The tool gets a minute; one that does not end says so in its output.
    const std::string command = "LSAN_OPTIONS=suppressions=\"" + suppressions +
                                "\" timeout -k 5 60 \"" + VEVADUR_ANALYZE_PATH + "\" " +
                                arguments + " > \"" + output + "\" 2>&1";
    const int status = std::system(command.c_str());
    const int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (exitStatus == 124)
        std::ofstream(output, std::ios::app) << "\n[vevadur-analyze did not end within 60 s]\n";
    return exitStatus;
}

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A stereo file whose left channel dies away in 0.5 s and its right one in 1.2 s.
void writeTwoDecays(const std::string& path)
{
    std::mt19937 random(3);
    std::normal_distribution<double> normal(0.0, 0.1);
    std::vector<double> frames(2 * kRate * 2);
    for (size_t n = 0; n < frames.size() / 2; ++n)
    {
        const double t = static_cast<double>(n) / kRate;
        frames[2 * n] = normal(random) * std::pow(10.0, -3.0 * t / 0.5);
        frames[2 * n + 1] = normal(random) * std::pow(10.0, -3.0 * t / 1.2);
    }
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_DOUBLE;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    sf_writef_double(file, frames.data(), static_cast<sf_count_t>(frames.size() / 2));
    sf_close(file);
}

// The T30 column of each "broadband" line, in channel order.
std::vector<double> broadbandT30(const std::string& report)
{
    std::vector<double> values;
    std::istringstream lines(report);
    std::string line;
    while (std::getline(lines, line))
    {
        std::istringstream words(line);
        std::string band;
        double edt = 0.0, t30 = 0.0;
        if (words >> band >> edt >> t30 && band == "broadband") values.push_back(t30);
    }
    return values;
}
} // namespace

TEST(AnalyzeTool, ReportsEachChannelAndDrawsThePicture)
{
    const std::string dir = testing::TempDir();
    const std::string wav = dir + "vevadur_analyze_in.wav", png = dir + "vevadur_analyze.png",
                      report = dir + "vevadur_analyze.txt";
    writeTwoDecays(wav);
    ASSERT_EQ(run("\"" + wav + "\" --png \"" + png + "\"", report), 0) << contents(report);
    const std::vector<double> t30 = broadbandT30(contents(report));
    ASSERT_EQ(t30.size(), 2u) << contents(report);
    EXPECT_NEAR(t30[0], 0.5, 0.03);
    EXPECT_NEAR(t30[1], 1.2, 0.07);
    EXPECT_EQ(contents(png).substr(1, 3), "PNG");
    std::remove(wav.c_str());
    std::remove(png.c_str());
    std::remove(report.c_str());
}

TEST(AnalyzeTool, RefusesBadArgumentsAndUnreadableFiles)
{
    const std::string report = testing::TempDir() + "vevadur_analyze_bad.txt";
    EXPECT_EQ(run("", report), 2);
    EXPECT_EQ(run("a.wav --png", report), 2);
    EXPECT_EQ(run("a.wav b.wav", report), 2);
    EXPECT_EQ(run("\"" + testing::TempDir() + "no such file.wav\"", report), 1);
    std::remove(report.c_str());
}
