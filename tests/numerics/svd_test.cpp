#include "numerics/svd.hpp"

#include <gtest/gtest.h>

#include <Eigen/SVD>
#include <algorithm>
#include <random>

namespace kro {
namespace {

TEST(SvdDecompose, SingularValuesAreNotSorted) {
    Eigen::MatrixXd a(2, 2);
    a << 1, 0, 0, 2;
    std::vector<double> w;
    Eigen::MatrixXd v;
    ASSERT_EQ(svd_decompose(a, w, v), kSvdOk);
    EXPECT_DOUBLE_EQ(w[0], 1.0);
    EXPECT_DOUBLE_EQ(w[1], 2.0);
}

TEST(SvdDecompose, FewerRowsThanColumnsLeavesTheMatrixAlone) {
    Eigen::MatrixXd a(2, 3);
    a << 1, 2, 3, 4, 5, 6;
    const Eigen::MatrixXd before = a;
    std::vector<double> w;
    Eigen::MatrixXd v;
    testing::internal::CaptureStdout();
    EXPECT_EQ(svd_decompose(a, w, v), kSvdTooFewRows);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "SVDCMP: You must augment A with extra zero rows\n");
    EXPECT_EQ(a, before);
}

// Random, rank-deficient and degenerate matrices: A = U diag(w) V^T with
// orthonormal U and V, and the values agree with an independent SVD.
TEST(SvdDecompose, ReconstructsAndAgreesWithEigen) {
    std::mt19937 rng(42);
    std::normal_distribution<double> normal;
    std::vector<Eigen::MatrixXd> matrices;
    for (auto [m, n] : {std::pair{3, 3}, {5, 3}, {12, 4}, {40, 4}, {1, 1}, {7, 1}}) {
        Eigen::MatrixXd a(m, n);
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < n; ++j) a(i, j) = normal(rng);
        matrices.push_back(a);
    }
    Eigen::MatrixXd rank_one(6, 3);
    for (int i = 0; i < 6; ++i) rank_one.row(i) << i + 1, 2 * (i + 1), -(i + 1);
    matrices.push_back(rank_one);
    matrices.push_back(Eigen::MatrixXd::Zero(4, 3));
    Eigen::MatrixXd scaled(4, 2);  // columns of very different size, as locator derivatives are
    scaled << 1e6, 1e-3, 2e6, 3e-3, -1e6, 5e-3, 4e6, -1e-3;
    matrices.push_back(scaled);

    for (const Eigen::MatrixXd& original : matrices) {
        Eigen::MatrixXd u = original;
        std::vector<double> w;
        Eigen::MatrixXd v;
        ASSERT_EQ(svd_decompose(u, w, v), kSvdOk);
        const Eigen::Map<Eigen::VectorXd> wv(w.data(), static_cast<Eigen::Index>(w.size()));
        const double scale = std::max(1.0, original.norm());
        EXPECT_LT((u * wv.asDiagonal() * v.transpose() - original).norm(), 1e-12 * scale) << original;
        EXPECT_LT((v.transpose() * v - Eigen::MatrixXd::Identity(v.cols(), v.cols())).norm(), 1e-12);
        for (double value : w) EXPECT_GE(value, 0.0);
        std::vector<double> sorted = w;
        std::sort(sorted.rbegin(), sorted.rend());
        const Eigen::VectorXd reference = Eigen::JacobiSVD<Eigen::MatrixXd>(original).singularValues();
        for (std::size_t i = 0; i < sorted.size(); ++i)
            EXPECT_NEAR(sorted[i], reference(static_cast<Eigen::Index>(i)), 1e-12 * scale) << original;
    }
}

TEST(SvdBackSubstitute, SolvesLeastSquaresAndIgnoresZeroValues) {
    Eigen::MatrixXd a(5, 3);
    a << 1, 0, 2, 0, 1, 1, 3, 1, 0, 1, 1, 1, 2, 0, 1;
    const Eigen::VectorXd b_vec = (Eigen::VectorXd(5) << 1, 2, 3, 4, 5).finished();
    const Eigen::VectorXd expected = a.colPivHouseholderQr().solve(b_vec);
    Eigen::MatrixXd u = a;
    std::vector<double> w, x;
    Eigen::MatrixXd v;
    ASSERT_EQ(svd_decompose(u, w, v), kSvdOk);
    const std::vector<double> b(b_vec.data(), b_vec.data() + 5);
    ASSERT_EQ(svd_back_substitute(u, w, v, b, x), kSvdOk);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(x[static_cast<std::size_t>(i)], expected(i), 1e-12);

    // A zero singular value contributes nothing: the solution has no part
    // along its right singular vector.
    const auto zero = std::min_element(w.begin(), w.end()) - w.begin();
    w[static_cast<std::size_t>(zero)] = 0.0;
    ASSERT_EQ(svd_back_substitute(u, w, v, b, x), kSvdOk);
    const Eigen::Map<Eigen::VectorXd> xv(x.data(), 3);
    EXPECT_NEAR(xv.dot(v.col(zero)), 0.0, 1e-12);
}

TEST(Hypotenuse, NoOverflowAndZero) {
    EXPECT_EQ(hypotenuse(0.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(hypotenuse(3.0, -4.0), 5.0);
    EXPECT_DOUBLE_EQ(hypotenuse(3e300, 4e300), 5e300);
}

}  // namespace
}  // namespace kro
