#include "engine/Arithmetic.h"

#include <gtest/gtest.h>

#include <limits>

using namespace velmaro;
using namespace velmaro::arith;

TEST(NearestTest, TiesGoToTheEvenNeighbour)
{
    const struct {
        double x, expected;
    } cases[] = {{2.5, 2}, {3.5, 4}, {0.5, 0}, {-2.5, -2}, {-3.5, -4}, {3.29945, 3}, {2.51, 3}};
    for (const auto &c : cases)
        EXPECT_EQ(Nearest(c.x), c.expected) << c.x;
}

TEST(PowerTest, CasesInOrder)
{
    EXPECT_EQ(Power(-8, 0), 1);             // e = 0 first, even for a negative base
    EXPECT_EQ(Power(0, 0.385), 0);          // zero base, positive exponent
    EXPECT_EQ(Power(-2, 3), -8);            // whole exponent by multiplication
    EXPECT_EQ(Power(2, -2), 0.25);
    EXPECT_NEAR(Power(2, 0.5), 1.4142135623730951, 1e-15);
    EXPECT_EQ(Power(-1, 2147483647), -1);   // the largest whole exponent done by multiplication
    EXPECT_EQ(Power(-1, -2147483647), -1);
    EXPECT_EQ(Power(1, 2147483648.0), 1);   // beyond it: exp(e ln b)
}

TEST(PowerTest, FailuresAreArithmeticErrors)
{
    EXPECT_THROW(Power(-8, 0.385), ArithmeticError);  // negative base, fractional exponent
    EXPECT_THROW(Power(0, -2), ArithmeticError);      // 1 / 0
    EXPECT_THROW(Power(1e200, 3), ArithmeticError);   // beyond double range
    EXPECT_THROW(Power(0, -0.5), ArithmeticError);
    EXPECT_THROW(Power(-1, 2147483648.0), ArithmeticError); // whole, but past the 32-bit range
}

TEST(CheckedArithmeticTest, DivisionAndOverflow)
{
    EXPECT_THROW(Div(0, 0), ArithmeticError);
    EXPECT_THROW(Div(1, 0), ArithmeticError);
    EXPECT_THROW(Mul(std::numeric_limits<double>::max(), 2), ArithmeticError);
    EXPECT_EQ(Div(1, 4), 0.25);
}
