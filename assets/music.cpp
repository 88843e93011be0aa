#include "assets/music.hpp"

#include "assets/rng.hpp"
#include "assets/synth.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace qz::assets {

namespace {

constexpr std::array<TrackInfo, kTrackCount> kTracks{{
    {"Schweben", 169}, {"Stardust_Sandbox", 330}, {"Tribal_Movies", 188}, {"New_Begin", 237}, {"Traum", 238},
}};

enum class Lead { Bell, Flute, Pluck };
enum class Drums { None, Ticks, Tribal, SoftKick };

struct Style {
    double bpm;
    int root;                               // MIDI note of the key's tonic, pad octave
    std::vector<std::vector<int>> chords;   // semitones above the root
    int beatsPerChord;
    std::vector<int> scale;                 // semitones of the melody's scale
    Lead lead;
    bool arpeggio;
    Drums drums;
    double brightness;
    double room;
};

const Style& styleOf(int track)
{
    static const std::array<Style, kTrackCount> kStyles{{
        // Schweben: weightless D minor, long pad swells and a sparse bell.
        {60, 50, {{0, 3, 7, 14}, {-4, 0, 3, 10}, {-9, -5, 0, 4}, {-2, 2, 5, 9}}, 8, {0, 2, 3, 5, 7, 9, 10},
         Lead::Bell, false, Drums::None, 0.15, 0.9},
        // Stardust_Sandbox: playful C lydian with a plucked arpeggio and light ticks.
        {84, 48, {{0, 4, 7, 11}, {2, 6, 9, 14}, {-3, 0, 4, 7}, {-5, -1, 2, 7}}, 8, {0, 2, 4, 6, 7, 9, 11},
         Lead::Pluck, true, Drums::Ticks, 0.35, 0.7},
        // Tribal_Movies: A minor pentatonic over a drone, drums and a breathy flute.
        {100, 45, {{0, 7, 12, 15}, {0, 7, 10, 15}, {-2, 5, 10, 14}, {0, 7, 12, 17}}, 8, {0, 3, 5, 7, 10},
         Lead::Flute, false, Drums::Tribal, 0.25, 0.6},
        // New_Begin: hopeful G major, I - V - vi - IV, a soft pulse in the middle.
        {72, 43, {{0, 4, 7, 12}, {7, 11, 14, 19}, {9, 12, 16, 21}, {5, 9, 12, 17}}, 8, {0, 2, 4, 5, 7, 9, 11},
         Lead::Bell, true, Drums::SoftKick, 0.3, 0.75},
        // Traum: dreamy E major sevenths, slow, bells in a large room.
        {56, 52, {{0, 4, 7, 11}, {-3, 0, 4, 9}, {-7, -3, 0, 4}, {-5, -1, 2, 6}}, 8, {0, 2, 4, 7, 9, 11},
         Lead::Bell, false, Drums::None, 0.1, 1.0},
    }};
    return kStyles[static_cast<std::size_t>(track - 1)];
}

// Nearest tone of the scale (transposed by root) to a MIDI note.
int snapToScale(int note, int root, const std::vector<int>& scale)
{
    int best = note, distance = 99;
    for (int octave = -2; octave <= 4; ++octave) {
        for (const int s : scale) {
            const int candidate = root + 12 * octave + s;
            if (std::abs(candidate - note) < distance) {
                distance = std::abs(candidate - note);
                best = candidate;
            }
        }
    }
    return best;
}

int nearestChordTone(int note, int root, const std::vector<int>& chord)
{
    int best = note, distance = 99;
    for (int octave = -1; octave <= 4; ++octave) {
        for (const int c : chord) {
            const int candidate = root + 12 * octave + c;
            if (std::abs(candidate - note) < distance) {
                distance = std::abs(candidate - note);
                best = candidate;
            }
        }
    }
    return best;
}

struct Note {
    double beat;    // start within the phrase, in beats
    double length;  // beats
    int pitch;
};

// A phrase spanning two chords: a rhythm from a small set and a random walk over the scale,
// landing on chord tones on the strong beats.
std::vector<Note> makePhrase(Rng& rng, const Style& style, std::size_t firstChord)
{
    static const std::array<std::vector<double>, 4> kRhythms{{
        {0, 1.5, 2, 3, 4, 6},
        {0, 1, 2, 4, 5, 5.5, 6},
        {0, 2, 3, 4, 7},
        {0.5, 1, 1.5, 2, 4, 4.5, 6},
    }};
    const std::vector<double>& rhythm = kRhythms[static_cast<std::size_t>(rng.between(0, 3))];
    const int centre = style.root + 12;
    int pitch = centre + rng.between(0, 7);
    std::vector<Note> notes;
    for (int half = 0; half < 2; ++half) {
        const std::vector<int>& chord =
            style.chords[(firstChord + static_cast<std::size_t>(half)) % style.chords.size()];
        for (std::size_t i = 0; i < rhythm.size(); ++i) {
            const double beat = rhythm[i] * style.beatsPerChord / 8.0 + half * style.beatsPerChord;
            const double next = i + 1 < rhythm.size()
                                    ? rhythm[i + 1] * style.beatsPerChord / 8.0 + half * style.beatsPerChord
                                    : (half + 1.0) * style.beatsPerChord;
            pitch += rng.between(-3, 3);
            pitch = std::clamp(pitch, centre, centre + 17);
            const bool strong = std::fmod(beat, 2.0) == 0.0;
            const int note =
                strong ? nearestChordTone(pitch, style.root, chord) : snapToScale(pitch, style.root, style.scale);
            notes.push_back({beat, std::max(0.5, next - beat), note});
        }
    }
    return notes;
}

void playLead(Mix& mix, const Style& style, double at, double length, int pitch, double pan, double beat)
{
    switch (style.lead) {
    case Lead::Bell: addBell(mix, at, pitch, {0.16, pan, 0.55}, 0.9 + beat * 0.1); break;
    case Lead::Pluck: addPluck(mix, at, pitch, {0.17, pan, 0.45}, 0.35); break;
    case Lead::Flute: addFlute(mix, at, length, pitch, {0.13, pan, 0.4}); break;
    }
}

void addDrums(Mix& mix, const Style& style, double start, double beat, int bar, double intensity, Rng& rng)
{
    switch (style.drums) {
    case Drums::None: return;
    case Drums::Ticks:
        for (int e = 0; e < 8; ++e) {
            addShaker(mix, start + e * beat / 2.0, {0.05 * intensity * (e % 2 == 0 ? 1.0 : 0.6), 0.3, 0.3},
                      static_cast<std::uint32_t>(bar * 8 + e + 1));
        }
        return;
    case Drums::SoftKick:
        addKick(mix, start, {0.32 * intensity, 0.0, 0.1});
        addKick(mix, start + 2 * beat, {0.26 * intensity, 0.0, 0.1});
        return;
    case Drums::Tribal: {
        addKick(mix, start, {0.5 * intensity, 0.0, 0.15});
        addKick(mix, start + 2.5 * beat, {0.35 * intensity, 0.0, 0.15});
        static const std::array<double, 6> kTomSteps{0.75, 1.5, 2.0, 3.0, 3.25, 3.5};
        for (std::size_t i = 0; i < kTomSteps.size(); ++i) {
            if (bar % 4 == 3 || i % 2 == 0 || rng.uniform() < 0.5) {
                const double pitch = 90.0 + 35.0 * static_cast<double>(i % 3);
                addTom(mix, start + kTomSteps[i] * beat, pitch, {0.28 * intensity, i % 2 == 0 ? -0.4 : 0.4, 0.3});
            }
        }
        for (int e = 0; e < 8; ++e) {
            addShaker(mix, start + e * beat / 2.0, {0.09 * intensity * (e % 2 == 1 ? 1.0 : 0.55), 0.5, 0.2},
                      static_cast<std::uint32_t>(bar * 8 + e + 7));
        }
        return;
    }
    }
}

}  // namespace

