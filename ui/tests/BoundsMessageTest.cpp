#include "ui/BoundsMessage.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

TEST(BoundsErrorTextTest, NamesBothLimitsInGeneralFormat)
{
    EXPECT_EQ(BoundsErrorText(0, 100), "The input value is outside the allowed range (0 - 1E2)");
    EXPECT_EQ(BoundsErrorText(0, 1.1E4900L),
              "The input value is outside the allowed range (0 - 1.1E4900)");
}

} // namespace
} // namespace velmaro
