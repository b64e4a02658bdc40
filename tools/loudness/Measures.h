#pragma once

#include <vector>

// The figures the sound mix is judged by, on plain mono sample arrays at any
// rate: weighting filters, loudness after ITU-R BS.1770-4, true peak and the
// share of energy in a band.

struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
};

// Runs the sections one after the other over `samples` (from rest).
std::vector<double> filtered(const std::vector<double>& samples, const std::vector<Biquad>& chain);

// A-weighting (IEC 61672), 0 dB at 1 kHz.
std::vector<Biquad> aWeighting(int rate);
// The K-weighting of BS.1770: the head's high shelf, then its high-pass.
std::vector<Biquad> kWeighting(int rate);
// A fourth-order Butterworth high-pass: 24 dB an octave below `hz`.
std::vector<Biquad> highPass(int rate, double hz);

double meanSquare(const std::vector<double>& samples);
double samplePeak(const std::vector<double>& samples);
// The peak of the signal between its samples too: 4x oversampled through a
// windowed-sinc interpolator.
double truePeak(const std::vector<double>& samples);
// Integrated loudness in LUFS of one channel: 400 ms blocks every 100 ms,
// the -70 LUFS absolute gate, then the gate 10 LU under the loudness of the
// blocks that passed it. -inf for silence.
double integratedLoudness(const std::vector<double>& samples, int rate);
// Mean square of what lies at `hz` and above, from the spectrum of the whole
// array (its power summed over those bins, as Parseval's sum).
double meanSquareAbove(const std::vector<double>& samples, int rate, double hz);

// |X(k)|^2 of the first half of the spectrum of `frame` (a power of two long).
std::vector<double> powerSpectrum(const std::vector<double>& frame);

double decibels(double amplitude);
double decibelsOfPower(double power);
