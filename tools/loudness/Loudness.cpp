// Measures the game's sound mix from a recording of SDL's disk audio driver
// (32-bit float, one channel, as the program opens its device): finds every
// cue in it by matching the game's own sound tables, then gives the figures
// of each cue and of the whole game.
//
//   zorbanix_loudness CAPTURE [--rate HZ] [--buffer FRAMES] [--timeline FILE]
//                     [--picture FILE.pgm] [--summary]
//   zorbanix_loudness --replay TIMELINE [--rate HZ] [--write FILE] [--summary]
//
// --timeline writes the cues found (buffer, cue, sound); --replay plays such a
// list through the mixer as it is built now, at any rate, so that a change of
// the mix can be heard against the same game. --summary prints only
// "LUFS TRUE_PEAK_DBTP SAMPLE_PEAK_DBFS" on one line. --picture writes a
// spectrogram of the recording (time across, 0 to 8 kHz up).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "Measures.h"
#include "platform/sdl/audio/Mixer.h"
#include "platform/sdl/audio/Sounds.h"

namespace {

const char* const kNames[kSoundCount] = {"Shot",       "Invader shot", "Invader hit", "Ship lost",
                                         "March 1",    "March 2",      "March 3",     "March 4",
                                         "Wave start", "Game over"};

// The cue that plays `sound`: the four march notes all come from its one cue.
SoundCue cueOf(int sound) {
    for (int cue = 0; cue < kSoundCueCount; ++cue) {
        if (cue == static_cast<int>(SoundCue::Pause)) continue;  // silences only
        const int first = static_cast<int>(soundOf(static_cast<SoundCue>(cue)));
        const int notes = cue == static_cast<int>(SoundCue::MarchStep) ? kMarchNotes : 1;
        if (sound >= first && sound < first + notes) return static_cast<SoundCue>(cue);
    }
    return SoundCue::MarchStep;
}

struct Table {
    std::vector<double> samples;
    std::size_t audible = 0;  // the first sample within 60 dB of the peak
    std::size_t end = 0;      // one past the last
};

struct Found {
    std::size_t onset;  // in samples
    int sound;
    double gain;  // fitted over the opening of the sound
};

std::vector<Table> makeTables(int rate) {
    std::vector<Table> tables(kSoundCount);
    for (int id = 0; id < kSoundCount; ++id) {
        const std::vector<float> made = makeSound(static_cast<SoundId>(id), rate);
        Table& t = tables[static_cast<std::size_t>(id)];
        t.samples.assign(made.begin(), made.end());
        const double floor = samplePeak(t.samples) * 1e-3;
        while (t.audible < t.samples.size() && std::fabs(t.samples[t.audible]) < floor) ++t.audible;
        t.end = t.samples.size();
        while (t.end > t.audible && std::fabs(t.samples[t.end - 1]) < floor) --t.end;
    }
    return tables;
}

// Voices start at the first frame of a buffer, so each cue is looked for at
// every buffer boundary in turn, against what the cues found so far leave
// unexplained. A cue of a kind already sounding cuts the old voice with the
// mixer's 4 ms fade, which is put back before the match.
class Decoder {
public:
    Decoder(std::vector<double> capture, const std::vector<Table>& tables, int rate)
        : residual_(std::move(capture)), tables_(tables), fadeStep_(1000.0 / (4.0 * rate)) {}

    std::vector<Found> run(std::size_t buffer) {
        for (std::size_t b = 0; b < residual_.size(); b += buffer) {
            for (int more = 0; more < 6 && matchAt(b, buffer); ++more) {
            }
        }
        return found_;
    }
    const std::vector<double>& residual() const { return residual_; }

private:
    static constexpr std::size_t kWindow = 4096;

    // The voice of the same kind still sounding at `b`, if any: one found at
    // `b` itself is this buffer's, and a kind is posted once a buffer.
    const Found* sounding(int sound, std::size_t b) const {
        for (auto it = found_.rbegin(); it != found_.rend(); ++it) {
            if (cueOf(it->sound) != cueOf(sound)) continue;
            if (it->onset == b) return nullptr;
            if (it->onset + tables_[static_cast<std::size_t>(it->sound)].samples.size() > b)
                return &*it;
            return nullptr;
        }
        return nullptr;
    }
    // What the fade takes away from an old voice at sample i, cut at b.
    double cutAway(const Found* old, std::size_t b, std::size_t i) const {
        if (!old || i < b) return 0.0;
        const std::vector<double>& s = tables_[static_cast<std::size_t>(old->sound)].samples;
        if (i - old->onset >= s.size()) return 0.0;
        const double kept = std::max(1.0 - static_cast<double>(i - b + 1) * fadeStep_, 0.0);
        return s[i - old->onset] * (1.0 - kept);
    }