const TrackInfo& trackInfo(int track)
{
    if (track < 1 || track > kTrackCount) throw std::out_of_range("no such track");
    return kTracks[static_cast<std::size_t>(track - 1)];
}

StereoBuffer synthesiseTrack(int track)
{
    const TrackInfo& info = trackInfo(track);
    const Style& style = styleOf(track);
    Rng rng(seedFor(5, static_cast<std::uint64_t>(track)));
    const double length = info.seconds;
    Mix mix(length);
    const double beat = 60.0 / style.bpm;
    const double chordSeconds = beat * style.beatsPerChord;
    const int chordCount = static_cast<int>(std::ceil(length / chordSeconds));

    // Harmony: pads and bass, each chord swelling into the next.
    for (int c = 0; c < chordCount; ++c) {
        const double at = c * chordSeconds;
        const std::vector<int>& chord = style.chords[static_cast<std::size_t>(c) % style.chords.size()];
        const double swell = 0.75 + 0.25 * std::sin(c * 0.7);
        for (std::size_t n = 0; n < chord.size(); ++n) {
            const double pan = -0.6 + 1.2 * static_cast<double>(n) / static_cast<double>(chord.size() - 1);
            addPad(mix, at, chordSeconds, style.root + chord[n], {0.11 * swell, pan, 0.6}, chordSeconds * 0.35,
                   chordSeconds * 0.45, style.brightness);
        }
        if (c >= 1) addBass(mix, at, chordSeconds * 0.92, style.root - 12 + chord[0], {0.22, 0.0, 0.1});
    }

    // Arpeggio: the chord tones climbing in eighth notes, from the third chord on.
    if (style.arpeggio) {
        for (int c = 2; c < chordCount; ++c) {
            const std::vector<int>& chord = style.chords[static_cast<std::size_t>(c) % style.chords.size()];
            for (int e = 0; e < style.beatsPerChord * 2; ++e) {
                const int tone = chord[static_cast<std::size_t>(e) % chord.size()] + 12 * (1 + (e / 4) % 2);
                addPluck(mix, c * chordSeconds + e * beat / 2.0, style.root + tone,
                         {0.05, e % 2 == 0 ? -0.5 : 0.5, 0.5}, 0.22);
            }
        }
    }

    // Melody: phrases of two chords, each played twice (the second time slightly varied),
    // with a rest every third phrase pair so the music breathes.
    const int phraseChords = 2;
    for (int c = 2, pairIndex = 0; c + phraseChords <= chordCount - 1; c += 2 * phraseChords, ++pairIndex) {
        if (pairIndex % 3 == 2) continue;
        const std::vector<Note> phrase = makePhrase(rng, style, static_cast<std::size_t>(c));
        for (int repeat = 0; repeat < 2; ++repeat) {
            const double phraseStart = (c + repeat * phraseChords) * chordSeconds;
            for (std::size_t i = 0; i < phrase.size(); ++i) {
                const Note& note = phrase[i];
                int pitch = note.pitch;
                if (repeat == 1 && i + 1 == phrase.size()) {
                    pitch = nearestChordTone(pitch - 2, style.root, style.chords[0]);
                }
                const double at = phraseStart + note.beat * beat;
                if (at + note.length * beat > length - 4.0) continue;
                playLead(mix, style, at, note.length * beat * 0.9, pitch, 0.15 * std::sin(i * 1.3), note.beat);
            }
        }
    }

    // Rhythm: bars of four beats, fading in after the intro and out before the end.
    if (style.drums != Drums::None) {
        const int bars = static_cast<int>(length / (4 * beat));
        const bool middleOnly = style.drums == Drums::SoftKick;
        for (int bar = 2; bar < bars - 2; ++bar) {
            const double progress = static_cast<double>(bar) / bars;
            if (middleOnly && (progress < 0.3 || progress > 0.8)) continue;
            const double intensity = std::min(1.0, (bar - 1) / 4.0);
            addDrums(mix, style, bar * 4 * beat, beat, bar, intensity, rng);
        }
    }

    return master(mix, style.room, 4.0, 8.0, 0.85);
}

StereoBuffer synthesiseClick()
{
    // A short, soft "tick": two damped partials and a body tone, no noise hiss.
    Mix mix(0.12);
    addBell(mix, 0.0, 97.0, {0.6, 0.0, 0.05}, 0.012);   // ~2.2 kHz
    addBell(mix, 0.0, 81.0, {0.5, 0.0, 0.05}, 0.025);   // ~900 Hz
    addPluck(mix, 0.0, 69.0, {0.3, 0.0, 0.0}, 0.02);
    return master(mix, 0.2, 0.0, 0.03, 0.7);
}

}  // namespace qz::assets
