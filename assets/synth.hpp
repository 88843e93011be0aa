// Instruments of the music and the click: notes rendered straight into a two-bus mix (a dry
// bus and a reverb send), then the send is run through one stereo reverb. All deterministic.
#pragma once

#include "assets/mp3_file.hpp"

#include <cstdint>

namespace qz::assets {

struct Mix {
    StereoBuffer dry;
    StereoBuffer wet;  // goes through the reverb
    explicit Mix(double seconds);
};

struct Voice {
    double gain = 0.2;
    double pan = 0.0;   // -1 left .. 1 right
    double send = 0.4;  // share of the note that goes to the reverb
};

double noteHz(double midi);

// Soft pad: three detuned oscillators with a slow swell and release; brightness 0..1.
void addPad(Mix& mix, double start, double length, double midi, const Voice& voice, double attack, double release,
            double brightness);
// Struck bell: two-operator FM with an inharmonic modulator and a long decay.
void addBell(Mix& mix, double start, double midi, const Voice& voice, double decay);
// Short plucked note for arpeggios.
void addPluck(Mix& mix, double start, double midi, const Voice& voice, double decay);
// Breathy sustained lead with vibrato.
void addFlute(Mix& mix, double start, double length, double midi, const Voice& voice);
// Warm sine bass with a soft attack.
void addBass(Mix& mix, double start, double length, double midi, const Voice& voice);

void addKick(Mix& mix, double start, const Voice& voice);
void addTom(Mix& mix, double start, double pitchHz, const Voice& voice);
void addShaker(Mix& mix, double start, const Voice& voice, std::uint32_t seed);

// Reverb of the send bus added to the dry bus, fades at both ends, peak normalised to level.
StereoBuffer master(Mix& mix, double roomSize, double fadeIn, double fadeOut, double level);

}  // namespace qz::assets
