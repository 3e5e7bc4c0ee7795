#include "effect/CVevadur.h"

#include "engine/DelayLine.h"
#include "engine/ResponseBank.h"
#include "engine/SegmentConvolver.h"

#include <cmath>

namespace
{
constexpr int kHeadSegment = 4096;
constexpr int kHeadBlock = 128;
constexpr int kTailSegment = 65536;
constexpr int kTailBlock = 2048;
constexpr int kTailDelay = 256;
constexpr int kHyperbolic = 1;

std::unique_ptr<SegmentConvolver> makeStage(bool head, bool negate, int sampleRate)
{
    return std::make_unique<SegmentConvolver>(
        0, sampleRate, negate ? 1 : 0, ResponseBank::kTableLength,
        head ? kHeadSegment : kTailSegment, head ? kHeadBlock : kTailBlock,
        head ? 0 : kHeadSegment);
}

// The room effect's ears sum their stages in a fixed order, kept for reproducible output.
double headSum(SegmentConvolver& fb, SegmentConvolver& lr, SegmentConvolver& cf)
{
    return lr.output() + fb.output() + cf.output();
}

double tailSum(SegmentConvolver& fb, SegmentConvolver& lr, SegmentConvolver& cf)
{
    return fb.output() + lr.output() + cf.output();
}
} // namespace

CVevadur::CVevadur()
{
    createConvolvers();
    m_pTailDelayL = std::make_unique<DelayLine>(m_nRateHz, kTailDelay, 0.0, 100.0);
    m_pTailDelayR = std::make_unique<DelayLine>(m_nRateHz, kTailDelay, 0.0, 100.0);
    m_dPi = 3.141592653589793;
    m_dAngle = m_dPhase = m_dAngleInc = 0.0;
    buildControls();
    m_pEffectName = "VevadurROT";
    m_bEditorMessages = true;
    m_bInstrument = false;
    m_bAllMidi = false;
    m_nKnobMode = 2;
}

CVevadur::~CVevadur() = default;

void CVevadur::createConvolvers()
{
    m_pFBHeadL = makeStage(true, false, m_nRateHz);
    m_pFBHeadR = makeStage(true, true, m_nRateHz);
    m_pFBTailL = makeStage(false, false, m_nRateHz);
    m_pFBTailR = makeStage(false, true, m_nRateHz);
    m_pLRHeadL = makeStage(true, false, m_nRateHz);
    m_pLRHeadR = makeStage(true, true, m_nRateHz);
    m_pLRTailL = makeStage(false, false, m_nRateHz);
    m_pLRTailR = makeStage(false, true, m_nRateHz);
    m_pCFHeadL = makeStage(true, false, m_nRateHz);
    m_pCFHeadR = makeStage(true, true, m_nRateHz);
    m_pCFTailL = makeStage(false, false, m_nRateHz);
    m_pCFTailR = makeStage(false, true, m_nRateHz);
}

// ---- set-up --------------------------------------------------------------------------------

