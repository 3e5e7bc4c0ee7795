#include "gui/EffectViewRequest.h"

#include <cmath>
#include <limits>

namespace Steinberg::Vst::Veru2ZOR3
{
using namespace VSTGUI;

namespace
{
int32_t truncated(double value)
{
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    if (!(value >= kMin)) return static_cast<int32_t>(kMin);
    return static_cast<int32_t>(value > kMax ? kMax : value);
}

std::string resourceFile(const CustomViewAttributes& attributes, const char* name)
{
    return attributes.hasText(name) ? std::string(attributes.text(name)) + ".png" : std::string();
}
} // namespace

EffectViewRequest::EffectViewRequest(CPlugIn& effect, EditorMessage& message)
    : m_effect(effect), m_message(message)
{
}

CView* EffectViewRequest::send(const char* name, const CustomViewAttributes& attributes)
{
    m_message.code = EditorMessage::kCustomView;
    m_message.viewName = name;
    m_message.auxText = "";
    m_message.parentWindow = nullptr;
    m_message.editorInterface = nullptr;
    m_message.moduleHandle = nullptr;
    m_message.guiWidth = 0;
    m_message.guiHeight = 0;
    m_message.wantsCustomView = false;
    if (attributes.hasText("control-tag"))
    {
        m_message.controlTag = attributes.tag("control-tag");
        m_message.controlListener = attributes.listener("control-tag");
    }
    else
    {
        m_message.controlListener = nullptr;
    }
    fillPlacement(attributes);
    fillBitmaps(attributes);
    fillColours(attributes);
    fillStyle(attributes);

    // The effect answers with a 32-bit code, which cannot carry a view on a 64-bit build; no
    // view is made from it.
    m_effect.editorMessage(&m_message);
    releaseBorrowedMembers();
    return nullptr;
}

void EffectViewRequest::fillPlacement(const CustomViewAttributes& attributes)
{
    const CRect r = attributes.viewRect();
    m_message.left = truncated(r.left);
    m_message.top = truncated(r.top);
    m_message.bottom = truncated(r.bottom);
    m_message.right = truncated(r.right);
    const CPoint offset = attributes.point("background-offset");
    m_message.backgroundOffsetX = truncated(offset.x);
    m_message.backgroundOffsetY = truncated(offset.y);
}

void EffectViewRequest::fillBitmaps(const CustomViewAttributes& attributes)
{
    m_bitmapFile = resourceFile(attributes, "bitmap");
    m_handleBitmapFile = resourceFile(attributes, "handle-bitmap");
    // A view has either a handle or an off state, never both.
    m_offBitmapFile =
        m_handleBitmapFile.empty() ? resourceFile(attributes, "off-bitmap") : std::string();
    m_message.bitmapFile = m_bitmapFile.c_str();
    m_message.handleBitmapFile = m_handleBitmapFile.c_str();
    m_message.offBitmapFile = m_offBitmapFile.c_str();
    const char* orientation = attributes.text("orientation");
    m_message.orientation = orientation ? orientation : "";
}

const EditorColour* EffectViewRequest::colour(const CustomViewAttributes& attributes,
                                              const char* name, EditorColour& storage) const
{
    if (!attributes.hasText(name)) return nullptr;
    CColor resolved = kWhiteCColor;
    attributes.resolveColour(name, resolved);
    storage = EditorColour{resolved.red, resolved.green, resolved.blue, resolved.alpha};
    return &storage;
}

void EffectViewRequest::fillColours(const CustomViewAttributes& attributes)
{
    m_message.backColor = colour(attributes, "back-color", m_backColour);
    m_message.frameColor = colour(attributes, "frame-color", m_frameColour);
    m_message.fontColor = colour(attributes, "font-color", m_fontColour);
}

void EffectViewRequest::fillStyle(const CustomViewAttributes& attributes)
{
    m_message.frameWidth = attributes.integer("frame-width");
    m_message.roundRectRadius = attributes.integer("round-rect-radius");
    m_message.styleRoundRect = attributes.isTrue("style-round-rect");
    m_message.styleNoFrame = attributes.isTrue("style-no-frame");
    m_message.heightOfOneImage = attributes.integer("height-of-one-image");
    m_message.subPixmaps = attributes.integer("sub-pixmaps");
}

void EffectViewRequest::releaseBorrowedMembers()
{
    m_message.viewName = "";
    m_message.bitmapFile = "";
    m_message.handleBitmapFile = "";
    m_message.offBitmapFile = "";
    m_message.orientation = "";
    m_message.backColor = nullptr;
    m_message.frameColor = nullptr;
    m_message.fontColor = nullptr;
}
} // namespace Steinberg::Vst::Veru2ZOR3
