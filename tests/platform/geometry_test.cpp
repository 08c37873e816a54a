#include "platform/geometry.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace zelvorn {
namespace {

TEST(MulDivTest, RoundsToNearestWithHalvesAwayFromZero) {
  // (a, b, c, a * b / c rounded)
  const std::vector<std::tuple<int, int, int, int>> cases = {
      {1, 127, 2, 64},   {-1, 127, 2, -64}, {1, 127, -2, -64}, {3, 127, 8, 48},
      {1, 127, 3, 42},   {2, 127, 3, 85},   {0, 127, 5, 0},    {4, 127, 4, 127},
      {1, 1, 3, 0},      {46341, 46341, 2, 1073744141},        {5, 127, 0, -1},
  };
  for (const auto& [a, b, c, expected] : cases) {
    EXPECT_EQ(MulDiv(a, b, c), expected) << a << " * " << b << " / " << c;
  }
}

TEST(TRectTest, RightAndBottomAreExclusive) {
  const TRect r{10, 20, 30, 40};
  EXPECT_TRUE(r.Contains({10, 20}));
  EXPECT_TRUE(r.Contains({29, 39}));
  EXPECT_FALSE(r.Contains({30, 39}));
  EXPECT_FALSE(r.Contains({29, 40}));
  EXPECT_TRUE(r.Intersects({29, 39, 31, 41}));
  EXPECT_FALSE(r.Intersects({30, 20, 40, 40}));  // touching edges share no pixel
  EXPECT_FALSE(r.Intersects({15, 25, 15, 35}));  // an empty rectangle meets nothing
  EXPECT_EQ(r.Intersected({25, 0, 100, 25}), (TRect{25, 20, 30, 25}));
}

}  // namespace
}  // namespace zelvorn
