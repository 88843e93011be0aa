#include "assets/synth.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace qz::assets {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTableSize = 4096;

// One cycle of a waveform; harmonics with amplitudes 1/n^power up to count.
class Wavetable {
public:
    Wavetable(int harmonics, double power) : table_(kTableSize + 1)
    {
        double peak = 0.0;
        for (int i = 0; i <= kTableSize; ++i) {
            double v = 0.0;
            for (int n = 1; n <= harmonics; ++n) v += std::sin(2.0 * kPi * n * i / kTableSize) / std::pow(n, power);
            table_[static_cast<std::size_t>(i)] = static_cast<float>(v);
            peak = std::max(peak, std::fabs(v));
        }
        for (float& v : table_) v = static_cast<float>(v / peak);
    }

    // The blend (1 - weight) * a + weight * b of two tables.
    Wavetable(const Wavetable& a, const Wavetable& b, float weight) : table_(kTableSize + 1)
    {
        for (std::size_t i = 0; i < table_.size(); ++i) {
            table_[i] = a.table_[i] * (1.0f - weight) + b.table_[i] * weight;
        }
    }

    // phase in cycles, any value
    float operator()(double phase) const
    {
        // floor() without a library call: this runs for every oscillator and sample.
        auto whole = static_cast<long long>(phase);
        if (phase < static_cast<double>(whole)) --whole;
        const double p = (phase - static_cast<double>(whole)) * kTableSize;
        const auto i = static_cast<std::size_t>(p);
        const float t = static_cast<float>(p - static_cast<double>(i));
        return table_[i] + (table_[i + 1] - table_[i]) * t;
    }

private:
    std::vector<float> table_;
};

const Wavetable& sine()
{
    static const Wavetable table(1, 1.0);
    return table;
}
const Wavetable& warm()
{
    static const Wavetable table(6, 2.0);
    return table;
}
const Wavetable& bright()
{
    static const Wavetable table(12, 1.2);
    return table;
}

// Pad waveform of a brightness (0..1 in steps of 0.01), built once and shared by all notes.
const Wavetable& padWave(double brightness)
{
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<Wavetable>> tables;
    const int key = static_cast<int>(std::lround(std::clamp(brightness, 0.0, 1.0) * 100.0));
    const std::lock_guard lock(mutex);
    std::unique_ptr<Wavetable>& table = tables[key];
    if (!table) table = std::make_unique<Wavetable>(warm(), bright(), static_cast<float>(key) / 100.0f);
    return *table;
}

std::size_t frameAt(double seconds) { return static_cast<std::size_t>(std::max(0.0, seconds) * kSampleRate); }

// Adds one mono sample s at frame i with the voice's gain, pan and send.
struct Writer {
    Mix& mix;
    float leftGain, rightGain, wetShare;

    Writer(Mix& m, const Voice& v)
        : mix(m),
          leftGain(static_cast<float>(v.gain * std::cos((v.pan + 1.0) * kPi / 4.0))),
          rightGain(static_cast<float>(v.gain * std::sin((v.pan + 1.0) * kPi / 4.0))),
          wetShare(static_cast<float>(v.send))
    {
    }

    void operator()(std::size_t i, float s) const
    {
        const float l = s * leftGain, r = s * rightGain;
        mix.dry.left[i] += l * (1.0f - wetShare);
        mix.dry.right[i] += r * (1.0f - wetShare);
        mix.wet.left[i] += l * wetShare;
        mix.wet.right[i] += r * wetShare;
    }
};

std::size_t endFrame(const Mix& mix, double seconds) { return std::min(mix.dry.frames(), frameAt(seconds)); }

// Lowpass comb filter of the reverb (feedback with damping).
class Comb {
public:
    explicit Comb(std::size_t length) : buffer_(length, 0.0f) {}
    float operator()(float in, float feedback, float damp)
    {
        const float out = buffer_[pos_];
        store_ = out * (1.0f - damp) + store_ * damp;
        buffer_[pos_] = in + store_ * feedback;
        if (++pos_ == buffer_.size()) pos_ = 0;
        return out;
    }

private:
    std::vector<float> buffer_;
    std::size_t pos_ = 0;
    float store_ = 0.0f;
};

class Allpass {
public:
    explicit Allpass(std::size_t length) : buffer_(length, 0.0f) {}
    float operator()(float in)
    {
        const float delayed = buffer_[pos_];
        const float out = delayed - in;
        buffer_[pos_] = in + delayed * 0.5f;
        if (++pos_ == buffer_.size()) pos_ = 0;
        return out;
    }

private:
    std::vector<float> buffer_;
    std::size_t pos_ = 0;
};

