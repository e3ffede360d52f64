#pragma once
// Upper quantiles of the F distribution for the error ellipse.

namespace kro {

// F(k, nu; p): the value an F-distributed variable with k and nu degrees of
// freedom stays below with probability p, for k = 1, 2, 3 and p = 0.90,
// 0.95, 0.99, from a table at nu = 1-30, 40, 60, 120 and infinity,
// interpolated linearly in nu/(nu+1) between listed nu. nu below 1 gives
// 1000. Another k or p gives -1.
double f_quantile(int k, double nu, double p);

}  // namespace kro
