#pragma once

#include "core/CPlugIn.h"

#include <string>
#include <vector>

// A small effect with one control of each value type, recording what the base tells it.
class RecordingPlugIn : public CPlugIn
{
  public:
    enum : uint32_t
    {
        kIntId = 10,
        kFloatId = 11,
        kDoubleId = 12,
        kUintId = 13,
        kNoneId = 14,
        kMeterId = 15
    };

    explicit RecordingPlugIn(bool smoothed = false) : m_smoothed(smoothed) { buildControls(); }

    bool buildControls() override
    {
        if (m_Controls.count() > 0) return true;
        add(kIntId, ControlRecord::kInt, 0, 10);
        add(kFloatId, ControlRecord::kFloat, -1, 1);
        add(kDoubleId, ControlRecord::kDouble, 0, 100);
        add(kUintId, ControlRecord::kUint, 0, 10);
        add(kNoneId, ControlRecord::kNone, 0, 1);
        add(kMeterId, ControlRecord::kNone, 0, 1, ControlRecord::kMeter);
        buildExchangeArrays();
        return true;
    }

    bool controlChanged(uint32_t id) override
    {
        changes.push_back(id);
        return true;
    }

    bool joystickChanged(float a, float b, float c, float d, float ac, float bd) override
    {
        joystick.push_back({a, b, c, d, ac, bd});
        return true;
    }

    int32_t intValue = 0;
    float floatValue = 0.0f;
    double doubleValue = 0.0;
    uint32_t uintValue = 0;
    float meterValue = 0.0f;
    std::vector<uint32_t> changes;
    std::vector<std::vector<float>> joystick;

  private:
    void add(uint32_t id, int32_t valueType, float minValue, float maxValue,
             uint32_t type = ControlRecord::kControl)
    {
        ControlRecord r;
        r.type = type;
        r.id = id;
        r.valueType = valueType;
        r.minValue = minValue;
        r.maxValue = maxValue;
        r.smooth = m_smoothed;
        r.outputIndex = static_cast<int32_t>(m_Controls.count());
        r.intVariable = &intValue;
        r.floatVariable = &floatValue;
        r.doubleVariable = &doubleValue;
        r.uintVariable = &uintValue;
        r.meterVariable = &meterValue;
        m_Controls.append(r);
    }

    bool m_smoothed;
};
