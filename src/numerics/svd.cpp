#include "numerics/svd.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

namespace kro {

namespace {

double sign_of(double magnitude, double sign_source) {
    return sign_source >= 0.0 ? std::fabs(magnitude) : -std::fabs(magnitude);
}

}  // namespace

double hypotenuse(double p, double q) {
    const double ap = std::fabs(p);
    const double aq = std::fabs(q);
    if (ap > aq) return ap * std::sqrt(1.0 + (aq / ap) * (aq / ap));
    return aq == 0.0 ? 0.0 : aq * std::sqrt(1.0 + (ap / aq) * (ap / aq));
}

int svd_decompose(Eigen::MatrixXd& a, std::vector<double>& w, Eigen::MatrixXd& v) {
    const int m = static_cast<int>(a.rows());
    const int n = static_cast<int>(a.cols());
    if (m < n) {
        std::puts("SVDCMP: You must augment A with extra zero rows");
        return kSvdTooFewRows;
    }
    w.assign(static_cast<std::size_t>(n), 0.0);
    v.setZero(n, n);
    std::vector<double> rv1(static_cast<std::size_t>(n), 0.0);
    auto W = [&](int i) -> double& { return w[static_cast<std::size_t>(i)]; };
    auto E = [&](int i) -> double& { return rv1[static_cast<std::size_t>(i)]; };

    // Householder reduction to upper bidiagonal form.
    double g = 0.0, scale = 0.0, anorm = 0.0;
    int l = 0;
    for (int i = 0; i < n; ++i) {
        l = i + 1;
        E(i) = scale * g;
        g = 0.0;
        double s = 0.0;
        scale = 0.0;
        if (i < m) {
            for (int k = i; k < m; ++k) scale += std::fabs(a(k, i));
            if (scale != 0.0) {
                for (int k = i; k < m; ++k) {
                    a(k, i) /= scale;
                    s += a(k, i) * a(k, i);
                }
                const double f = a(i, i);
                g = -sign_of(std::sqrt(s), f);
                const double h = f * g - s;
                a(i, i) = f - g;
                for (int j = l; j < n; ++j) {
                    double sum = 0.0;
                    for (int k = i; k < m; ++k) sum += a(k, i) * a(k, j);
                    const double factor = sum / h;
                    for (int k = i; k < m; ++k) a(k, j) += factor * a(k, i);
                }
                for (int k = i; k < m; ++k) a(k, i) *= scale;
            }
        }
        W(i) = scale * g;
        g = 0.0;
        s = 0.0;
        scale = 0.0;
        if (i < m && i != n - 1) {
            for (int k = l; k < n; ++k) scale += std::fabs(a(i, k));
            if (scale != 0.0) {
                for (int k = l; k < n; ++k) {
                    a(i, k) /= scale;
                    s += a(i, k) * a(i, k);
                }
                const double f = a(i, l);
                g = -sign_of(std::sqrt(s), f);
                const double h = f * g - s;
                a(i, l) = f - g;
                for (int k = l; k < n; ++k) E(k) = a(i, k) / h;
                for (int j = l; j < m; ++j) {
                    double sum = 0.0;
                    for (int k = l; k < n; ++k) sum += a(j, k) * a(i, k);
                    for (int k = l; k < n; ++k) a(j, k) += sum * E(k);
                }
                for (int k = l; k < n; ++k) a(i, k) *= scale;
            }
        }
        anorm = std::max(anorm, std::fabs(W(i)) + std::fabs(E(i)));
    }

    // Accumulation of the right-hand transformations.
    for (int i = n - 1; i >= 0; --i) {
        if (i < n - 1) {
            if (g != 0.0) {
                for (int j = l; j < n; ++j) v(j, i) = (a(i, j) / a(i, l)) / g;  // two divisions avoid underflow
                for (int j = l; j < n; ++j) {
                    double sum = 0.0;
                    for (int k = l; k < n; ++k) sum += a(i, k) * v(k, j);
                    for (int k = l; k < n; ++k) v(k, j) += sum * v(k, i);
                }
            }
            for (int j = l; j < n; ++j) v(i, j) = v(j, i) = 0.0;
        }
        v(i, i) = 1.0;
        g = E(i);
        l = i;
    }

    // Accumulation of the left-hand transformations.
    for (int i = std::min(m, n) - 1; i >= 0; --i) {
        l = i + 1;
        g = W(i);
        for (int j = l; j < n; ++j) a(i, j) = 0.0;
        if (g != 0.0) {
            g = 1.0 / g;
            for (int j = l; j < n; ++j) {
                double sum = 0.0;
                for (int k = l; k < m; ++k) sum += a(k, i) * a(k, j);
                const double f = (sum / a(i, i)) * g;
                for (int k = i; k < m; ++k) a(k, j) += f * a(k, i);
            }
            for (int j = i; j < m; ++j) a(j, i) *= g;
        } else {
            for (int j = i; j < m; ++j) a(j, i) = 0.0;
        }
        a(i, i) += 1.0;
    }

    // Diagonalisation of the bidiagonal form, from the last value to the first.
    for (int k = n - 1; k >= 0; --k) {
        for (int its = 1; its <= 30; ++its) {
            bool split_needed = true;
            int nm = 0;
            for (l = k; l >= 0; --l) {
                nm = l - 1;
                if (std::fabs(E(l)) + anorm == anorm) {  // E(0) is always 0
                    split_needed = false;
                    break;
                }
                if (std::fabs(W(nm)) + anorm == anorm) break;
            }
            if (split_needed) {
                double c = 0.0, s = 1.0;
                for (int i = l; i <= k; ++i) {
                    const double f = s * E(i);
                    E(i) = c * E(i);
                    if (std::fabs(f) + anorm == anorm) break;
                    g = W(i);
                    double h = hypotenuse(f, g);
                    W(i) = h;
                    h = 1.0 / h;
                    c = g * h;
                    s = -f * h;
                    for (int j = 0; j < m; ++j) {
                        const double y = a(j, nm);
                        const double z = a(j, i);
                        a(j, nm) = y * c + z * s;
                        a(j, i) = z * c - y * s;
                    }
                }
            }
            double z = W(k);
            if (l == k) {  // converged
                if (z < 0.0) {
                    W(k) = -z;
                    for (int j = 0; j < n; ++j) v(j, k) = -v(j, k);
                }
                break;
            }
            if (its == 30) {
                std::puts("No convergence in 30 SVDCMP iterations");
                return kSvdNoConvergence;
            }
            // Shift from the bottom 2x2 minor.
            double x = W(l);
            nm = k - 1;
            double y = W(nm);
            g = E(nm);
            double h = E(k);
            double f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2.0 * h * y);
            g = hypotenuse(f, 1.0);
            f = ((x - z) * (x + z) + h * ((y / (f + sign_of(g, f))) - h)) / x;
            // Next QR transformation.
            double c = 1.0, s = 1.0;
            for (int j = l; j <= nm; ++j) {
                const int i = j + 1;
                g = E(i);
                y = W(i);
                h = s * g;
                g = c * g;
                z = hypotenuse(f, h);
                E(j) = z;
                c = f / z;
                s = h / z;
                f = x * c + g * s;
                g = g * c - x * s;
                h = y * s;
                y *= c;
                for (int jj = 0; jj < n; ++jj) {
                    x = v(jj, j);
                    z = v(jj, i);
                    v(jj, j) = x * c + z * s;
                    v(jj, i) = z * c - x * s;
                }
                z = hypotenuse(f, h);
                W(j) = z;
                if (z != 0.0) {
                    z = 1.0 / z;
                    c = f * z;
                    s = h * z;
                }
                f = c * g + s * y;
                x = c * y - s * g;
                for (int jj = 0; jj < m; ++jj) {
                    y = a(jj, j);
                    z = a(jj, i);
                    a(jj, j) = y * c + z * s;
                    a(jj, i) = z * c - y * s;
                }
            }
            E(l) = 0.0;
            E(k) = f;
            W(k) = x;
        }
    }
    return kSvdOk;
}

int svd_back_substitute(const Eigen::MatrixXd& u, const std::vector<double>& w, const Eigen::MatrixXd& v,
                        const std::vector<double>& b, std::vector<double>& x) {
    const auto m = u.rows();
    const auto n = u.cols();
    try {
        std::vector<double> tmp(static_cast<std::size_t>(n), 0.0);
        for (Eigen::Index j = 0; j < n; ++j) {
            double s = 0.0;
            const double wj = w[static_cast<std::size_t>(j)];
            if (wj != 0.0) {
                for (Eigen::Index i = 0; i < m; ++i) s += u(i, j) * b[static_cast<std::size_t>(i)];
                s /= wj;
            }
            tmp[static_cast<std::size_t>(j)] = s;
        }
        x.assign(static_cast<std::size_t>(n), 0.0);
        for (Eigen::Index j = 0; j < n; ++j) {
            double s = 0.0;
            for (Eigen::Index jj = 0; jj < n; ++jj) s += v(j, jj) * tmp[static_cast<std::size_t>(jj)];
            x[static_cast<std::size_t>(j)] = s;
        }
    } catch (const std::bad_alloc&) {
        return kSvdNoWorkSpace;
    }
    return kSvdOk;
}

}  // namespace kro
