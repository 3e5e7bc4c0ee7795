// A small effect for the custom-view tests: controls with units, a meter and a control that
// share a name, and a record of every view request (code 3) it receives.
#pragma once

#include "core/CPlugIn.h"

#include <optional>
#include <string>
#include <vector>

// One code-3 request as the effect saw it: the record, with its texts and colours copied
// while the request lasted (the record's own pointers are not kept).
struct ViewRequest
{
    EditorMessage message;
    std::string viewName;
    std::string auxText;
    std::string bitmapFile;
    std::string handleBitmapFile;
    std::string offBitmapFile;
    std::string orientation;
    std::optional<EditorColour> backColor;
    std::optional<EditorColour> frameColor;
    std::optional<EditorColour> fontColor;
};

class ViewTestEffect : public CPlugIn
{
  public:
    enum Position : uint32_t
    {
        kGain = 0, // units "  dB \n"
        kRate,     // units "Hz"
        kLevelMeter,
        kLevelControl, // named "Level" like the meter, without a meter variable
        kPan,
        kControlCount
    };

    ViewTestEffect();
    bool buildControls() override;
    uint32_t editorMessage(EditorMessage* message) override;

    std::vector<ViewRequest> requests;
    // What editorMessage answers a view request with.
    uint32_t viewAnswer = 0;

    float m_fGain = 0.5f;
    float m_fRate = 2.0f;
    float m_fLevel = 0.0f;
    float m_fLevelControl = 0.0f;
    float m_fPan = 0.5f;
};
