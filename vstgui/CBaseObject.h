#pragma once

#include "vstgui/VSTGUIFwd.h"

namespace VSTGUI
{
// Reference-counted base of views, bitmaps, timers and editors, and the target of the
// toolkit's message mechanism (timers and views talk to their owners through notify).
class CBaseObject
{
  public:
    CBaseObject() = default;
    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;
    virtual ~CBaseObject() = default;

    void remember() { ++m_refCount; }
    // Drops one reference and deletes the object when none is left.
    void forget()
    {
        if (--m_refCount == 0) delete this;
    }
    int32_t getNbReference() const { return m_refCount; }

    virtual CMessageResult notify(CBaseObject* /*sender*/, IdStringPtr /*message*/)
    {
        return kMessageUnknown;
    }

  private:
    int32_t m_refCount = 1;
};

// Holds one reference to a CBaseObject and drops it when destroyed or reassigned.
template <typename T> class SharedPointer
{
  public:
    SharedPointer() = default;
    // Takes over a fresh object's initial reference (owner) or adds one of its own.
    SharedPointer(T* object, bool remember = true) : m_object(object)
    {
        if (m_object && remember) m_object->remember();
    }
    SharedPointer(const SharedPointer& other) : SharedPointer(other.m_object) {}
    SharedPointer& operator=(const SharedPointer& other)
    {
        reset(other.m_object);
        return *this;
    }
    ~SharedPointer()
    {
        if (m_object) m_object->forget();
    }

    void reset(T* object = nullptr, bool remember = true)
    {
        if (object && remember) object->remember();
        if (m_object) m_object->forget();
        m_object = object;
    }
    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

  private:
    T* m_object = nullptr;
};

template <typename T> SharedPointer<T> owned(T* object)
{
    return SharedPointer<T>(object, false);
}
} // namespace VSTGUI