    bool matchAt(std::size_t b, std::size_t buffer) {
        int best = -1;
        double bestShare = 0.2;
        double bestGain = 0.0;
        for (int id = 0; id < kSoundCount; ++id) {
            const Table& t = tables_[static_cast<std::size_t>(id)];
            const Found* old = sounding(id, b);
            const std::size_t from = b + t.audible;
            const std::size_t n = std::min(
                {kWindow, t.end - t.audible, residual_.size() - std::min(from, residual_.size())});
            if (n < buffer) continue;
            double dot = 0;
            double self = 0;
            double cutRest = 0;
            double rest = 0;
            double firstSelf = 0;
            double firstRest = 0;
            for (std::size_t i = 0; i < n; ++i) {
                const double r = residual_[from + i] + cutAway(old, b, from + i);
                const double s = t.samples[t.audible + i];
                dot += r * s;
                self += s * s;
                cutRest += r * r;
                rest += residual_[from + i] * residual_[from + i];
                if (i < buffer) {
                    firstSelf += s * s;
                    firstRest += r * r;
                }
            }
            if (self <= 0 || rest < 1e-12 * static_cast<double>(n)) continue;
            const double gain = dot / self;
            // How much of what is left unexplained the sound takes away (with
            // the cut of an old voice that it implies).
            const double share = 1.0 - (cutRest - dot * dot / self) / rest;
            // New sound must begin right here, not a buffer later.
            if (gain < 0.5 || gain > 1.3 || firstRest < 0.3 * gain * gain * firstSelf) continue;
            if (share > bestShare) {
                best = id;
                bestShare = share;
                bestGain = gain;
            }
        }
        if (best < 0) return false;
        const Found* old = sounding(best, b);
        if (old) {
            const std::size_t end =
                old->onset + tables_[static_cast<std::size_t>(old->sound)].samples.size();
            for (std::size_t i = b; i < std::min(end, residual_.size()); ++i)
                residual_[i] += cutAway(old, b, i);
        }
        const std::vector<double>& s = tables_[static_cast<std::size_t>(best)].samples;
        for (std::size_t i = 0; i < s.size() && b + i < residual_.size(); ++i)
            residual_[b + i] -= s[i];
        found_.push_back({b, best, bestGain});
        return true;
    }

    std::vector<double> residual_;
    const std::vector<Table>& tables_;
    double fadeStep_;
    std::vector<Found> found_;
};

std::vector<double> readCapture(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "zorbanix_loudness: cannot read %s\n", path.c_str());
        std::exit(1);
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<double> samples(bytes.size() / sizeof(float));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        float v;
        std::memcpy(&v, bytes.data() + i * sizeof(float), sizeof v);
        samples[i] = v;
    }
    return samples;
}