void reverbChannel(const std::vector<float>& in, std::vector<float>& out, double roomSize, std::size_t spread)
{
    std::vector<Comb> combs;
    for (const std::size_t n : {1116u, 1188u, 1277u, 1356u, 1422u, 1491u, 1557u, 1617u}) combs.emplace_back(n + spread);
    std::vector<Allpass> allpasses;
    for (const std::size_t n : {556u, 441u, 341u, 225u}) allpasses.emplace_back(n + spread);
    const auto feedback = static_cast<float>(0.7 + 0.28 * roomSize);
    constexpr float kDamp = 0.55f;  // high frequencies die first, as in a real room
    for (std::size_t i = 0; i < in.size(); ++i) {
        const float x = in[i] * 0.12f;
        float sum = 0.0f;
        for (Comb& c : combs) sum += c(x, feedback, kDamp);
        for (Allpass& a : allpasses) sum = a(sum);
        out[i] += sum;
    }
}

// Per-sample factor of an exponential decay with time constant seconds.
float decayFactor(double seconds) { return static_cast<float>(std::exp(-1.0 / (seconds * kSampleRate))); }

// Phase in cycles, kept in [0, 1) by the caller's accumulation.
struct Phase {
    double value = 0.0;
    double step = 0.0;
    explicit Phase(double hz, double start = 0.0) : value(start - std::floor(start)), step(hz / kSampleRate) {}
    double next()
    {
        const double current = value;
        value += step;
        if (value >= 1.0) value -= 1.0;
        return current;
    }
};

}  // namespace

Mix::Mix(double seconds) : dry(frameAt(seconds)), wet(frameAt(seconds)) {}

double noteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

void addPad(Mix& mix, double start, double length, double midi, const Voice& voice, double attack, double release,
            double brightness)
{
    const Writer write(mix, voice);
    const double hz = noteHz(midi);
    std::array<Phase, 3> oscillators{Phase(hz, 0.0), Phase(hz * 1.0035, 7.0 * 1.0035),
                                     Phase(hz * 0.9968, 7.0 * 0.9968)};
    const std::size_t a = frameAt(start), b = endFrame(mix, start + length + release);
    const std::size_t attackEnd = a + frameAt(attack), releaseStart = a + frameAt(length);
    const double releaseFrames = std::max(1.0, release * kSampleRate),
                 attackFrames = std::max(1.0, attack * kSampleRate);
    const Wavetable& wave = padWave(brightness);
    for (std::size_t i = a; i < b; ++i) {
        double env = i < attackEnd ? static_cast<double>(i - a) / attackFrames : 1.0;
        if (i > releaseStart) env *= std::max(0.0, 1.0 - static_cast<double>(i - releaseStart) / releaseFrames);
        env = env * env * (3.0 - 2.0 * env);
        float s = 0.0f;
        for (Phase& osc : oscillators) s += wave(osc.next());
        write(i, s * static_cast<float>(env / 3.0));
    }
}

void addBell(Mix& mix, double start, double midi, const Voice& voice, double decay)
{
    const Writer write(mix, voice);
    const double hz = noteHz(midi);
    const std::size_t a = frameAt(start), b = endFrame(mix, start + decay * 4.5);
    const Wavetable& osc = sine();
    Phase carrier(hz), modulator(hz * 3.5);
    const float fall = decayFactor(decay), indexFall = decayFactor(decay * 0.3);
    const std::size_t attack = frameAt(0.008);  // a soft mallet: no click for the reverb to smear
    float env = 1.0f, index = 1.6f;
    for (std::size_t i = a; i < b; ++i) {
        const float rise = i - a < attack ? static_cast<float>(i - a) / static_cast<float>(attack) : 1.0f;
        const double mod = osc(modulator.next()) * index;
        const double phase = carrier.next() + mod * 0.25;
        write(i, osc(phase) * env * rise);
        env *= fall;
        index *= indexFall;
    }
}

void addPluck(Mix& mix, double start, double midi, const Voice& voice, double decay)
{
    const Writer write(mix, voice);
    const double hz = noteHz(midi);
    const std::size_t a = frameAt(start), b = endFrame(mix, start + decay * 5.0);
    const Wavetable& soft = warm();
    const Wavetable& osc = sine();
    Phase phase(hz);
    const float fall = decayFactor(decay), biteFall = decayFactor(decay * 0.25);
    const std::size_t attack = frameAt(0.002);
    float env = 1.0f, bite = 0.4f;
    for (std::size_t i = a; i < b; ++i) {
        const float rise = i - a < attack ? static_cast<float>(i - a) / static_cast<float>(attack) : 1.0f;
        const double p = phase.next();
        write(i, env * rise * (osc(p) * 0.6f + soft(p) * bite));
        env *= fall;
        bite *= biteFall;
    }
}

