#include "Measures.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979323846;

// An analogue second-order section (n2 s^2 + n1 s + n0) / (d2 s^2 + d1 s + d0)
// through the bilinear transform.
Biquad bilinear(double n2, double n1, double n0, double d2, double d1, double d0, int rate) {
    const double k = 2.0 * rate;
    const double k2 = k * k;
    const double a0 = d2 * k2 + d1 * k + d0;
    Biquad q;
    q.b0 = (n2 * k2 + n1 * k + n0) / a0;
    q.b1 = 2.0 * (n0 - n2 * k2) / a0;
    q.b2 = (n2 * k2 - n1 * k + n0) / a0;
    q.a1 = 2.0 * (d0 - d2 * k2) / a0;
    q.a2 = (d2 * k2 - d1 * k + d0) / a0;
    return q;
}

// An analogue corner at `hz`, moved so that the digital one lands on it.
double warped(double hz, int rate) { return 2.0 * rate * std::tan(kPi * hz / rate); }

std::complex<double> response(const std::vector<Biquad>& chain, double hz, int rate) {
    const std::complex<double> z = std::polar(1.0, -2.0 * kPi * hz / rate);
    std::complex<double> h = 1.0;
    for (const Biquad& q : chain) {
        h *= (q.b0 + q.b1 * z + q.b2 * z * z) / (1.0 + q.a1 * z + q.a2 * z * z);
    }
    return h;
}

void fft(std::vector<std::complex<double>>& a) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2.0 * kPi / static_cast<double>(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1.0;
            for (std::size_t k = 0; k < len / 2; ++k) {
                const std::complex<double> u = a[i + k];
                const std::complex<double> v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
}

}  // namespace

std::vector<double> filtered(const std::vector<double>& samples, const std::vector<Biquad>& chain) {
    std::vector<double> out = samples;
    for (const Biquad& q : chain) {
        double x1 = 0;
        double x2 = 0;
        double y1 = 0;
        double y2 = 0;
        for (double& v : out) {
            const double y = q.b0 * v + q.b1 * x1 + q.b2 * x2 - q.a1 * y1 - q.a2 * y2;
            x2 = x1;
            x1 = v;
            y2 = y1;
            y1 = y;
            v = y;
        }
    }
    return out;
}

std::vector<Biquad> aWeighting(int rate) {
    const double f1 = warped(20.598997, rate);
    const double f2 = warped(107.65265, rate);
    const double f3 = warped(737.86223, rate);
    const double f4 = warped(12194.217, rate);
    std::vector<Biquad> chain = {
        bilinear(1, 0, 0, 1, 2 * f1, f1 * f1, rate),
        bilinear(1, 0, 0, 1, f2 + f3, f2 * f3, rate),
        bilinear(0, 0, 1, 1, 2 * f4, f4 * f4, rate),
    };
    const double gain = 1.0 / std::abs(response(chain, 1000.0, rate));
    chain[0].b0 *= gain;
    chain[0].b1 *= gain;
    chain[0].b2 *= gain;
    return chain;
}

std::vector<Biquad> kWeighting(int rate) {
    // The constants of BS.1770-4 given at 48 kHz, as corner, gain and Q, so
    // that any rate gets the same curve.
    std::vector<Biquad> chain(2);
    {
        const double k = std::tan(kPi * 1681.974450955533 / rate);
        const double q = 0.7071752369554196;
        const double vh = std::pow(10.0, 3.999843853973347 / 20.0);
        const double vb = std::pow(vh, 0.4996667741545416);
        const double a0 = 1.0 + k / q + k * k;
        chain[0].b0 = (vh + vb * k / q + k * k) / a0;
        chain[0].b1 = 2.0 * (k * k - vh) / a0;
        chain[0].b2 = (vh - vb * k / q + k * k) / a0;
        chain[0].a1 = 2.0 * (k * k - 1.0) / a0;
        chain[0].a2 = (1.0 - k / q + k * k) / a0;
    }
    {
        const double k = std::tan(kPi * 38.13547087602444 / rate);
        const double q = 0.5003270373238773;
        const double a0 = 1.0 + k / q + k * k;
        chain[1].b0 = 1.0;
        chain[1].b1 = -2.0;
        chain[1].b2 = 1.0;
        chain[1].a1 = 2.0 * (k * k - 1.0) / a0;
        chain[1].a2 = (1.0 - k / q + k * k) / a0;
    }
    return chain;
}

std::vector<Biquad> highPass(int rate, double hz) {
    std::vector<Biquad> chain;
    for (double q : {0.5411961001461969, 1.3065629648763766}) {
        const double w = 2.0 * kPi * hz / rate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        const double a0 = 1.0 + alpha;
        Biquad s;
        s.b0 = (1.0 + c) / 2.0 / a0;
        s.b1 = -(1.0 + c) / a0;
        s.b2 = s.b0;
        s.a1 = -2.0 * c / a0;
        s.a2 = (1.0 - alpha) / a0;
        chain.push_back(s);
    }
    return chain;
}

