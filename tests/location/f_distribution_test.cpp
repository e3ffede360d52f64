#include "location/f_distribution.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace kro {
namespace {

// Reference quantiles from printed statistical tables.
TEST(FDistribution, TableValuesAndInterpolation) {
    struct Case {
        int k;
        double nu, p, expected, tolerance;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {1, 1, 0.90, 39.86, 0.01},  {2, 10, 0.95, 4.10, 0.01},  {3, 10, 0.99, 6.55, 0.01},
        {2, 30, 0.90, 2.49, 0.01},  {2, 120, 0.95, 3.07, 0.01}, {2, inf, 0.95, 3.00, 0.01},
        {1, 1e9, 0.99, 6.63, 0.01}, {3, 0.5, 0.90, 1000, 0},     {2, 0, 0.99, 1000, 0},
        // nu = 35 lies between 30 and 40: linear in nu/(nu+1).
        {2, 35, 0.90, 2.4887 + (2.4404 - 2.4887) * (35.0 / 36 - 30.0 / 31) / (40.0 / 41 - 30.0 / 31), 1e-9},
        {4, 10, 0.90, -1, 0},       {2, 10, 0.50, -1, 0},
    };
    for (const Case& c : cases) EXPECT_NEAR(f_quantile(c.k, c.nu, c.p), c.expected, c.tolerance) << c.k << " " << c.nu;
}

}  // namespace
}  // namespace kro
