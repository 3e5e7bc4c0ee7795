#include "host/editor/EditorWindow.h"

#include <cstdlib>

namespace vevadur::host
{

using namespace Steinberg;

std::unique_ptr<EditorWindow> EditorWindow::open(IPlugView* view, RunLoop& loop,
                                                 const std::string& title, std::string& error)
{
    if (!view)
    {
        error = "the plug-in has no editor";
        return nullptr;
    }
    if (view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID) != kResultTrue)
    {
        error = "the editor does not support X11 windows";
        return nullptr;
    }
    ViewRect size;
    if (view->getSize(&size) != kResultTrue || size.getWidth() <= 0 || size.getHeight() <= 0)
    {
        error = "the editor reports no size";
        return nullptr;
    }
    std::unique_ptr<EditorWindow> editor(new EditorWindow(view, loop));
    editor->m_window = HostWindow::create(size.getWidth(), size.getHeight(), title, error);
    if (!editor->m_window) return nullptr;
    editor->m_window->attachTo(loop);
    if (view->canResize() != kResultTrue)
        editor->m_window->setFixedSize(size.getWidth(), size.getHeight());
    view->setFrame(editor.get());
    const auto parent = reinterpret_cast<void*>(static_cast<uintptr_t>(editor->m_window->window()));
    if (view->attached(parent, kPlatformTypeX11EmbedWindowID) != kResultTrue)
    {
        error = "the editor cannot attach to the window";
        return nullptr;
    }
    editor->m_attached = true;
    return editor;
}

EditorWindow::~EditorWindow()
{
    if (m_attached) m_view->removed();
    m_view->setFrame(nullptr);
    m_window.reset();
}

uint32_t EditorWindow::childWindow() const
{
    xcb_connection_t* connection = m_window->connection();
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, m_window->window()), nullptr);
    if (!tree) return 0;
    const uint32_t child =
        xcb_query_tree_children_length(tree) > 0 ? xcb_query_tree_children(tree)[0] : 0;
    std::free(tree);
    return child;
}

tresult PLUGIN_API EditorWindow::resizeView(IPlugView* view, ViewRect* newSize)
{
    if (view != m_view || !newSize) return kInvalidArgument;
    ++m_resizeRequests;
    m_window->resize(newSize->getWidth(), newSize->getHeight());
    return view->onSize(newSize);
}

tresult PLUGIN_API EditorWindow::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IPlugFrame)
    QUERY_INTERFACE(iid, obj, IPlugFrame::iid, IPlugFrame)
    if (FUnknownPrivate::iidEqual(iid, Linux::IRunLoop::iid))
        return m_loop.queryInterface(iid, obj);
    *obj = nullptr;
    return kNoInterface;
}

} // namespace vevadur::host
