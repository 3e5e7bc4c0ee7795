#include "effect/CVevadur.h"

#include "core/SilentSamples.h"
#include "engine/FastRoom.h"
#include "engine/RoomModel.h"
#include "engine/bank/ResponseBank.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

using Engine::kInputs;

namespace
{
constexpr unsigned kRunFrames = 256; // frames per pass through the room
constexpr int kFB = Engine::ResponseBank::kFrontBack;
constexpr int kLR = Engine::ResponseBank::kLeftRight;
constexpr int kCF = Engine::ResponseBank::kCeilingFloor;
constexpr int kRightEar = Engine::kComponents; // first input of the right ear
} // namespace

CVevadur::CVevadur() : CVevadur(std::make_unique<Engine::FastRoom>()) {}

CVevadur::CVevadur(std::unique_ptr<Engine::RoomModel> room)
    : m_pRoom(std::move(room)), m_RunBuffers(size_t(kInputs + 2) * kRunFrames, 0.0)
{
    m_dPi = vevadur::kPi;
    m_dAngle = m_dPhase = m_dAngleInc = 0.0;
    buildControls();
    m_pEffectName = "VevadurROT";
    m_bEditorMessages = true;
    m_bInstrument = false;
    m_bAllMidi = false;
    m_nKnobMode = 2;
}

CVevadur::~CVevadur() = default;

size_t CVevadur::roomMemoryBytes() const
{
    return m_pRoom->memoryBytes() + m_RunBuffers.capacity() * sizeof(double);
}

// ---- set-up --------------------------------------------------------------------------------

void CVevadur::loadResponses()
{
    m_pRoom->loadPosition(static_cast<int>(m_uPosition));
    // The chosen curve, not a fixed one: hosts restore a project's state before they activate
    // the effect, and the room must sound as its "Decay Type" reads.
    setEnvelope(kFB);
    setEnvelope(kLR);
    setEnvelope(kCF);
    setGain(kFB);
    setGain(kLR);
    setGain(kCF);
    // Activation is a host's reset: the room starts from silence with these responses whole,
    // as a fresh instance given the same controls would.
    m_pRoom->restart();
    // The phase keeps running; only the next frame's angle starts from zero.
    m_dAngle = 0.0;
}

bool CVevadur::postConstruct()
{
    loadResponses();
    return true;
}

bool CVevadur::prepare()
{
    loadResponses();
    return CPlugIn::prepare();
}

// ---- control changes -----------------------------------------------------------------------

void CVevadur::setEnvelope(int component)
{
    const float absorption = component == kFB ? m_fAbsFB : component == kLR ? m_fAbsLR : m_fAbsCF;
    m_pRoom->setEnvelope(component, absorption, m_nRateHz, m_nCurveType);
}

void CVevadur::setGain(int component)
{
    const float volume = component == kFB ? m_fVolFB : component == kLR ? m_fVolLR : m_fVolCF;
    m_pRoom->setGain(component, volume);
}

bool CVevadur::controlChanged(uint32_t controlId)
{
    switch (controlId)
    {
    case kPosition:
        m_pRoom->loadPosition(static_cast<int>(m_uPosition));
        break;
    case kVolLR:
        setGain(kLR);
        break;
    case kAbsLR:
        setEnvelope(kLR);
        break;
    case kVolFB:
        setGain(kFB);
        break;
    case kAbsFB:
        setEnvelope(kFB);
        break;
    case kVolCF:
        setGain(kCF);
        break;
    case kAbsCF:
        setEnvelope(kCF);
        break;
    case kDecayType:
        setEnvelope(kLR);
        setEnvelope(kFB);
        setEnvelope(kCF);
        break;
    case kSpeed:
        // A rate that is not positive would make the increment meaningless: keep the old one.
        if (m_nRateHz > 0) m_dAngleInc = m_fSpeed * (m_dPi * 2.0) / static_cast<double>(m_nRateHz);
        break;
    default: // gain, routing and reverse are read per frame; buttons do nothing here
        break;
    }
    return true;
}

// ---- processing ----------------------------------------------------------------------------

bool CVevadur::processFrame(const float* in, float* out, unsigned numIn, unsigned numOut)
{
    smoothControls();
    const float* inChannels[2] = {in, in ? in + 1 : nullptr};
    float* outChannels[2] = {out, out ? out + 1 : nullptr};
    renderRun(inChannels, outChannels, in ? numIn : 0, out ? numOut : 0, 0, 1);
    return true;
}

