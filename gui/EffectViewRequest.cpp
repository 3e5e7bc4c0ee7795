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
    : m_Effect(effect), m_Message(message)
{
}

CView* EffectViewRequest::send(const char* name, const CustomViewAttributes& attributes)
{
    m_Message.code = EditorMessage::kCustomView;
    m_Message.viewName = name;
    m_Message.auxText = "";
    m_Message.parentWindow = nullptr;
    m_Message.editorInterface = nullptr;
    m_Message.moduleHandle = nullptr;
    m_Message.guiWidth = 0;
    m_Message.guiHeight = 0;
    m_Message.wantsCustomView = false;
    if (attributes.hasText("control-tag"))
    {
        m_Message.controlTag = attributes.tag("control-tag");
        m_Message.controlListener = attributes.listener("control-tag");
    }
    else
    {
        m_Message.controlListener = nullptr;
    }
    fillPlacement(attributes);
    fillBitmaps(attributes);
    fillColours(attributes);
    fillStyle(attributes);

    // The effect answers with a 32-bit code, which cannot carry a view on a 64-bit build; no
    // view is made from it.
    m_Effect.editorMessage(&m_Message);
    releaseBorrowedMembers();
    return nullptr;
}

void EffectViewRequest::fillPlacement(const CustomViewAttributes& attributes)
{
    const CRect r = attributes.viewRect();
    m_Message.left = truncated(r.left);
    m_Message.top = truncated(r.top);
    m_Message.bottom = truncated(r.bottom);
    m_Message.right = truncated(r.right);
    const CPoint offset = attributes.point("background-offset");
    m_Message.backgroundOffsetX = truncated(offset.x);
    m_Message.backgroundOffsetY = truncated(offset.y);
}

void EffectViewRequest::fillBitmaps(const CustomViewAttributes& attributes)
{
    m_BitmapFile = resourceFile(attributes, "bitmap");
    m_HandleBitmapFile = resourceFile(attributes, "handle-bitmap");
    // A view has either a handle or an off state, never both.
    m_OffBitmapFile =
        m_HandleBitmapFile.empty() ? resourceFile(attributes, "off-bitmap") : std::string();
    m_Message.bitmapFile = m_BitmapFile.c_str();
    m_Message.handleBitmapFile = m_HandleBitmapFile.c_str();
    m_Message.offBitmapFile = m_OffBitmapFile.c_str();
    const char* orientation = attributes.text("orientation");
    m_Message.orientation = orientation ? orientation : "";
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
    m_Message.backColor = colour(attributes, "back-color", m_BackColour);
    m_Message.frameColor = colour(attributes, "frame-color", m_FrameColour);
    m_Message.fontColor = colour(attributes, "font-color", m_FontColour);
}

void EffectViewRequest::fillStyle(const CustomViewAttributes& attributes)
{
    m_Message.frameWidth = attributes.integer("frame-width");
    m_Message.roundRectRadius = attributes.integer("round-rect-radius");
    m_Message.styleRoundRect = attributes.isTrue("style-round-rect");
    m_Message.styleNoFrame = attributes.isTrue("style-no-frame");
    m_Message.heightOfOneImage = attributes.integer("height-of-one-image");
    m_Message.subPixmaps = attributes.integer("sub-pixmaps");
}

void EffectViewRequest::releaseBorrowedMembers()
{
    m_Message.viewName = "";
    m_Message.bitmapFile = "";
    m_Message.handleBitmapFile = "";
    m_Message.offBitmapFile = "";
    m_Message.orientation = "";
    m_Message.backColor = nullptr;
    m_Message.frameColor = nullptr;
    m_Message.fontColor = nullptr;
}
} // namespace Steinberg::Vst::Veru2ZOR3
