#include "tools/bankgen/ImageSources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

using namespace bankgen;

namespace
{
using Image = std::tuple<double, int, int>; // coordinate, near bounces, far bounces

// Follows the two mirror chains a ray can take between parallel walls: first off the wall at
// 0, or first off the wall at `extent`, alternating after that.
std::vector<Image> mirrorChains(double source, double extent, int maxBounces)
{
    std::vector<Image> images = {{source, 0, 0}};
    for (int firstFar = 0; firstFar <= 1; ++firstFar)
    {
        double x = source;
        int nearCount = 0, farCount = 0;
        for (int k = 0; k < maxBounces; ++k)
        {
            const bool far = (k % 2 == 0) == (firstFar == 1);
            x = far ? 2.0 * extent - x : -x;
            (far ? farCount : nearCount)++;
            images.emplace_back(x, nearCount, farCount);
        }
    }
    return images;
}
} // namespace

TEST(ImageSources, MatchTheMirrorChainsBetweenOnePairOfSurfaces)
{
    Room room;
    room.size = {7.0, 9.0, 3.5};
    room.surfaces[kAxisFrontBack] = {0.8, 0.6};
    room.listener = {3.0, 4.0, 1.2};
    const Vec3 source = {4.0, 6.5, 1.5};
    const double reach = 120.0;

    std::vector<Image> expected;
    for (const Image& m : mirrorChains(source.y, room.size.y, 40))
    {
        const double dy = std::get<0>(m) - room.listener.y;
        if (std::sqrt(1.0 + dy * dy + 0.09) <= reach) expected.push_back(m);
    }

    std::vector<Image> actual;
    double previous = 0.0;
    for (const Arrival& a : axisImages(room, source, kAxisFrontBack, reach))
    {
        EXPECT_DOUBLE_EQ(a.offset.x, 1.0);
        EXPECT_NEAR(a.offset.z, 0.3, 1e-12);
        EXPECT_GE(a.distance, previous) << "nearest first";
        previous = a.distance;
        EXPECT_NEAR(a.reflection, std::pow(0.8, a.nearBounces) * std::pow(0.6, a.farBounces),
                    1e-15);
        actual.emplace_back(room.listener.y + a.offset.y, a.nearBounces, a.farBounces);
    }

    ASSERT_EQ(actual.size(), expected.size());
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
    for (size_t i = 0; i < actual.size(); ++i)
    {
        EXPECT_NEAR(std::get<0>(actual[i]), std::get<0>(expected[i]), 1e-9);
        EXPECT_EQ(std::get<1>(actual[i]), std::get<1>(expected[i]));
        EXPECT_EQ(std::get<2>(actual[i]), std::get<2>(expected[i]));
    }
}

TEST(ImageSources, DegenerateRoomsGiveNoArrivals)
{
    Room room;
    EXPECT_TRUE(axisImages(room, {}, kAxisUpDown, 10.0).empty());
    room.size = {1.0, 1.0, 1.0};
    EXPECT_TRUE(axisImages(room, {}, kAxisUpDown, NAN).empty());
}