void addFlute(Mix& mix, double start, double length, double midi, const Voice& voice)
{
    const Writer write(mix, voice);
    const double hz = noteHz(midi);
    const std::size_t a = frameAt(start), b = endFrame(mix, start + length + 0.25);
    const Wavetable& osc = sine();
    std::uint32_t noise = static_cast<std::uint32_t>(midi * 977.0 + start * 131.0) | 1u;
    float breath = 0.0f;
    Phase vibratoPhase(5.2);
    double phase = 0.0;
    for (std::size_t i = a; i < b; ++i) {
        const double t = static_cast<double>(i - a) / kSampleRate;
        double env = std::min(1.0, t / 0.08);
        if (t > length) env *= std::max(0.0, 1.0 - (t - length) / 0.25);
        const double vibrato = 0.004 * std::min(1.0, t / 0.5) * osc(vibratoPhase.next());
        phase += hz * (1.0 + vibrato) / kSampleRate;
        if (phase >= 1.0) phase -= 1.0;
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        breath = breath * 0.9f + (static_cast<float>(noise) / 4294967296.0f - 0.5f) * 0.1f;
        // Three harmonics and a hint of air (more would be heard as hiss).
        const float s = osc(phase) * 0.8f + osc(phase * 2.0) * 0.15f + osc(phase * 3.0) * 0.05f + breath * 0.06f;
        write(i, s * static_cast<float>(env));
    }
}

void addBass(Mix& mix, double start, double length, double midi, const Voice& voice)
{
    const Writer write(mix, voice);
    const double hz = noteHz(midi);
    const std::size_t a = frameAt(start), b = endFrame(mix, start + length + 0.3);
    const std::size_t attack = frameAt(0.04), releaseStart = a + frameAt(length), release = frameAt(0.3);
    const Wavetable& osc = sine();
    Phase fundamental(hz), octave(hz * 2.0);
    for (std::size_t i = a; i < b; ++i) {
        float env = i - a < attack ? static_cast<float>(i - a) / static_cast<float>(attack) : 1.0f;
        if (i > releaseStart) {
            env *= std::max(0.0f, 1.0f - static_cast<float>(i - releaseStart) / static_cast<float>(release));
        }
        write(i, (osc(fundamental.next()) + osc(octave.next()) * 0.2f) * env);
    }
}

void addKick(Mix& mix, double start, const Voice& voice)
{
    const Writer write(mix, voice);
    const std::size_t a = frameAt(start), b = endFrame(mix, start + 0.6);
    const Wavetable& osc = sine();
    const float bodyFall = decayFactor(0.18), sweepFall = decayFactor(0.04);
    float body = 1.0f, sweep = 1.0f;
    double phase = 0.0;
    for (std::size_t i = a; i < b; ++i) {
        write(i, osc(phase) * body);
        phase += (45.0 + 75.0 * sweep) / kSampleRate;
        if (phase >= 1.0) phase -= 1.0;
        body *= bodyFall;
        sweep *= sweepFall;
    }
}

void addTom(Mix& mix, double start, double pitchHz, const Voice& voice)
{
    const Writer write(mix, voice);
    const std::size_t a = frameAt(start), b = endFrame(mix, start + 0.8);
    const Wavetable& osc = sine();
    const float bodyFall = decayFactor(0.16), sweepFall = decayFactor(0.05);
    float body = 0.8f, sweep = 1.0f;
    double phase = 0.0, overtone = 0.0;
    for (std::size_t i = a; i < b; ++i) {
        write(i, (osc(phase) + 0.3f * osc(overtone)) * body);
        const double step = pitchHz * (1.0 + 0.6 * sweep) / kSampleRate;
        phase += step;
        overtone += step * 1.6;
        if (phase >= 1.0) phase -= 1.0;
        if (overtone >= 1.0) overtone -= 1.0;
        body *= bodyFall;
        sweep *= sweepFall;
    }
}

void addShaker(Mix& mix, double start, const Voice& voice, std::uint32_t seed)
{
    const Writer write(mix, voice);
    const std::size_t a = frameAt(start), b = endFrame(mix, start + 0.12);
    std::uint32_t noise = seed | 1u;
    float previous = 0.0f;
    const float fall = decayFactor(0.03);
    const std::size_t attack = frameAt(0.008);
    float env = 0.5f;
    for (std::size_t i = a; i < b; ++i) {
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        const float white = static_cast<float>(noise) / 2147483648.0f - 1.0f;
        const float high = white - previous;  // first difference: a simple high-pass
        previous = white;
        const float rise = i - a < attack ? static_cast<float>(i - a) / static_cast<float>(attack) : 1.0f;
        write(i, high * env * rise);
        env *= fall;
    }
}

StereoBuffer master(Mix& mix, double roomSize, double fadeIn, double fadeOut, double level)
{
    StereoBuffer out = mix.dry;
    reverbChannel(mix.wet.left, out.left, roomSize, 0);
    reverbChannel(mix.wet.right, out.right, roomSize, 23);
    const std::size_t n = out.frames();
    float peak = 1e-6f;
    for (std::size_t i = 0; i < n; ++i) peak = std::max({peak, std::fabs(out.left[i]), std::fabs(out.right[i])});
    const auto scale = static_cast<float>(level / peak);
    const std::size_t inFrames = frameAt(fadeIn), outFrames = frameAt(fadeOut);
    for (std::size_t i = 0; i < n; ++i) {
        float g = scale;
        if (i < inFrames) g *= static_cast<float>(i) / static_cast<float>(inFrames);
        if (n - i < outFrames) g *= static_cast<float>(n - i) / static_cast<float>(outFrames);
        out.left[i] *= g;
        out.right[i] *= g;
    }
    return out;
}

}  // namespace qz::assets
