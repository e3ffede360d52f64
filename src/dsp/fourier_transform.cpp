#include "dsp/fourier_transform.hpp"

#include <fftw3.h>

#include <cstring>
#include <memory>
#include <stdexcept>

namespace kro {
namespace {

struct FftwFree {
    void operator()(void* p) const { fftw_free(p); }
};
struct PlanDestroy {
    void operator()(fftw_plan p) const { fftw_destroy_plan(p); }
};
using Plan = std::unique_ptr<std::remove_pointer_t<fftw_plan>, PlanDestroy>;

template <typename T>
std::unique_ptr<T[], FftwFree> fftw_buffer(std::size_t count) {
    auto* p = static_cast<T*>(fftw_malloc(sizeof(T) * std::max<std::size_t>(count, 1)));
    if (!p) throw std::bad_alloc();
    return std::unique_ptr<T[], FftwFree>(p);
}

// Real-to-complex and complex-to-real transforms of the half spectrum
// (bins 0 ... n/2); the other bins follow by symmetry.
class FftwTransform final : public FourierTransform {
public:
    std::vector<std::complex<double>> forward(std::span<const double> x) const override {
        const std::size_t n = x.size();
        std::vector<std::complex<double>> spectrum(n);
        if (n == 0) return spectrum;
        const std::size_t half = n / 2 + 1;
        auto in = fftw_buffer<double>(n);
        auto out = fftw_buffer<fftw_complex>(half);
        Plan plan(fftw_plan_dft_r2c_1d(static_cast<int>(n), in.get(), out.get(), FFTW_ESTIMATE));
        std::memcpy(in.get(), x.data(), n * sizeof(double));
        fftw_execute(plan.get());
        const double scale = 1.0 / static_cast<double>(n);
        for (std::size_t k = 0; k < half; ++k) spectrum[k] = {out[k][0] * scale, out[k][1] * scale};
        for (std::size_t k = half; k < n; ++k) spectrum[k] = std::conj(spectrum[n - k]);
        return spectrum;
    }

    // Re sum Y e^(+i..) equals the inverse of the Hermitian part
    // Z[k] = (Y[k] + conj(Y[n-k])) / 2, which a complex-to-real transform takes.
    void inverse_real(std::span<const std::complex<double>> spectrum, std::vector<double>& y) const override {
        const std::size_t n = spectrum.size();
        y.assign(n, 0.0);
        if (n == 0) return;
        const std::size_t half = n / 2 + 1;
        auto in = fftw_buffer<fftw_complex>(half);
        auto out = fftw_buffer<double>(n);
        Plan plan(fftw_plan_dft_c2r_1d(static_cast<int>(n), in.get(), out.get(), FFTW_ESTIMATE));
        for (std::size_t k = 0; k < half; ++k) {
            const std::complex<double> z = 0.5 * (spectrum[k] + std::conj(spectrum[(n - k) % n]));
            in[k][0] = z.real();
            in[k][1] = z.imag();
        }
        fftw_execute(plan.get());
        std::memcpy(y.data(), out.get(), n * sizeof(double));
    }
};

}  // namespace

const FourierTransform& fft_transform() {
    static const FftwTransform transform;
    return transform;
}

double bin_frequency(long long k, long long n, double sps) {
    if (k <= n / 2) return static_cast<double>(k) * sps / static_cast<double>(n);
    return -static_cast<double>(n - k) * sps / static_cast<double>(n);
}

}  // namespace kro
