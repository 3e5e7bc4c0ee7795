#include "core/ControlList.h"

void ControlList::append(const ControlRecord& record)
{
    Node* node = new Node(record);
    if (m_tail)
        m_tail->next = node;
    else
        m_head = node;
    m_tail = node;
}

uint32_t ControlList::count() const
{
    uint32_t n = 0;
    for (Node* node = m_head; node; node = node->next)
        ++n;
    return n;
}

ControlRecord* ControlList::find(uint32_t index) const
{
    Node* node = m_head;
    for (uint32_t i = 0; node && i < index; ++i)
        node = node->next;
    return node ? &node->record : nullptr;
}

bool ControlList::removeById(uint32_t id)
{
    Node* previous = nullptr;
    for (Node* node = m_head; node; previous = node, node = node->next)
    {
        if (node->record.id != id) continue;
        (previous ? previous->next : m_head) = node->next;
        if (m_tail == node) m_tail = previous;
        delete node;
        return true;
    }
    return false;
}

void ControlList::clear()
{
    while (m_head)
    {
        Node* next = m_head->next;
        delete m_head;
        m_head = next;
    }
    m_tail = nullptr;
}
