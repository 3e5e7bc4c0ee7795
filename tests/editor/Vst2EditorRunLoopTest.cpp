// The VST2 editor's run loop, which VST2 hosts turn with their idle calls.
#include "Vst2Editor.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{
template <typename Interface> struct Handler : Interface
{
    int calls = 0;
    std::function<void()> then;
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
    {
        QUERY_INTERFACE(iid, obj, FUnknown::iid, Interface)
        QUERY_INTERFACE(iid, obj, Interface::iid, Interface)
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
    void called()
    {
        ++calls;
        if (then) then();
    }
};
struct Timer : Handler<Linux::ITimerHandler>
{
    void PLUGIN_API onTimer() override { called(); }
};
struct Reader : Handler<Linux::IEventHandler>
{
    int fd = -1;
    void PLUGIN_API onFDIsSet(Linux::FileDescriptor) override
    {
        char c;
        EXPECT_EQ(read(fd, &c, 1), 1);
        called();
    }
};

intptr_t noHost(vst_effect*, int32_t, int32_t, intptr_t, void*, float)
{
    return 0;
}

struct EditorOfAPlainController
{
    IPtr<EditController> controller = owned(new EditController);
    vst_effect record{};
    Vst2Editor editor{*controller, &noHost, record};
};
} // namespace

TEST(Vst2EditorRunLoop, IdleCallsServeDueTimersAndReadableDescriptors)
{
    EditorOfAPlainController e;
    Linux::IRunLoop& loop = e.editor;
    Timer timer;
    ASSERT_EQ(loop.registerTimer(&timer, 200), kResultTrue);
    EXPECT_NE(loop.registerTimer(&timer, 200), kResultTrue); // once only
    EXPECT_NE(loop.registerTimer(&timer, 0), kResultTrue);
    e.editor.idle();
    EXPECT_EQ(timer.calls, 0); // not due yet
    std::this_thread::sleep_for(std::chrono::milliseconds(450));
    e.editor.idle();
    EXPECT_EQ(timer.calls, 1); // late: once, not for every missed interval

    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    Reader reader;
    reader.fd = fds[0];
    ASSERT_EQ(loop.registerEventHandler(&reader, fds[0]), kResultTrue);
    e.editor.idle();
    EXPECT_EQ(reader.calls, 0);
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    e.editor.idle();
    EXPECT_EQ(reader.calls, 1);

    // Handlers may unregister themselves and each other while they run.
    timer.then = [&] { loop.unregisterTimer(&timer); };
    reader.then = [&] { loop.unregisterEventHandler(&reader); };
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    e.editor.idle();
    EXPECT_EQ(reader.calls, 2);
    EXPECT_EQ(timer.calls, 2);
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    e.editor.idle();
    EXPECT_EQ(reader.calls, 2);
    EXPECT_EQ(timer.calls, 2);
    EXPECT_NE(loop.unregisterTimer(&timer), kResultTrue);
    close(fds[0]);
    close(fds[1]);
}
