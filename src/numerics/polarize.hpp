#pragma once
// Particle motion of a three-component window: vertical Z, north-south X,
// east-west Y.

#include <array>
#include <cstddef>

namespace kro {

struct PolarizationResult {
    float horizontal_azimuth = 0.0f;  // direction of the horizontal polarization line, 0-360 degrees
    float azimuth = 0.0f;             // azimuth of the principal direction in 3-D, 0-360 degrees
    float exit_angle = 0.0f;          // angle of the principal direction from the vertical, 0-90 degrees
    float planarity = 0.0f;           // 1 - 2*l3/(l1 + l2), 0-1
    float rectilinearity = 0.0f;      // 1 - (l2 + l3)/(2*l1), 0-1
};

// Eigenvalues (descending) and eigenvector columns of a symmetric 3x3
// matrix by cyclic Jacobi rotations in single precision.
struct Eigen3 {
    std::array<float, 3> values{};
    std::array<std::array<float, 3>, 3> vectors{};  // vectors[row][column]; column k belongs to values[k]
    bool converged = false;                         // false: 50 sweeps were not enough (still sorted)
};
Eigen3 jacobi_eigen3(const std::array<std::array<float, 3>, 3>& matrix);

// Polarization of n triples; z, x and y each hold n samples. A window whose
// covariance matrix is singular (or empty) gives five zeros.
PolarizationResult Polarize(const double* z, const double* x, const double* y, std::size_t n);

}  // namespace kro
