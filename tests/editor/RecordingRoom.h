// The room effect, recording what its editor side tells it and answering as a test asks:
// a custom GUI or none, linked control changes, lists it frees or leaves to the caller.
#pragma once

#include "effect/CVevadur.h"

#include <string>
#include <vector>

class RecordingRoom : public CVevadur
{
  public:
    struct Message
    {
        uint32_t code;
        std::string viewName;
        std::string auxText;
        bool wantsCustomView;
        void* parentWindow;
        void* editorInterface;
        int32_t platformType;
        int32_t parameterIndex;
        double parameterValue;
    };
    struct Collected
    {
        uint32_t controlId;
        float value;
    };

    uint32_t editorMessage(EditorMessage* message) override;
    bool collectLinkedUpdates(uint32_t controlId, float value, LinkedUpdate** updates,
                              bool loading) override;
    bool freeLinkedUpdates(LinkedUpdate* updates) override;

    int count(uint32_t code) const;

    std::vector<Message> messages;
    std::vector<Collected> collected;
    int freeCalls = 0;

    // Answers.
    bool offerCustomView = false;    // code 5
    uint32_t customViewAnswer = 1;   // code 6
    int32_t customWidth = 200;       // code 6
    int32_t customHeight = 150;      // code 6
    std::vector<LinkedUpdate> links; // every change links these (control id, plain value)
    bool freesLinkedUpdates = true;  // false: the list is left to the caller
};