// The same cues, in the same buffers (moved to the nearest buffer at another
// rate), through the mixer as it is built now.
std::vector<double> replay(const std::vector<Found>& cues, int fromRate, int rate, int buffer) {
    Mixer mixer(rate);
    std::size_t last = 0;
    for (const Found& f : cues) last = std::max(last, f.onset);
    const auto buffers =
        static_cast<std::size_t>(static_cast<double>(last) * rate / fromRate / buffer) +
        static_cast<std::size_t>(mixer.longestSound() / buffer) + 2;
    std::vector<double> out;
    std::vector<float> block(static_cast<std::size_t>(buffer));
    std::size_t next = 0;
    for (std::size_t k = 0; k < buffers; ++k) {
        for (; next < cues.size(); ++next) {
            const double at = static_cast<double>(cues[next].onset) * rate / fromRate / buffer;
            if (static_cast<std::size_t>(std::lround(at)) > k) break;
            mixer.post(cueOf(cues[next].sound));
        }
        mixer.render(block.data(), buffer, 1);
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

struct CueFigures {
    double peak, truePeak, loudness, aWeighted, above250, through300;
};

// A table as the mixer plays it (at gain 1); levels are over its audible
// span, the filters' ringing after it included. Its loudness is the
// K-weighted level over that span, without gating (most cues are shorter
// than one 400 ms block).
CueFigures cueFigures(const Table& t, int rate) {
    const double span = static_cast<double>(t.end - t.audible);
    std::vector<double> padded(t.samples.begin() + static_cast<long>(t.audible),
                               t.samples.begin() + static_cast<long>(t.end));
    padded.resize(padded.size() + static_cast<std::size_t>(rate / 10), 0.0);
    auto level = [&](const std::vector<double>& v) {
        return decibelsOfPower(meanSquare(v) * static_cast<double>(v.size()) / span);
    };
    std::vector<double> heard(t.samples.begin() + static_cast<long>(t.audible),
                              t.samples.begin() + static_cast<long>(t.end));
    return {decibels(samplePeak(t.samples)),
            decibels(truePeak(t.samples)),
            level(filtered(padded, kWeighting(rate))) - 0.691,
            level(filtered(padded, aWeighting(rate))),
            decibelsOfPower(meanSquareAbove(heard, rate, 250.0)),
            level(filtered(filtered(padded, highPass(rate, 300.0)), aWeighting(rate)))};
}

void writePicture(const std::vector<double>& v, int rate, const std::string& path) {
    constexpr std::size_t kSize = 2048;
    constexpr int kHeight = 256;
    const std::size_t hop = std::max<std::size_t>(kSize / 4, v.size() / 4000);
    const int width = static_cast<int>(v.size() / hop);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * kHeight);
    for (int x = 0; x < width; ++x) {
        std::vector<double> frame(kSize, 0.0);
        for (std::size_t i = 0; i < kSize; ++i) {
            const std::size_t at = static_cast<std::size_t>(x) * hop + i;
            const double w =
                0.5 - 0.5 * std::cos(2 * 3.14159265358979 * static_cast<double>(i) / kSize);
            frame[i] = at < v.size() ? v[at] * w : 0.0;
        }
        const std::vector<double> power = powerSpectrum(frame);
        for (int y = 0; y < kHeight; ++y) {
            // 0 to 8 kHz, each row the loudest bin of its band.
            const auto first = static_cast<std::size_t>(8000.0 * y / kHeight * kSize / rate);
            const auto last = static_cast<std::size_t>(8000.0 * (y + 1) / kHeight * kSize / rate);
            double p = 0.0;
            for (std::size_t k = first; k <= last && k < power.size(); ++k)
                p = std::max(p, power[k]);
            const double db =
                std::clamp(decibelsOfPower(p / (kSize * kSize / 16.0)) + 90.0, 0.0, 90.0);
            pixels[static_cast<std::size_t>(kHeight - 1 - y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)] = static_cast<unsigned char>(db * 255.0 / 90.0);
        }
    }
    std::ofstream out(path, std::ios::binary);
    out << "P5\n" << width << " " << kHeight << "\n255\n";
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<long>(pixels.size()));
}

