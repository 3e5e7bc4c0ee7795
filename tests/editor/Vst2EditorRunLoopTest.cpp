// The run loop the plug-in formats' hosts turn with their idle calls, alone and as the VST2
// editor's.
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

// A handler that unregisters another one due in the same turn stops it from being called.
TEST(PollRunLoop, HandlersUnregisteredByOthersInTheSameTurnAreNotCalled)
{
    PollRunLoop loop;
    int first[2], second[2];
    ASSERT_EQ(pipe(first), 0);
    ASSERT_EQ(pipe(second), 0);
    Reader a, b;
    a.fd = first[0];
    b.fd = second[0];
    a.then = [&] { loop.unregisterEventHandler(&b); };
    b.then = [&] { loop.unregisterEventHandler(&a); };
    ASSERT_EQ(loop.registerEventHandler(&a, a.fd), kResultTrue);
    ASSERT_EQ(loop.registerEventHandler(&b, b.fd), kResultTrue);
    ASSERT_EQ(write(first[1], "x", 1), 1);
    ASSERT_EQ(write(second[1], "x", 1), 1);
    loop.iterate(0);
    EXPECT_EQ(a.calls + b.calls, 1);
    EXPECT_EQ(loop.eventHandlerCount(), 1u);

    Timer t, u;
    t.then = [&] { loop.unregisterTimer(&u); };
    u.then = [&] { loop.unregisterTimer(&t); };
    ASSERT_EQ(loop.registerTimer(&t, 1), kResultTrue);
    ASSERT_EQ(loop.registerTimer(&u, 1), kResultTrue);
    std::this_thread::sleep_for(std::chrono::milliseconds(20)); // both due
    loop.iterate(0);
    EXPECT_EQ(t.calls + u.calls, 1);
    EXPECT_EQ(loop.timerCount(), 1u);

    // What a view forgot to unregister is dropped, never called again.
    loop.clear();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    loop.iterate(0);
    EXPECT_EQ(a.calls + b.calls, 1);
    EXPECT_EQ(t.calls + u.calls, 1);
    EXPECT_EQ(loop.eventHandlerCount() + loop.timerCount(), 0u);
    for (int fd : {first[0], first[1], second[0], second[1]})
        close(fd);
}