bool CVevadur::processRun(const float* const* in, float* const* out, unsigned numIn,
                          unsigned numOut, unsigned frames)
{
    // Channels are usable up to the first missing one.
    unsigned inChannels = 0;
    while (in && inChannels < numIn && inChannels < 2 && in[inChannels])
        ++inChannels;
    if (numIn > 2 && inChannels == 2) inChannels = numIn; // only 0 and 1 are ever read
    unsigned outChannels = 0;
    while (out && outChannels < numOut && outChannels < 2 && out[outChannels])
        ++outChannels;
    if (smoothingActive())
    {
        // Smoothed values move every frame.
        for (unsigned i = 0; i < frames; ++i)
        {
            smoothControls();
            renderRun(in, out, inChannels, outChannels, i, 1);
        }
        return true;
    }
    renderRun(in, out, inChannels, outChannels, 0, frames);
    return true;
}

void CVevadur::renderRun(const float* const* in, float* const* out, unsigned numIn, unsigned numOut,
                         unsigned offset, unsigned frames)
{
    const bool rightEar = numOut == 2 && (numIn == 1 || numIn == 2);
    const double* inputs[kInputs];
    for (int e = 0; e < kInputs; ++e)
        inputs[e] = &m_RunBuffers[size_t(e) * kRunFrames];
    double* left = &m_RunBuffers[size_t(kInputs) * kRunFrames];
    double* right = left + kRunFrames;
    for (unsigned done = 0; done < frames; done += kRunFrames)
    {
        const unsigned count = std::min(kRunFrames, frames - done);
        const unsigned at = offset + done;
        if (silentInput(in, numIn, at, count))
        {
            // Silence weighs nothing: no sines and cosines, the rotation advances all the same.
            // A room whose response has passed need not even hear it.
            advanceRotation(count);
            if (m_pRoom->rest(static_cast<int32_t>(count)))
            {
                writeSilence(out, numOut, at, count);
                continue;
            }
            for (int e = 0; e < kInputs; ++e)
                std::fill(m_RunBuffers.begin() + e * kRunFrames,
                          m_RunBuffers.begin() + e * kRunFrames + count, 0.0);
        }
        else
        {
            weighInputs(in, numIn, at, count, rightEar);
        }
        m_pRoom->process(inputs, left, right, static_cast<int32_t>(count), rightEar);
        for (unsigned i = 0; i < count; ++i)
        {
            const float firstInput = numIn > 0 ? in[0][at + i] : 0.0f;
            if (numOut > 0) out[0][at + i] = static_cast<float>(left[i]) * m_fGain;
            if (rightEar)
                out[1][at + i] = static_cast<float>(right[i]) * m_fGain;
            else if (numOut >= 2)
                out[1][at + i] = firstInput;
        }
    }
}

// The sine and cosine of m_dAngle. A run's first frame asks the library; each later frame turns
// the last pair by the step to the new angle (the angles' difference, exact between neighbours),
// whose sine and cosine are kept: a per-frame library call costs more than the room's weighing,
// and the turned pair stays within a few units in the last place over a run.
void CVevadur::nextRotation(Rotation& rotation)
{
    // The angle often stands still (speed 0): its sine and cosine are then the same numbers.
    if (rotation.angle == m_dAngle) return;
    const double step = m_dAngle - rotation.angle;
    if (!std::isfinite(step))
    {
        rotation = {m_dAngle, std::sin(m_dAngle), std::cos(m_dAngle)};
        return;
    }
    if (m_Steps[0].step != step)
    {
        std::swap(m_Steps[0], m_Steps[1]);
        if (m_Steps[0].step != step) m_Steps[0] = {step, std::sin(step), std::cos(step)};
    }
    const RotationStep& turn = m_Steps[0];
    rotation = {m_dAngle, rotation.s * turn.c + rotation.c * turn.s,
                rotation.c * turn.c - rotation.s * turn.s};
}

