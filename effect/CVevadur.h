#pragma once

#include "common/MathConstants.h"
#include "core/CPlugIn.h"
#include "engine/RoomGeometry.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Engine
{
class RoomModel;
}

// The room effect: convolves the input with the room response of the chosen source position,
// its front-back and left-right components weighted by the cosine and sine of a turning angle.
// Each ear runs a head stage and a tail stage per component (engine/RoomGeometry.h); the output
// is wet only, 255 samples late.
// The convolution itself is a RoomModel: the fast engine by default; the reference model for
// tests that hold the two to the same output.
class CVevadur : public CPlugIn
{
  public:
    // Control ids, equal to their positions in the control list.
    enum ControlId : uint32_t
    {
        kGain = 0,
        kPosition,
        kVolLR,
        kAbsLR,
        kVolFB,
        kAbsFB,
        kVolCF,
        kAbsCF,
        kDecayType,
        kStereoMono,
        kLeftRight,
        kSpeed,
        kReverse,
        kControlCount
    };

    // Frames between an input sample and its first response sample at the output.
    static constexpr int kLatencyFrames = Engine::kLatencyFrames;

    CVevadur();
    explicit CVevadur(std::unique_ptr<Engine::RoomModel> room);
    ~CVevadur() override;

    bool prepare() override;
    bool processFrame(const float* in, float* out, unsigned numIn, unsigned numOut) override;
    bool processRun(const float* const* in, float* const* out, unsigned numIn, unsigned numOut,
                    unsigned frames) override;
    bool processesRuns() const override { return true; }
    bool controlChanged(uint32_t controlId) override;
    bool postConstruct() override;
    bool processBuffer(const float* in, float* out, unsigned numIn, unsigned numOut,
                       unsigned frames) override;
    bool processChannelBuffers(float** in, float** out, unsigned numChannels,
                               unsigned frames) override;
    bool buildControls() override;

    // Bytes the room's convolution holds.
    size_t roomMemoryBytes() const;

    std::unique_ptr<Engine::RoomModel> m_pRoom;
    double m_dPi = vevadur::kPi;
    double m_dAngle = 0.0;
    double m_dPhase = 0.0;
    double m_dAngleInc = 0.0;

    float m_fGain = 0.5f;
    uint32_t m_uPosition = 0;
    float m_fVolLR = 1.0f;
    float m_fAbsLR = 7.0f;
    float m_fVolFB = 1.0f;
    float m_fAbsFB = 7.0f;
    float m_fVolCF = 1.0f;
    float m_fAbsCF = 7.0f;
    int32_t m_nCurveType = 1;
    uint32_t m_fStereoMono = 0; // an enumerated value despite its prefix
    uint32_t m_fLeftRight = 0;  // likewise
    float m_fSpeed = 0.0f;
    uint32_t m_uReverse = 0;

  private:
    struct Rotation
    {
        double angle, s, c;
    };
    // The sine and cosine of one step between consecutive angles.
    struct RotationStep
    {
        double step = 0.0, s = 0.0, c = 1.0;
    };

    void loadResponses();
    void setEnvelope(int component);
    void setGain(int component);
    void appendControls();
    void applyFrameworkSettings();
    void configureJoystickRecords();
    void renderRun(const float* const* in, float* const* out, unsigned numIn, unsigned numOut,
                   unsigned offset, unsigned frames);
    void weighInputs(const float* const* in, unsigned numIn, unsigned offset, unsigned frames,
                     bool rightEar);
    void nextRotation(Rotation& rotation);
    void advanceRotation(unsigned frames);
    static void writeSilence(float* const* out, unsigned numOut, unsigned offset, unsigned frames);
    static bool silentInput(const float* const* in, unsigned numIn, unsigned offset,
                            unsigned frames);

    // Component inputs of one pass (ear * 3 + component, kRunFrames each), then the two ears'
    // outputs.
    std::vector<double> m_RunBuffers;
    // The last two steps the angle took: the increment rounded to the angle's precision, which
    // takes one or two values for long stretches.
    RotationStep m_Steps[2];
};
