// The host's run loop behind the toolkit's interface, served by our host's poll loop.
#include "vstgui/plugin-bindings/HostRunLoop.h"
#include "host/RunLoop.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>

using namespace VSTGUI;

namespace
{
struct Pipe
{
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(pipe(fds), 0); }
    ~Pipe()
    {
        close(fds[0]);
        close(fds[1]);
    }
    void write() { EXPECT_EQ(::write(fds[1], "x", 1), 1); }
    void drain()
    {
        char c;
        EXPECT_EQ(::read(fds[0], &c, 1), 1);
    }
};

struct Reader : X11::IEventHandler
{
    Pipe& pipe;
    int calls = 0;
    explicit Reader(Pipe& p) : pipe(p) {}
    void onEvent() override
    {
        pipe.drain();
        ++calls;
    }
};

struct Ticker : X11::ITimerHandler
{
    int calls = 0;
    std::function<void()> onTick;
    void onTimer() override
    {
        ++calls;
        if (onTick) onTick();
    }
};
} // namespace

TEST(HostRunLoop, DescriptorsAndTimersThroughTheHostsLoop)
{
    vevadur::host::RunLoop hostLoop;
    Pipe pipe;
    Reader reader(pipe);
    Ticker ticker;
    {
        HostRunLoop loop(&hostLoop);
        ASSERT_TRUE(loop.registerEventHandler(pipe.fds[0], &reader));
        EXPECT_FALSE(loop.registerEventHandler(pipe.fds[0], &reader)); // once only
        ASSERT_TRUE(loop.registerTimer(5, &ticker));
        EXPECT_EQ(hostLoop.eventHandlerCount(), 1u);
        EXPECT_EQ(hostLoop.timerCount(), 1u);

        hostLoop.iterate(0);
        EXPECT_EQ(reader.calls, 0); // nothing to read yet
        pipe.write();
        EXPECT_TRUE(hostLoop.runUntil([&] { return reader.calls == 1; }, 2000));
        EXPECT_TRUE(hostLoop.runUntil([&] { return ticker.calls >= 2; }, 2000));

        // A timer that unregisters itself is not called again.
        ticker.onTick = [&] { loop.unregisterTimer(&ticker); };
        const int before = ticker.calls;
        EXPECT_TRUE(hostLoop.runUntil([&] { return hostLoop.timerCount() == 0; }, 2000));
        hostLoop.runFor(20);
        EXPECT_EQ(ticker.calls, before + 1);
    }
    // Whatever the toolkit left registered goes with the bridge.
    EXPECT_EQ(hostLoop.eventHandlerCount(), 0u);
    EXPECT_EQ(hostLoop.timerCount(), 0u);
    pipe.write();
    hostLoop.runFor(10);
    EXPECT_EQ(reader.calls, 1);
}
