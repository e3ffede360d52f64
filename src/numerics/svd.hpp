#pragma once
// Singular value decomposition (Golub-Reinsch with implicit-shift QR) and
// the least-squares solve built on it, for the linearised locator.

#include <Eigen/Core>
#include <vector>

namespace kro {

inline constexpr int kSvdOk = 0;
inline constexpr int kSvdTooFewRows = -1;       // fewer rows than columns; nothing computed
inline constexpr int kSvdNoConvergence = -2;    // a value did not converge in 30 sweeps
inline constexpr int kSvdNoWorkSpace = -1;      // svd_back_substitute could not allocate

// Decomposes the m x n matrix `a` (m >= n) as A = U * diag(w) * V^T: `a` is
// replaced by U (orthonormal columns), `w` receives the n singular values
// (not sorted, all >= 0) and `v` the n x n orthogonal V. Returns kSvdOk,
// kSvdTooFewRows (a unchanged) or kSvdNoConvergence (results incomplete).
// The two failures also print a line on standard output.
int svd_decompose(Eigen::MatrixXd& a, std::vector<double>& w, Eigen::MatrixXd& v);

// x = V * diag(1/w) * U^T * b, where a singular value of exactly 0
// contributes 0. Returns kSvdOk or kSvdNoWorkSpace.
int svd_back_substitute(const Eigen::MatrixXd& u, const std::vector<double>& w, const Eigen::MatrixXd& v,
                        const std::vector<double>& b, std::vector<double>& x);

// sqrt(p^2 + q^2) without overflow: p * sqrt(1 + (q/p)^2), p the larger magnitude.
double hypotenuse(double p, double q);

}  // namespace kro
