#pragma once

#include <cstdint>

class IParameterConnector;

// An RGBA colour as the editor resolves it for a custom view.
struct EditorColour
{
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
};

// The record through which the editor side tells the effect about GUI events. The effect may
// read any member and may write the answer members.
struct EditorMessage
{
    enum Code : uint32_t
    {
        kOpened = 0,
        kClosing = 1,
        kTimerTick = 2,
        kCustomView = 3,
        kOfferCustomEditor = 5,
        kCustomEditorOpen = 6,
        kCustomEditorClose = 7,
        kParameterValue = 13
    };

    uint32_t code = 0;
    const char* viewName = "";
    int32_t controlTag = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t right = 0;
    int32_t backgroundOffsetX = 0;
    int32_t backgroundOffsetY = 0;
    const char* bitmapFile = "";
    const char* handleBitmapFile = "";
    const char* offBitmapFile = "";
    const char* orientation = "";
    const EditorColour* backColor = nullptr;
    const EditorColour* frameColor = nullptr;
    const EditorColour* fontColor = nullptr;
    int32_t frameWidth = 0;
    int32_t roundRectRadius = 0;
    bool styleNoFrame = false;
    bool styleRoundRect = false;
    int32_t heightOfOneImage = 0;
    int32_t subPixmaps = 0;
    const char* auxText = "";
    void* editorInterface = nullptr;
    void* parentWindow = nullptr;
    void* controlListener = nullptr;
    int32_t platformType = 0;
    double parameterValue = 0.0;
    int32_t parameterIndex = 0;
    void* moduleHandle = nullptr;
    IParameterConnector* parameterConnector = nullptr;
    bool wantsCustomView = false;
    int32_t guiWidth = 0;
    int32_t guiHeight = 0;
};