void CVevadur::loadResponses()
{
    SegmentConvolver* pairs[6][2] = {
        {m_pFBHeadL.get(), m_pFBHeadR.get()}, {m_pFBTailL.get(), m_pFBTailR.get()},
        {m_pLRHeadL.get(), m_pLRHeadR.get()}, {m_pLRTailL.get(), m_pLRTailR.get()},
        {m_pCFHeadL.get(), m_pCFHeadR.get()}, {m_pCFTailL.get(), m_pCFTailR.get()}};
    for (int pair = 0; pair < 6; ++pair)
    {
        const Component component = static_cast<Component>(pair / 2);
        for (SegmentConvolver* c : pairs[pair])
            c->loadPosition(static_cast<int>(m_uPosition));
        // The chosen decay curve only applies from the next absorption or curve change.
        for (SegmentConvolver* c : pairs[pair])
            c->setEnvelopes(m_fAbsFB, m_fAbsLR, m_fAbsCF, m_nRateHz, kHyperbolic);
        for (SegmentConvolver* c : pairs[pair])
        {
            c->setGains(component == kFrontBack ? m_fVolFB : 0.0,
                        component == kLeftRightWalls ? m_fVolLR : 0.0,
                        component == kCeilingFloor ? m_fVolCF : 0.0);
        }
    }
    m_pTailDelayL->set(kTailDelay, 0.0, 100.0);
    m_pTailDelayR->set(kTailDelay, 0.0, 100.0);
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

void CVevadur::setEnvelope(Component component)
{
    switch (component)
    {
    case kFrontBack:
        for (auto* c : {m_pFBHeadL.get(), m_pFBHeadR.get(), m_pFBTailL.get(), m_pFBTailR.get()})
            c->setEnvelopeFB(m_fAbsFB, m_nRateHz, m_nCurveType);
        break;
    case kLeftRightWalls:
        for (auto* c : {m_pLRHeadL.get(), m_pLRHeadR.get(), m_pLRTailL.get(), m_pLRTailR.get()})
            c->setEnvelopeLR(m_fAbsLR, m_nRateHz, m_nCurveType);
        break;
    case kCeilingFloor:
        for (auto* c : {m_pCFHeadL.get(), m_pCFHeadR.get(), m_pCFTailL.get(), m_pCFTailR.get()})
            c->setEnvelopeCF(m_fAbsCF, m_nRateHz, m_nCurveType);
        break;
    }
}

void CVevadur::setGains(Component component)
{
    switch (component)
    {
    case kFrontBack:
        for (auto* c : {m_pFBHeadL.get(), m_pFBHeadR.get(), m_pFBTailL.get(), m_pFBTailR.get()})
            c->setGains(m_fVolFB, 0.0, 0.0);
        break;
    case kLeftRightWalls:
        for (auto* c : {m_pLRHeadL.get(), m_pLRHeadR.get(), m_pLRTailL.get(), m_pLRTailR.get()})
            c->setGains(0.0, m_fVolLR, 0.0);
        break;
    case kCeilingFloor:
        for (auto* c : {m_pCFHeadL.get(), m_pCFHeadR.get(), m_pCFTailL.get(), m_pCFTailR.get()})
            c->setGains(0.0, 0.0, m_fVolCF);
        break;
    }
}

bool CVevadur::controlChanged(uint32_t controlId)
{
    switch (controlId)
    {
    case kPosition:
        for (auto* c : {m_pFBHeadL.get(), m_pFBHeadR.get(), m_pFBTailL.get(), m_pFBTailR.get(),
                        m_pLRHeadL.get(), m_pLRHeadR.get(), m_pLRTailL.get(), m_pLRTailR.get(),
                        m_pCFHeadL.get(), m_pCFHeadR.get(), m_pCFTailL.get(), m_pCFTailR.get()})
            c->loadPosition(static_cast<int>(m_uPosition));
        break;
    case kVolLR:
        setGains(kLeftRightWalls);
        break;
    case kAbsLR:
        setEnvelope(kLeftRightWalls);
        break;
    case kVolFB:
        setGains(kFrontBack);
        break;
    case kAbsFB:
        setEnvelope(kFrontBack);
        break;
    case kVolCF:
        setGains(kCeilingFloor);
        break;
    case kAbsCF:
        setEnvelope(kCeilingFloor);
        break;
    case kDecayType:
        setEnvelope(kLeftRightWalls);
        setEnvelope(kFrontBack);
        setEnvelope(kCeilingFloor);
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

double CVevadur::runLeftEar(const float* in, unsigned numIn, double s, double k)
{
    const bool firstChannel = m_fStereoMono == 0 || (m_fStereoMono == 1 && m_fLeftRight == 0);
    // With a single input channel there is no second one to take, whatever the routing says.
    const unsigned channel = (firstChannel || numIn < 2) ? 0 : 1;
    const double x = numIn > 0 ? static_cast<double>(in[channel]) : 0.0;
    const double fbWeight = firstChannel ? k : s;
    const double lrWeight = firstChannel ? s : k;
    m_pFBHeadL->push(x * fbWeight);
    m_pFBTailL->push(x * fbWeight);
    m_pLRHeadL->push(x * lrWeight);
    m_pLRTailL->push(x * lrWeight);
    m_pCFHeadL->push(x);
    m_pCFTailL->push(x);
    m_pTailDelayL->push(tailSum(*m_pFBTailL, *m_pLRTailL, *m_pCFTailL));
    return m_pTailDelayL->output() + headSum(*m_pFBHeadL, *m_pLRHeadL, *m_pCFHeadL);
}

double CVevadur::runRightEar(const float* in, unsigned numIn, double s, double k)
{
    const bool secondChannel =
        numIn == 2 && (m_fStereoMono == 0 || (m_fStereoMono == 1 && m_fLeftRight == 1));
    const double x = static_cast<double>(in[secondChannel ? 1 : 0]);
    m_pFBHeadR->push(x * s);
    m_pFBTailR->push(x * s);
    m_pLRHeadR->push(x * k);
    m_pLRTailR->push(x * k);
    m_pCFHeadR->push(x);
    m_pCFTailR->push(x);
    m_pTailDelayR->push(tailSum(*m_pFBTailR, *m_pLRTailR, *m_pCFTailR));
    return m_pTailDelayR->output() + headSum(*m_pFBHeadR, *m_pLRHeadR, *m_pCFHeadR);
}

bool CVevadur::processFrame(const float* in, float* out, unsigned numIn, unsigned numOut)
{
    smoothControls();
    const double s = std::sin(m_dAngle);
    const double c = std::cos(m_dAngle);
    const double k = m_uReverse != 0 ? c : -c;

    const double left = runLeftEar(in, numIn, s, k);
    if (numOut > 0) out[0] = static_cast<float>(left) * m_fGain;

    if (numOut == 2 && (numIn == 1 || numIn == 2))
        out[1] = static_cast<float>(runRightEar(in, numIn, s, k)) * m_fGain;
    else if (numOut >= 2)
        out[1] = numIn > 0 ? in[0] : 0.0f;

    m_dPhase = m_dPhase + m_dAngleInc;
    m_dAngle = m_dPhase;
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
