// Frees cairo's font caches and fontconfig's process-wide configuration after the last test,
// once every frame (and so every Pango font map) is gone, so the leak checker sees only our
// own allocations.
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace
{
class FontconfigTeardown : public ::testing::Environment
{
public:
    void TearDown() override
    {
        cairo_debug_reset_static_data();
        FcFini();
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new FontconfigTeardown);
} // namespace
