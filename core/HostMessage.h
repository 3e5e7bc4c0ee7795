#pragma once

#include <cstdint>

struct ControlValueSlot;
struct TimingBlock;
class IMidiEventList;

// The record the binding passes with hostMessage (codes: 0 value block, 1 meter read-out,
// 2 timing, 5 event-list hand-over).
struct HostMessage
{
    enum Code : int
    {
        kValueBlock = 0,
        kMeterReadout = 1,
        kTiming = 2,
        kEventList = 5
    };

    ControlValueSlot* slots = nullptr;    // incoming values (code 0)
    ControlValueSlot* slotsOut = nullptr; // set by code 1
    const TimingBlock* timing = nullptr;  // codes 0 and 2
    void* bindingData = nullptr;          // reserved for the binding
    IMidiEventList* eventList = nullptr;  // code 5
    int32_t count = 0;                    // slot count: controls + 2
    bool immediate = false;               // code 0: bypass smoothing
};
