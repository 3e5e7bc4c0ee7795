// A small effect for the custom-view tests: controls with units, a meter and a control that
// share a name, and a record of every view request (code 3) it receives.
#pragma once

#include "core/CPlugIn.h"

#include <optional>
#include <string>
#include <vector>

// What the effect saw of one code-3 request, copied while the request lasted.
struct ViewRequest
{
    std::string viewName;
    std::string auxText;
    std::string bitmapFile;
    std::string handleBitmapFile;
    std::string offBitmapFile;
    std::string orientation;
    int32_t controlTag = 0;
    void* controlListener = nullptr;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t backgroundOffsetX = 0;
    int32_t backgroundOffsetY = 0;
    std::optional<EditorColour> backColor;
    std::optional<EditorColour> frameColor;
    std::optional<EditorColour> fontColor;
    int32_t frameWidth = 0;
    int32_t roundRectRadius = 0;
    bool styleRoundRect = false;
    bool styleNoFrame = false;
    int32_t heightOfOneImage = 0;
    int32_t subPixmaps = 0;
    bool cleared = false; // parent window, editor interface, module handle, GUI size, wants view
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