void report(const std::vector<double>& capture, const std::vector<Found>& cues,
            const std::vector<Table>& tables, int rate, const std::vector<double>* residual) {
    std::printf(
        "| Cue | Found | Fitted gain | Peak dBFS | True peak dBTP | Loudness LUFS | A-weighted RMS "
        "dBFS "
        "| At 250 Hz and above, dBFS | A-weighted through 300 Hz high-pass, dBFS "
        "| Under the loudest there, dB |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    std::vector<CueFigures> figures;
    double loudest = -1e9;
    for (const Table& t : tables) {
        figures.push_back(cueFigures(t, rate));
        loudest = std::max(loudest, figures.back().through300);
    }
    for (int id = 0; id < kSoundCount; ++id) {
        int count = 0;
        double gains = 0;
        for (const Found& f : cues) {
            if (f.sound == id) {
                ++count;
                gains += f.gain;
            }
        }
        const CueFigures& c = figures[static_cast<std::size_t>(id)];
        std::printf("| %s | %d | %.2f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f |\n",
                    kNames[id], count, count ? gains / count : 0.0, c.peak, c.truePeak, c.loudness,
                    c.aWeighted, c.above250, c.through300, loudest - c.through300);
    }
    // The game: from its first cue to the end of its last sound.
    std::size_t from = capture.size();
    std::size_t to = 0;
    for (const Found& f : cues) {
        from = std::min(from, f.onset);
        to = std::max(to, f.onset + tables[static_cast<std::size_t>(f.sound)].samples.size());
    }
    to = std::min(to, capture.size());
    if (from >= to) {
        from = 0;
        to = capture.size();
    }
    const std::vector<double> game(capture.begin() + static_cast<long>(from),
                                   capture.begin() + static_cast<long>(to));
    std::printf("\nThe game: %.1f s from the first cue to the end of the last, %zu cues\n",
                static_cast<double>(game.size()) / rate, cues.size());
    std::printf("  integrated loudness %.1f LUFS, true peak %.1f dBTP, sample peak %.1f dBFS\n",
                integratedLoudness(capture, rate), decibels(truePeak(game)),
                decibels(samplePeak(game)));
    std::printf("  A-weighted RMS %.1f dBFS, plain RMS %.1f dBFS, at 250 Hz and above %.1f dBFS\n",
                decibelsOfPower(meanSquare(filtered(game, aWeighting(rate)))),
                decibelsOfPower(meanSquare(game)),
                decibelsOfPower(meanSquareAbove(game, rate, 250.0)));
    if (residual) {
        const std::vector<double> left(residual->begin() + static_cast<long>(from),
                                       residual->begin() + static_cast<long>(to));
        std::printf(
            "  left unexplained by the cues found: %.1f dB under the game (the limiter's work, "
            "cues lost)\n",
            decibelsOfPower(meanSquare(game)) - decibelsOfPower(meanSquare(left)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string capturePath;
    std::string timelinePath;
    std::string replayPath;
    std::string writePath;
    std::string picturePath;
    int rate = 48000;
    int buffer = 512;
    bool summary = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "zorbanix_loudness: %s needs a value\n", arg.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--rate")
            rate = std::atoi(value().c_str());
        else if (arg == "--buffer")
            buffer = std::atoi(value().c_str());
        else if (arg == "--timeline")
            timelinePath = value();
        else if (arg == "--replay")
            replayPath = value();
        else if (arg == "--write")
            writePath = value();
        else if (arg == "--picture")
            picturePath = value();
        else if (arg == "--summary")
            summary = true;
        else
            capturePath = arg;
    }
    if (rate <= 0 || buffer <= 0 || (capturePath.empty() == replayPath.empty())) {
        std::fprintf(
            stderr,
            "usage: zorbanix_loudness CAPTURE | --replay TIMELINE [options]; see the source\n");
        return 2;
    }
    const std::vector<Table> tables = makeTables(rate);
    std::vector<double> capture;
    std::vector<Found> cues;
    std::vector<double> residual;
    if (!replayPath.empty()) {
        std::ifstream in(replayPath);
        int fromRate = 48000;
        int fromBuffer = 512;
        in >> fromRate >> fromBuffer;
        std::size_t at;
        int cue = 0;
        int sound = 0;
        std::vector<Found> listed;
        while (in >> at >> cue >> sound)
            listed.push_back({at * static_cast<std::size_t>(fromBuffer), sound, 1.0});
        capture = replay(listed, fromRate, rate, buffer);
        // Found again in the new mix, so that the figures come the same way.
        Decoder decoder(capture, tables, rate);
        cues = decoder.run(static_cast<std::size_t>(buffer));
        residual = decoder.residual();
    } else {
        capture = readCapture(capturePath);
        Decoder decoder(capture, tables, rate);
        cues = decoder.run(static_cast<std::size_t>(buffer));
        residual = decoder.residual();
    }
    if (!timelinePath.empty()) {
        std::FILE* out = std::fopen(timelinePath.c_str(), "w");
        if (!out) return 1;
        std::fprintf(out, "%d %d\n", rate, buffer);
        for (const Found& f : cues)
            std::fprintf(out, "%zu %d %d\n", f.onset / static_cast<std::size_t>(buffer),
                         static_cast<int>(cueOf(f.sound)), f.sound);
        std::fclose(out);
    }
    if (!writePath.empty()) {
        std::ofstream out(writePath, std::ios::binary);
        for (double v : capture) {
            const auto f = static_cast<float>(v);
            out.write(reinterpret_cast<const char*>(&f), sizeof f);
        }
    }
    if (!picturePath.empty()) writePicture(capture, rate, picturePath);
    if (summary) {
        std::printf("%.2f %.2f %.2f\n", integratedLoudness(capture, rate),
                    decibels(truePeak(capture)), decibels(samplePeak(capture)));
        return 0;
    }
    report(capture, cues, tables, rate, &residual);
    return 0;
}
