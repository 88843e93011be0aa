// Loads arbitrary save contents and plays every game the reader accepts: four simulated days on
// the headless platform, on the map with a fleet selected (the range circle, the fleet list, the
// movement) or on the system screen the file left open. A file the reader lets through must
// play without a single error report; the report hook turns one into a crash the fuzzer keeps.
// The first byte follows the save fuzzer: odd takes the rest as the whole file, even wraps it
// into a valid envelope.
#include "platform/errors.hpp"
#include "platform/headless/headless_platform.hpp"
#include "sandbox/sandkasten.hpp"
#include "sandbox/speicherplaetze.hpp"
#include "fuzz_eingabe.hpp"
#include "state/spielstand_datei.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void berichtIstEinFund()
{
    std::fputs("an accepted save raised a runtime error in play\n", stderr);
    std::abort();
}

// The first ship of a fleet that is not docked: the fleet the player would click on the map.
void flotteWaehlen(qz::Spielstand& spiel)
{
    const qz::SchiffSatz& satz = spiel.saetze(1);
    for (int k = 1; k <= satz.anzahl; ++k) {
        if (satz.wert(qz::kFlotte, k) > 0 && satz.wert(qz::kAngedockt, k) == 0 && satz.wert(qz::kTyp, k) > 0) {
            spiel.karte.gewaehlteFlotte = satz.wert(qz::kFlotte, k);
            spiel.karte.gewaehltesSchiff = k;
            return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::string datei = qz::fuzz::dateiAusEingabe(data, size);

    // Most inputs are refused: the reader alone first, before the window and pictures are made.
    {
        qz::Spielstand probe;
        if (qz::spielstandLesen(datei, 0.0, probe) != qz::Lesefehler::Keiner) return 0;
    }
    qz::HeadlessPlatform platform;
    platform.screenOpen(1024, 768, 32);
    qz::Rahmen r{platform};
    // Stand-in pictures: the drawing code checks every picture, not its look.
    for (int k = 1; k <= 23; ++k) r.Oberflaechenbild(k) = qz::imageCreate(156, 25, 0xFF202020);
    for (int k = 1; k <= 18; ++k) r.Planetenbild(k) = qz::imageCreate(100, 100, 0xFF505050);
    const qz::Bildquellen quellen{
        [](const std::string&) { return qz::imageCreate(64, 64, 0xFF000030); },
        [](const std::string&) { return qz::imageCreate(32, 32, 0xFF00FF00); },
    };
    qz::Spielstand spiel;
    qz::Speichermenue speicher;
    if (qz::spielLaden(r, spiel, quellen, datei) != qz::Lesefehler::Keiner) return 0;
    qz::setErrorScreenClear(berichtIstEinFund);
    if (spiel.gewaehltesSystem == 0) flotteWaehlen(spiel);
    r.Programmzustand = "sandkasten";
    // A pass every 2.5 simulated seconds: each clock takes the steps a late pass allows (a
    // movement tick, a route step, the day when due), so eight passes hold four days.
    for (int pass = 0; pass < 8; ++pass) {
        r.MausX = 512;
        r.MausY = 500;
        r.Mausereignis = 0;
        qz::sandkastenScreen(r, spiel, quellen, speicher);
        platform.advance(2.5);
    }
    qz::setErrorScreenClear(nullptr);
    return 0;
}
