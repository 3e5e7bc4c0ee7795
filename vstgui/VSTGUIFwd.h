#pragma once

#include <cstdint>

// Basic types shared by every part of the toolkit, with the names VSTGUI code expects.
namespace VSTGUI
{
using CCoord = double;
using UTF8StringPtr = const char*;
using IdStringPtr = const char*;

class CBaseObject;
class CBitmap;
class CControl;
class CDrawContext;
class CFontDesc;
class CFrame;
class CView;
class CViewContainer;
class IControlListener;
class IController;
class IUIDescription;
class UIAttributes;

enum CMouseEventResult
{
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
    kMouseMoveEventHandledButDontNeedMoreEvents
};

enum CMessageResult
{
    kMessageUnknown = 0,
    kMessageNotified
};

enum CDrawStyle
{
    kDrawStroked = 0,
    kDrawFilled,
    kDrawFilledAndStroked
};

enum CDrawMode
{
    kAliasing = 0,
    kAntiAliasing = 1
};

enum CHoriTxtAlign
{
    kLeftText = 0,
    kCenterText,
    kRightText
};

// Knob modes of VSTGUIEditorInterface::getKnobMode.
enum CKnobMode
{
    kCircularMode = 0,
    kRelativCircularMode,
    kLinearMode
};
} // namespace VSTGUI
