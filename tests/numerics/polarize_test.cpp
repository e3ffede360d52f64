#include "numerics/polarize.hpp"

#include <gtest/gtest.h>

#include <Eigen/Eigenvalues>
#include <cmath>
#include <numbers>
#include <random>

namespace kro {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;

struct Window {
    std::vector<double> z, x, y;
    PolarizationResult polarize() const { return Polarize(z.data(), x.data(), y.data(), z.size()); }
};

// A sine along the unit direction (uz, ux, uy) plus independent noise.
Window line_motion(double uz, double ux, double uy, double noise, unsigned seed = 7) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> n(0.0, noise);
    Window w;
    for (int i = 0; i < 400; ++i) {
        const double s = std::sin(i * 0.1) + 0.3 * std::sin(i * 0.37);
        w.z.push_back(uz * s + n(rng));
        w.x.push_back(ux * s + n(rng));
        w.y.push_back(uy * s + n(rng));
    }
    return w;
}

TEST(Polarize, SingularWindowGivesZeros) {
    Window w = line_motion(0, 1, 0, 0.0);
    const PolarizationResult r = w.polarize();
    EXPECT_EQ(r.horizontal_azimuth, 0.0f);
    EXPECT_EQ(r.azimuth, 0.0f);
    EXPECT_EQ(r.exit_angle, 0.0f);
    EXPECT_EQ(r.planarity, 0.0f);
    EXPECT_EQ(r.rectilinearity, 0.0f);
    EXPECT_EQ(Polarize(nullptr, nullptr, nullptr, 0).rectilinearity, 0.0f);
}

TEST(Polarize, HorizontalLineAlongX) {
    const PolarizationResult r = line_motion(0, 1, 0, 0.01).polarize();
    EXPECT_GT(r.rectilinearity, 0.99f);
    EXPECT_NEAR(r.exit_angle, 90.0f, 1.0f);
    EXPECT_NEAR(std::fmod(r.azimuth + 1.0f, 180.0f), 1.0f, 1.0f);  // near 0 or 180
}

TEST(Polarize, CircularHorizontalMotionIsPlanar) {
    std::mt19937 rng(3);
    std::normal_distribution<double> n(0.0, 0.01);
    Window w;
    for (int i = 0; i < 629; ++i) {
        w.z.push_back(n(rng));
        w.x.push_back(std::cos(i * 0.01 * 2 * std::numbers::pi * 5) + n(rng));
        w.y.push_back(std::sin(i * 0.01 * 2 * std::numbers::pi * 5) + n(rng));
    }
    const PolarizationResult r = w.polarize();
    EXPECT_GT(r.planarity, 0.99f);
    EXPECT_NEAR(r.rectilinearity, 0.5f, 0.02f);
}

TEST(Polarize, InclinedLineGivesItsAzimuthAndExitAngle) {
    const struct {
        double azimuth, exit;
    } cases[] = {{30, 60}, {135, 20}, {250, 80}, {330, 45}};
    for (const auto& c : cases) {
        const double uz = std::cos(c.exit * kRad);
        const double h = std::sin(c.exit * kRad);
        const double ux = h * std::cos(c.azimuth * kRad);
        const double uy = h * std::sin(c.azimuth * kRad);
        const PolarizationResult r = line_motion(uz, ux, uy, 0.01).polarize();
        EXPECT_NEAR(r.exit_angle, c.exit, 0.5) << c.azimuth;
        // The eigenvector's sign is free: the azimuth is the line's either way.
        const double diff = std::fmod(r.azimuth - c.azimuth + 720.0, 180.0);
        EXPECT_LT(std::min(diff, 180.0 - diff), 0.5) << c.azimuth << " got " << r.azimuth;
        EXPECT_GT(r.rectilinearity, 0.99f);
        const double hdiff = std::fmod(r.horizontal_azimuth - c.azimuth + 720.0, 180.0);
        EXPECT_LT(std::min(hdiff, 180.0 - hdiff), 0.5) << c.azimuth << " got " << r.horizontal_azimuth;
    }
}

TEST(JacobiEigen3, AgreesWithEigenOnRandomSymmetricMatrices) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    for (int trial = 0; trial < 50; ++trial) {
        std::array<std::array<float, 3>, 3> m{};
        for (int i = 0; i < 3; ++i)
            for (int j = i; j < 3; ++j) m[i][j] = m[j][i] = u(rng);
        const Eigen3 e = jacobi_eigen3(m);
        ASSERT_TRUE(e.converged);
        Eigen::Matrix3d md;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) md(i, j) = m[i][j];
        const Eigen::Vector3d ref = Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(md).eigenvalues();  // ascending
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(e.values[k], ref(2 - k), 1e-5);
            Eigen::Vector3d vec(e.vectors[0][k], e.vectors[1][k], e.vectors[2][k]);
            EXPECT_LT((md * vec - e.values[k] * vec).norm(), 1e-5);
        }
    }
}

}  // namespace
}  // namespace kro
