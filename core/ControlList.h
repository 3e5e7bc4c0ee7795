#pragma once

#include "core/ControlRecord.h"

#include <cstdint>

// The controls of an effect, in insertion order: a singly linked list of owned record copies.
// A control's index is its position in the list.
class ControlList
{
  public:
    ControlList() = default;
    ControlList(const ControlList&) = delete;
    ControlList& operator=(const ControlList&) = delete;
    ~ControlList() { clear(); }

    // Appends a copy of the record (the copy owns its texts).
    void append(const ControlRecord& record);
    uint32_t count() const;
    // The record at a position, or null when the position is out of range.
    ControlRecord* find(uint32_t index) const;
    // Removes the first record with the given control id; false when there is none.
    bool removeById(uint32_t id);
    void clear();

  private:
    struct Node
    {
        explicit Node(const ControlRecord& r) : record(r) {}
        ControlRecord record;
        Node* next = nullptr;
    };

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
};
