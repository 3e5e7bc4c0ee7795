#pragma once

#include "gui/CustomViewAttributes.h"

#include "core/CPlugIn.h"

#include <string>

namespace VSTGUI
{
class CView;
}

namespace Steinberg::Vst::Veru2ZOR3
{
// Offers a custom view name that the framework does not know to the effect: the view's
// attributes go into the processor's editor record, which is sent with code 3. The texts and
// colours the record points at live in this object and are valid until the effect answers.
class EffectViewRequest
{
  public:
    EffectViewRequest(CPlugIn& effect, EditorMessage& message);

    // The effect's view, or none.
    VSTGUI::CView* send(const char* name, const CustomViewAttributes& attributes);

  private:
    void fillPlacement(const CustomViewAttributes& attributes);
    void fillBitmaps(const CustomViewAttributes& attributes);
    void fillColours(const CustomViewAttributes& attributes);
    void fillStyle(const CustomViewAttributes& attributes);
    const EditorColour* colour(const CustomViewAttributes& attributes, const char* name,
                               EditorColour& storage) const;
    // Points the record's texts and colours away from this object's storage.
    void releaseBorrowedMembers();

    CPlugIn& m_Effect;
    EditorMessage& m_Message;
    std::string m_BitmapFile;
    std::string m_HandleBitmapFile;
    std::string m_OffBitmapFile;
    EditorColour m_BackColour;
    EditorColour m_FrameColour;
    EditorColour m_FontColour;
};
} // namespace Steinberg::Vst::Veru2ZOR3
