// Writes seeds for spielstand_fuzzer: the contents (behind the envelope) of the save of a small
// game with ships in the master lists and the working set, of an empty one, and of the small
// game's own part as a multiplayer game keeps it.
#include "state/eigener_spielstand.hpp"
#include "state/schiffslisten.hpp"
#include "state/spielstand_datei.hpp"

#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) return 1;
    const std::string ordner = argv[2];
    // Both are games the reader accepts, so that the play fuzzer starts from games it plays.
    qz::Spielstand leer;
    leer.eigenerSpieler = 1;
    leer.hintergrund = 1;
    leer.spieler.spielerFarbe(1, 0) = 1;
    leer.Sternanzahl = 0;
    leer.karte.kartenBreite = 2560;
    leer.karte.kartenHoehe = 1600;
    qz::Spielstand klein;
    klein.eigenerSpieler = 1;
    klein.spielLaeuft = 1;
    klein.hintergrund = 3;
    klein.spieler.spielerFarbe(1, 0) = 2;
    klein.Sternanzahl = 3;
    klein.karte.kartenBreite = 2560;
    klein.karte.kartenHoehe = 1600;
    for (int i = 1; i <= 3; ++i) {
        klein.systeme.name(i) = "Planet X" + std::to_string(i);
        klein.systeme.besitzer(i) = i == 1;
        klein.systeme.typ(i) = i == 1 ? 42 : 3 * i;
        klein.systeme.pos(i, 1) = 300 + 150 * i;
        klein.systeme.pos(i, 2) = 400 + 100 * i;
    }
    klein.systeme.handelsposten(1) = -42;
    klein.systeme.handelsposten(2) = 1;
    qz::schiffAnhaengen(klein.schiffe, {1, 100, 20, 1, 1, 2, 434, 504, 434, 504, 10, 1, 0});
    qz::schiffAnhaengen(klein.schiffe, {7, 300, 90, 0, 0, 3, 440, 510, 734, 704, 80, 2, 0});
    qz::schiffAnhaengen(klein.schiffe, {4, 200, 50, 0, 2, 2, 584, 604, 584, 604, 40, 2, 0});
    qz::schiffeSchneiden(klein.schiffe, klein.saetze(1));
    klein.saetze(1)[qz::kRoute](2) = "12349";
    klein.spieler.hoechsteFlotte(1) = 2;
    klein.forschung.thema(3).stufe = 4;
    klein.forschung.thema(3).aktiv = 1;
    klein.forschung.aktiveThemen = 1;
    klein.karte.handelsliste = ",1,2";
    int n = 0;
    for (const qz::Spielstand* spiel : {&leer, &klein}) {
        // Behind the envelope, with the even first byte that asks the fuzzer to wrap it again.
        const std::string datei = qz::spielstandSchreiben(*spiel, 0.0, 0);
        std::ofstream(ordner + "/seed" + std::to_string(++n), std::ios::binary) << '\0' << datei.substr(24);
    }
    const std::string teil = qz::eigenenTeilSchreiben(klein, qz::Feld<int>{1, 4, 0}, 0);
    std::ofstream(ordner + "/seed" + std::to_string(++n), std::ios::binary) << '\0' << teil.substr(24);
    return 0;
}
