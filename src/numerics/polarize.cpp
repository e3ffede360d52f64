#include "numerics/polarize.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kro {

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;
constexpr int kMaxSweeps = 50;

void rotate(std::array<std::array<float, 3>, 3>& a, int i, int j, int k, int l, float s, float tau) {
    const float g = a[i][j];
    const float h = a[k][l];
    a[i][j] = g - s * (h + g * tau);
    a[k][l] = h + s * (g - h * tau);
}

// Descending order with their columns; among equal values the later one is taken.
void sort_descending(Eigen3& e) {
    for (int i = 0; i < 2; ++i) {
        int k = i;
        float p = e.values[i];
        for (int j = i + 1; j < 3; ++j) {
            if (e.values[j] >= p) {
                k = j;
                p = e.values[j];
            }
        }
        if (k != i) {
            e.values[k] = e.values[i];
            e.values[i] = p;
            for (int r = 0; r < 3; ++r) std::swap(e.vectors[r][i], e.vectors[r][k]);
        }
    }
}

}  // namespace

Eigen3 jacobi_eigen3(const std::array<std::array<float, 3>, 3>& matrix) {
    constexpr int n = 3;
    auto a = matrix;
    Eigen3 e;
    std::array<float, 3> b{}, z{};
    auto& d = e.values;
    auto& v = e.vectors;
    for (int p = 0; p < n; ++p) {
        for (int q = 0; q < n; ++q) v[p][q] = p == q ? 1.0f : 0.0f;
        b[p] = d[p] = a[p][p];
        z[p] = 0.0f;
    }
    for (int sweep = 1; sweep <= kMaxSweeps; ++sweep) {
        float sm = 0.0f;
        for (int p = 0; p < n - 1; ++p)
            for (int q = p + 1; q < n; ++q) sm += std::fabs(a[p][q]);
        if (sm <= 1e-6f) {
            e.converged = true;
            break;
        }
        const float tresh = sweep < 4 ? 0.2f * sm / (n * n) : 0.0f;
        for (int p = 0; p < n - 1; ++p) {
            for (int q = p + 1; q < n; ++q) {
                const float g = 100.0f * std::fabs(a[p][q]);
                if (sweep > 4 && std::fabs(d[p]) + g == std::fabs(d[p]) && std::fabs(d[q]) + g == std::fabs(d[q])) {
                    a[p][q] = 0.0f;
                } else if (std::fabs(a[p][q]) > tresh) {
                    float h = d[q] - d[p];
                    float t;
                    if (std::fabs(h) + g == std::fabs(h)) {
                        t = a[p][q] / h;
                    } else {
                        const float theta = 0.5f * h / a[p][q];
                        t = 1.0f / (std::fabs(theta) + std::sqrt(1.0f + theta * theta));
                        if (theta < 0.0f) t = -t;
                    }
                    const float c = 1.0f / std::sqrt(1.0f + t * t);
                    const float s = t * c;
                    const float tau = s / (1.0f + c);
                    h = t * a[p][q];
                    z[p] -= h;
                    z[q] += h;
                    d[p] -= h;
                    d[q] += h;
                    a[p][q] = 0.0f;
                    for (int j = 0; j < p; ++j) rotate(a, j, p, j, q, s, tau);
                    for (int j = p + 1; j < q; ++j) rotate(a, p, j, j, q, s, tau);
                    for (int j = q + 1; j < n; ++j) rotate(a, p, j, q, j, s, tau);
                    for (int j = 0; j < n; ++j) rotate(v, j, p, j, q, s, tau);
                }
            }
        }
        for (int p = 0; p < n; ++p) {
            b[p] += z[p];
            d[p] = b[p];
            z[p] = 0.0f;
        }
    }
    sort_descending(e);
    return e;
}

PolarizationResult Polarize(const double* z, const double* x, const double* y, std::size_t n) {
    PolarizationResult r;
    if (n == 0) return r;
    // 1. Means.
    double mz = 0.0, mx = 0.0, my = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        mz += z[i];
        mx += x[i];
        my += y[i];
    }
    mz /= static_cast<double>(n);
    mx /= static_cast<double>(n);
    my /= static_cast<double>(n);
    // 2. Covariances.
    double czz = 0.0, cxx = 0.0, cyy = 0.0, czx = 0.0, czy = 0.0, cxy = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dz = z[i] - mz, dx = x[i] - mx, dy = y[i] - my;
        czz += dz * dz;
        cxx += dx * dx;
        cyy += dy * dy;
        czx += dz * dx;
        czy += dz * dy;
        cxy += dx * dy;
    }
    const double nn = static_cast<double>(n);
    czz /= nn, cxx /= nn, cyy /= nn, czx /= nn, czy /= nn, cxy /= nn;
    // 3. A singular matrix gives zeros.
    const double det = czz * (cxx * cyy - cxy * cxy) - czx * (czx * cyy - cxy * czy) + czy * (czx * cxy - cxx * czy);
    if (det == 0.0) return r;
    // 4. Horizontal azimuth from the larger eigenvalue of the X-Y covariance.
    const double trace = cxx + cyy;
    const double lambda_h = (trace + std::sqrt(trace * trace - 4.0 * (cxx * cyy - cxy * cxy))) / 2.0;
    double ex = cxy, ey = lambda_h - cxx;
    const double norm = std::sqrt(ex * ex + ey * ey);
    if (norm > 0.0) {
        ex /= norm;
        ey /= norm;
    } else {  // no X-Y covariance: the line lies along the larger of X and Y
        ex = cxx >= cyy ? 1.0 : 0.0;
        ey = cxx >= cyy ? 0.0 : 1.0;
    }
    double alpha = std::acos(std::clamp(ex, -1.0, 1.0)) * kDegrees;
    if (czy < 0.0) alpha += 180.0;
    alpha = alpha < 180.0 ? alpha + 180.0 : alpha - 180.0;
    r.horizontal_azimuth = static_cast<float>(alpha);
    // 5. Eigen decomposition in single precision.
    const std::array<std::array<float, 3>, 3> c{{
        {static_cast<float>(czz), static_cast<float>(czx), static_cast<float>(czy)},
        {static_cast<float>(czx), static_cast<float>(cxx), static_cast<float>(cxy)},
        {static_cast<float>(czy), static_cast<float>(cxy), static_cast<float>(cyy)},
    }};
    const Eigen3 e = jacobi_eigen3(c);
    const float l1 = e.values[0], l2 = e.values[1], l3 = e.values[2];
    // 6. Direction of the principal motion.
    const double uz = e.vectors[0][0], ux = e.vectors[1][0], uy = e.vectors[2][0];
    double azimuth = std::atan2(-uy, -ux) * kDegrees;
    if (azimuth < 0.0) azimuth += 360.0;
    r.azimuth = static_cast<float>(azimuth);
    r.exit_angle = static_cast<float>(std::acos(std::min(1.0, std::fabs(uz))) * kDegrees);
    // 7. Shape of the motion.
    r.planarity = 1.0f - 2.0f * l3 / (l1 + l2);
    r.rectilinearity = 1.0f - (l2 + l3) / (2.0f * l1);
    return r;
}

}  // namespace kro