// The component inputs of each ear: front-back by the cosine weight k, left-right by the sine s
// (swapped for a left ear fed from the right channel), ceiling-floor unweighted. The weights come
// first, frame by frame as the angle advances; the products then run as plain loops over the run.
void CVevadur::weighInputs(const float* const* in, unsigned numIn, unsigned offset, unsigned frames,
                           bool rightEar)
{
    const bool leftFirst = m_fStereoMono == 0 || (m_fStereoMono == 1 && m_fLeftRight == 0);
    // With a single input channel there is no second one to take, whatever the routing says.
    const unsigned leftChannel = (leftFirst || numIn < 2) ? 0 : 1;
    const bool rightSecond =
        numIn == 2 && (m_fStereoMono == 0 || (m_fStereoMono == 1 && m_fLeftRight == 1));
    const unsigned rightChannel = rightSecond ? 1 : 0;
    double* inputs[kInputs];
    for (int e = 0; e < kInputs; ++e)
        inputs[e] = &m_RunBuffers[size_t(e) * kRunFrames];

    // A run is at most kRunFrames long (renderRun cuts it so).
    double sines[kRunFrames];
    double cosines[kRunFrames];
    Rotation rotation{std::numeric_limits<double>::quiet_NaN(), 0.0, 1.0};
    const double cosineSign = m_uReverse != 0 ? 1.0 : -1.0;
    for (unsigned i = 0; i < frames; ++i)
    {
        nextRotation(rotation);
        sines[i] = rotation.s;
        cosines[i] = cosineSign * rotation.c;
        m_dPhase = m_dPhase + m_dAngleInc;
        m_dAngle = m_dPhase;
    }

    const double* frontBackWeight = leftFirst ? cosines : sines;
    const double* leftRightWeight = leftFirst ? sines : cosines;
    const float* left = numIn > 0 ? in[leftChannel] + offset : nullptr;
    for (unsigned i = 0; i < frames; ++i)
    {
        const double x = left ? static_cast<double>(left[i]) : 0.0;
        inputs[kFB][i] = x * frontBackWeight[i];
        inputs[kLR][i] = x * leftRightWeight[i];
        inputs[kCF][i] = x;
    }
    if (!rightEar) return;
    const float* right = in[rightChannel] + offset;
    for (unsigned i = 0; i < frames; ++i)
    {
        const double y = static_cast<double>(right[i]);
        inputs[kRightEar + kFB][i] = y * sines[i];
        inputs[kRightEar + kLR][i] = y * cosines[i];
        inputs[kRightEar + kCF][i] = y;
    }
}

// The rotation over frames that need no weights, advanced as weighInputs advances it.
void CVevadur::advanceRotation(unsigned frames)
{
    if (frames == 0) return;
    // The same additions, each rounded, four to a pass: the loop's own steps stay off the chain.
    double phase = m_dPhase;
    const double increment = m_dAngleInc;
    unsigned i = 0;
    for (; i + 4 <= frames; i += 4)
        phase = (((phase + increment) + increment) + increment) + increment;
    for (; i < frames; ++i)
        phase = phase + increment;
    m_dPhase = phase;
    m_dAngle = phase;
}

// What renderRun writes for a silent room: zeros, or on a second output the first input when
// the room has no right ear (zeros too, since that input was silent).
void CVevadur::writeSilence(float* const* out, unsigned numOut, unsigned offset, unsigned frames)
{
    for (unsigned c = 0; c < numOut && c < 2; ++c)
        clearSamples(out[c] + offset, frames);
}

// True when every input channel the run reads (the first two) holds only zeros.
bool CVevadur::silentInput(const float* const* in, unsigned numIn, unsigned offset, unsigned frames)
{
    for (unsigned c = 0; c < numIn && c < 2; ++c)
        if (!silentSamples(in[c] + offset, frames)) return false;
    return true;
}

bool CVevadur::processBuffer(const float* in, float* out, unsigned, unsigned, unsigned frames)
{
    if (!in || !out) return true;
    for (unsigned i = 0; i < frames; ++i)
        out[i] = in[i];
    return true;
}

bool CVevadur::processChannelBuffers(float** in, float** out, unsigned numChannels, unsigned frames)
{
    if (!in || !out) return true;
    for (unsigned ch = 0; ch < 2 && ch < numChannels; ++ch)
    {
        if (!in[ch] || !out[ch]) continue;
        for (unsigned i = 0; i < frames; ++i)
            out[ch][i] = in[ch][i];
    }
    return true;
}
