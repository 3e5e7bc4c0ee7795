#include "RecordingRoom.h"

#include <algorithm>

uint32_t RecordingRoom::editorMessage(EditorMessage* message)
{
    messages.push_back({message->code, message->viewName ? message->viewName : "",
                        message->auxText ? message->auxText : "", message->wantsCustomView,
                        message->parentWindow, message->editorInterface, message->platformType,
                        message->parameterIndex, message->parameterValue});
    switch (message->code)
    {
    case EditorMessage::kOfferCustomEditor:
        message->wantsCustomView = offerCustomView;
        return 0;
    case EditorMessage::kCustomEditorOpen:
        message->guiWidth = customWidth;
        message->guiHeight = customHeight;
        return customViewAnswer;
    default:
        return CVevadur::editorMessage(message);
    }
}

bool RecordingRoom::collectLinkedUpdates(uint32_t controlId, float value, LinkedUpdate** updates,
                                         bool)
{
    collected.push_back({controlId, value});
    if (links.empty() || !updates) return false;
    LinkedUpdate** tail = updates;
    for (const LinkedUpdate& link : links)
    {
        *tail = new LinkedUpdate{link.controlId, link.value, nullptr};
        tail = &(*tail)->next;
    }
    return true;
}

bool RecordingRoom::freeLinkedUpdates(LinkedUpdate* updates)
{
    ++freeCalls;
    return freesLinkedUpdates ? CVevadur::freeLinkedUpdates(updates) : false;
}

int RecordingRoom::count(uint32_t code) const
{
    return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                          [code](const Message& m) { return m.code == code; }));
}
