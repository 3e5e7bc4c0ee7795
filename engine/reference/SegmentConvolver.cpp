#include "engine/reference/SegmentConvolver.h"

#include "engine/ComponentResponse.h"
#include "engine/DecayEnvelope.h"
#include "engine/SampleGuard.h"
#include "engine/bank/ResponseBank.h"

#include <algorithm>
#include <cmath>

namespace Engine
{
namespace
{
constexpr int32_t kMaxBlockSize = 1 << 16;

int32_t powerOfTwoAtMost(int32_t n)
{
    int32_t p = 1;
    while (p <= n / 2)
        p *= 2;
    return p;
}

// Bin 0 of a real spectrum carries DC and Nyquist, both real, as one complex pair.
void packNyquistIntoDc(Complex* spectrum, int32_t nyquist)
{
    spectrum[0] = {spectrum[0].real(), spectrum[nyquist].real()};
}
} // namespace

SegmentConvolver::SegmentConvolver(int position, int /*sampleRate*/, bool negate,
                                   int32_t responseLength, int32_t segmentLength, int32_t blockSize,
                                   int32_t segmentStart)
    : m_responseLength(std::clamp(responseLength, 0, ResponseBank::kTableLength)),
      m_blockSize(powerOfTwoAtMost(std::clamp(blockSize, 1, kMaxBlockSize))),
      m_transformSize(2 * m_blockSize),
      m_segmentStart(std::clamp(segmentStart, 0, m_responseLength)),
      m_partitionCount(std::min(std::max(segmentLength, 0), m_responseLength - m_segmentStart) /
                       m_blockSize),
      m_negate(negate),
      // At least one block long, so a segment of no partitions gathers zeros.
      m_combined(static_cast<size_t>(std::max(m_partitionCount, 1)) * m_blockSize),
      m_envelopeFB(static_cast<size_t>(m_partitionCount) * m_blockSize),
      m_envelopeLR(m_envelopeFB.size()), m_envelopeCF(m_envelopeFB.size()),
      m_partitionBlock(m_transformSize), m_inputBlock(m_transformSize),
      m_outputBlock(m_transformSize), m_overlap(m_blockSize), m_outputSpectrum(m_blockSize + 1),
      m_partitionTransform(m_transformSize), m_inputTransform(m_transformSize),
      m_inverseTransform(m_transformSize), m_store(m_partitionCount * m_blockSize, m_blockSize),
      m_tableFB(m_responseLength), m_tableLR(m_responseLength), m_tableCF(m_responseLength)
{
    reset();
    loadPosition(position);
}

void SegmentConvolver::reset()
{
    restart();
    std::fill(m_envelopeFB.begin(), m_envelopeFB.end(), 0.0);
    std::fill(m_envelopeLR.begin(), m_envelopeLR.end(), 0.0);
    std::fill(m_envelopeCF.begin(), m_envelopeCF.end(), 0.0);
}

void SegmentConvolver::restart()
{
    std::fill(m_partitionBlock.begin(), m_partitionBlock.end(), 0.0);
    std::fill(m_outputBlock.begin(), m_outputBlock.end(), 0.0);
    std::fill(m_inputBlock.begin(), m_inputBlock.end(), 0.0);
    std::fill(m_overlap.begin(), m_overlap.end(), 0.0);
    std::fill(m_outputSpectrum.begin(), m_outputSpectrum.end(), Complex{});
    // The first block of a fresh convolver reads these spectra as those of a silent block.
    for (RFFT* transform :
         {static_cast<RFFT*>(&m_partitionTransform), static_cast<RFFT*>(&m_inputTransform)})
        std::fill(transform->result(), transform->result() + transform->size(), Complex{});
    m_store.clear();
    m_positionInBlock = 0;
    m_partitionIndex = 0;
}

void SegmentConvolver::loadPosition(int position)
{
    ResponseBank::selectPosition(position, m_tableFB, m_tableLR, m_tableCF);
    recombine();
}

void SegmentConvolver::loadTables(const TableRef& frontBack, const TableRef& leftRight,
                                  const TableRef& ceilingFloor)
{
    m_tableFB = frontBack;
    m_tableLR = leftRight;
    m_tableCF = ceilingFloor;
    recombine();
}

void SegmentConvolver::setGains(double frontBack, double leftRight, double ceilingFloor)
{
    m_gainFB = usableComponentGain(frontBack);
    m_gainLR = usableComponentGain(leftRight);
    m_gainCF = usableComponentGain(ceilingFloor);
    recombine();
}

void SegmentConvolver::setEnvelopes(double absFrontBack, double absLeftRight,
                                    double absCeilingFloor, int sampleRate, int curve)
{
    fillEnvelope(m_envelopeFB, absFrontBack, sampleRate, curve);
    fillEnvelope(m_envelopeLR, absLeftRight, sampleRate, curve);
    fillEnvelope(m_envelopeCF, absCeilingFloor, sampleRate, curve);
    recombine();
}

void SegmentConvolver::setEnvelopeFB(double absorption, int sampleRate, int curve)
{
    fillEnvelope(m_envelopeFB, absorption, sampleRate, curve);
    recombine();
}

void SegmentConvolver::setEnvelopeLR(double absorption, int sampleRate, int curve)
{
    fillEnvelope(m_envelopeLR, absorption, sampleRate, curve);
    recombine();
}

void SegmentConvolver::setEnvelopeCF(double absorption, int sampleRate, int curve)
{
    fillEnvelope(m_envelopeCF, absorption, sampleRate, curve);
    recombine();
}

void SegmentConvolver::fillEnvelope(std::vector<double>& envelope, double absorption,
                                    int sampleRate, int curve)
{
    fillDecayEnvelope(envelope.data(), m_segmentStart, static_cast<int32_t>(envelope.size()),
                      absorption, sampleRate, curve);
}

double SegmentConvolver::tableSample(const TableRef& table, int32_t i) const
{
    return table.data != nullptr && i < table.length ? table.data[i] : 0.0;
}

void SegmentConvolver::recombine()
{
    const int32_t length = m_partitionCount * m_blockSize;
    for (int32_t n = 0; n < length; ++n)
    {
        const int32_t i = m_segmentStart + n;
        const double fb = m_envelopeFB[n] * m_gainFB * tableSample(m_tableFB, i);
        const double lr = m_envelopeLR[n] * m_gainLR * tableSample(m_tableLR, i);
        const double cf = m_envelopeCF[n] * m_gainCF * tableSample(m_tableCF, i);
        m_combined[n] = m_negate ? fb - lr + cf : fb + lr + cf;
    }
}

double SegmentConvolver::combined(int32_t i) const
{
    return i >= m_segmentStart && i < segmentEnd() ? m_combined[i - m_segmentStart] : 0.0;
}

void SegmentConvolver::push(double x)
{
    const int32_t k = m_positionInBlock;
    m_inputBlock[k] = guardedSample(x);
    m_partitionBlock[k] = m_combined[m_partitionIndex * m_blockSize + k];

    // Both spectra come from the transforms run at the end of the previous block.
    Complex* inputSpectrum = m_inputTransform.result();
    Complex* partitionSpectrum = m_partitionTransform.result();
    if (k == 0)
    {
        packNyquistIntoDc(inputSpectrum, m_blockSize);
        packNyquistIntoDc(partitionSpectrum, m_blockSize);
    }
    const Complex sum =
        m_store.accumulate(k, m_partitionIndex, inputSpectrum[k], partitionSpectrum[k]);
    if (k == 0)
    {
        m_outputSpectrum[0] = {sum.real(), 0.0};
        m_outputSpectrum[m_blockSize] = {sum.imag(), 0.0};
    }
    else
    {
        // Bins above N/2 are the conjugates; the inverse transform never reads them.
        m_outputSpectrum[k] = sum;
    }

    if (++m_positionInBlock == m_blockSize) completeBlock();
}

void SegmentConvolver::completeBlock()
{
    m_partitionTransform.forwardTransform(m_partitionBlock.data());
    m_inputTransform.forwardTransform(m_inputBlock.data());

    std::copy(m_outputBlock.begin() + m_blockSize, m_outputBlock.end(), m_overlap.begin());
    m_inverseTransform.inverseTransform(m_outputSpectrum.data());
    m_inverseTransform.scale();
    std::fill(m_outputSpectrum.begin(), m_outputSpectrum.end(), Complex{});

    const Complex* block = m_inverseTransform.result();
    for (int32_t i = 0; i < m_transformSize; ++i)
        m_outputBlock[i] = block[i].real();
    for (int32_t i = 0; i < m_blockSize; ++i)
        m_outputBlock[i] += m_overlap[i];

    m_positionInBlock = 0;
    std::fill(m_inputBlock.begin(), m_inputBlock.end(), 0.0);
    std::fill(m_overlap.begin(), m_overlap.end(), 0.0);
    m_partitionIndex = m_partitionIndex + 1 < m_partitionCount ? m_partitionIndex + 1 : 0;
}
} // namespace Engine