double meanSquare(const std::vector<double>& samples) {
    if (samples.empty()) return 0.0;
    double sum = 0.0;
    for (double v : samples) sum += v * v;
    return sum / static_cast<double>(samples.size());
}

double samplePeak(const std::vector<double>& samples) {
    double peak = 0.0;
    for (double v : samples) peak = std::max(peak, std::fabs(v));
    return peak;
}

double truePeak(const std::vector<double>& samples) {
    // Four phases of a Blackman-windowed sinc, 16 input samples each side.
    constexpr int kPhases = 4;
    constexpr int kHalf = 16;
    double taps[kPhases][2 * kHalf];
    for (int p = 0; p < kPhases; ++p) {
        double sum = 0.0;
        for (int k = 0; k < 2 * kHalf; ++k) {
            // The distance from the new point to input sample (m - k + kHalf).
            const double t = static_cast<double>(k - kHalf) + static_cast<double>(p) / kPhases;
            const double sinc = t == 0.0 ? 1.0 : std::sin(kPi * t) / (kPi * t);
            const double x = (t + kHalf) / (2.0 * kHalf);
            const double window = 0.42 - 0.5 * std::cos(2 * kPi * x) + 0.08 * std::cos(4 * kPi * x);
            taps[p][k] = sinc * window;
            sum += taps[p][k];
        }
        for (double& tap : taps[p]) tap /= sum;
    }
    const auto n = static_cast<long>(samples.size());
    double peak = samplePeak(samples);
    for (long m = 0; m < n; ++m) {
        for (int p = 1; p < kPhases; ++p) {
            double v = 0.0;
            for (int k = 0; k < 2 * kHalf; ++k) {
                const long i = m - k + kHalf;
                if (i >= 0 && i < n) v += samples[static_cast<std::size_t>(i)] * taps[p][k];
            }
            peak = std::max(peak, std::fabs(v));
        }
    }
    return peak;
}

double integratedLoudness(const std::vector<double>& samples, int rate) {
    const std::vector<double> k = filtered(samples, kWeighting(rate));
    const std::size_t block = static_cast<std::size_t>(rate) * 4 / 10;
    const std::size_t step = static_cast<std::size_t>(rate) / 10;
    std::vector<double> powers;
    for (std::size_t start = 0; start + block <= k.size(); start += step) {
        double sum = 0.0;
        for (std::size_t i = start; i < start + block; ++i) sum += k[i] * k[i];
        powers.push_back(sum / static_cast<double>(block));
    }
    auto loudness = [](double power) { return -0.691 + 10.0 * std::log10(power); };
    auto gatedMean = [&](double gate) {
        double sum = 0.0;
        int count = 0;
        for (double p : powers) {
            if (p > 0.0 && loudness(p) > gate) {
                sum += p;
                ++count;
            }
        }
        return count > 0 ? sum / count : 0.0;
    };
    const double absolute = gatedMean(-70.0);
    if (absolute <= 0.0) return -std::numeric_limits<double>::infinity();
    const double relative = gatedMean(loudness(absolute) - 10.0);
    return loudness(relative);
}

double meanSquareAbove(const std::vector<double>& samples, int rate, double hz) {
    std::size_t n = 1;
    while (n < samples.size()) n <<= 1;
    std::vector<std::complex<double>> spectrum(n);
    std::copy(samples.begin(), samples.end(), spectrum.begin());
    fft(spectrum);
    // Both halves of the spectrum; the sum over all bins over n is the sum of
    // the squares.
    double sum = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t bin = std::min(i, n - i);
        if (static_cast<double>(bin) * rate / static_cast<double>(n) >= hz)
            sum += std::norm(spectrum[i]);
    }
    return sum / static_cast<double>(n) / static_cast<double>(samples.size());
}

std::vector<double> powerSpectrum(const std::vector<double>& frame) {
    std::vector<std::complex<double>> spectrum(frame.begin(), frame.end());
    fft(spectrum);
    std::vector<double> power(frame.size() / 2);
    for (std::size_t i = 0; i < power.size(); ++i) power[i] = std::norm(spectrum[i]);
    return power;
}

double decibels(double amplitude) {
    return amplitude > 0.0 ? 20.0 * std::log10(amplitude)
                           : -std::numeric_limits<double>::infinity();
}

double decibelsOfPower(double power) {
    return power > 0.0 ? 10.0 * std::log10(power) : -std::numeric_limits<double>::infinity();
}
