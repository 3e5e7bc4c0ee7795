#pragma once

#include "core/CPlugIn.h"

#include <cstdint>

// The room effect: convolves the input with the room response of the chosen source position,
// its front-back and left-right components weighted by the cosine and sine of a turning angle.
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

    CVevadur();
    ~CVevadur() override;

    bool buildControls() override;

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
    void appendControls();
    void applyFrameworkSettings();
    void configureJoystickRecords();
};
