// Windows reads UI descriptions with XmlLite, which every Windows since XP carries: pugixml is
// not available for the cross build. The toolchain has no import library for it, so the one
// function needed is looked up in xmllite.dll.
#include "vstgui/uidescription/XmlTree.h"

#include "vstgui/platform/win32/WideText.h"

#include <windows.h>

#include <shlwapi.h>
#include <xmllite.h>

#include <vector>

namespace VSTGUI
{
namespace
{
template <typename T> struct ComRelease
{
    T* object = nullptr;
    ~ComRelease()
    {
        if (object) object->Release();
    }
};

HRESULT createReader(IXmlReader** reader)
{
    using CreateFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
    HMODULE library = LoadLibraryW(L"xmllite.dll");
    if (!library) return E_FAIL;
    auto create = reinterpret_cast<CreateFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "CreateXmlReader")));
    // The library stays loaded with the reader's code until the process ends; loading it again
    // only counts up.
    return create ? create(__uuidof(IXmlReader), reinterpret_cast<void**>(reader), nullptr)
                  : E_FAIL;
}

std::string text(const WCHAR* value, UINT length)
{
    return Win32::toUtf8(std::wstring(value, length));
}

bool readAttributes(IXmlReader& reader, UIDescription::Node& node)
{
    HRESULT more = reader.MoveToFirstAttribute();
    while (more == S_OK)
    {
        const WCHAR* name = nullptr;
        const WCHAR* value = nullptr;
        UINT nameLength = 0;
        UINT valueLength = 0;
        if (FAILED(reader.GetQualifiedName(&name, &nameLength)) ||
            FAILED(reader.GetValue(&value, &valueLength)))
            return false;
        node.attributes.setAttribute(text(name, nameLength), text(value, valueLength));
        more = reader.MoveToNextAttribute();
    }
    return SUCCEEDED(more) && SUCCEEDED(reader.MoveToElement());
}

// Finished elements go to their parent; the outermost one is the document element.
bool close(std::vector<UIDescription::Node>& open, UIDescription::Node& root, bool& haveRoot)
{
    if (open.empty()) return false;
    UIDescription::Node node = std::move(open.back());
    open.pop_back();
    if (!open.empty())
        open.back().children.push_back(std::move(node));
    else
    {
        root = std::move(node);
        haveRoot = true;
    }
    return true;
}
} // namespace

bool readXmlTree(const std::string& xml, UIDescription::Node& root)
{
    ComRelease<IStream> stream;
    stream.object =
        SHCreateMemStream(reinterpret_cast<const BYTE*>(xml.data()), static_cast<UINT>(xml.size()));
    ComRelease<IXmlReader> reader;
    if (!stream.object || FAILED(createReader(&reader.object)) ||
        FAILED(reader.object->SetInput(stream.object)))
        return false;

    std::vector<UIDescription::Node> open;
    bool haveRoot = false;
    XmlNodeType type = XmlNodeType_None;
    HRESULT result = S_OK;
    while ((result = reader.object->Read(&type)) == S_OK)
    {
        if (type == XmlNodeType_Element)
        {
            if (haveRoot && open.empty()) return false;
            const WCHAR* name = nullptr;
            UINT length = 0;
            if (FAILED(reader.object->GetQualifiedName(&name, &length))) return false;
            // Asked before the attributes are visited, which moves the reader off the element.
            const bool empty = reader.object->IsEmptyElement();
            open.emplace_back();
            open.back().name = text(name, length);
            if (!readAttributes(*reader.object, open.back())) return false;
            if (empty && !close(open, root, haveRoot)) return false;
        }
        else if (type == XmlNodeType_EndElement)
        {
            if (!close(open, root, haveRoot)) return false;
        }
    }
    return result == S_FALSE && open.empty() && haveRoot;
}
} // namespace VSTGUI
