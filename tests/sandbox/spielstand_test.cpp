// Saving and loading a sandbox game: a random game comes back field by field and then plays on
// exactly like the original, no bad file reaches the running game, a save that fails halfway
// keeps the slot's previous save, and a player saves, quits, starts again and loads.
#include "gfx/widgets.hpp"
#include "map/spielstart.hpp"
#include "platform/folders.hpp"
#include "sandbox/speicherplaetze.hpp"
#include "sandbox_fixture.hpp"
#include "spielstand_vergleich.hpp"
#include "state/schiffslisten.hpp"
#include "state/spielerfarben.hpp"
#include "state/eigener_spielstand.hpp"
#include "state/spielstand_datei.hpp"

#include <atomic>
#include <chrono>
#include <climits>
#include <functional>
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace qz {
namespace {

// A running game with random values in every field the file holds, shaped as the game makes
// them: own and foreign systems with build queues and trading posts, fleets docked, standing and
// in flight with routes, a working set that has moved on from the master lists, research,
// money and a route being computed. The clock values are whole sixteenths of a second, so the
// time left that the file keeps adds up exactly again.
void zufallsSpiel(Sitzung& s, unsigned seed, int sterne, int schiffe)
{
    std::mt19937 rng(seed);
    auto zufall = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    const double jetzt = s.platform.timer();
    Spielstand& g = s.spiel;
    neuesSpielZuruecksetzen(s.r, g);
    g.Sternanzahl = sterne;
    g.spielLaeuft = 1;
    g.hintergrund = zufall(1, 13);
    g.karte.kartenBreite = 2560;
    g.karte.kartenHoehe = 1600;
    const int farbe = zufall(1, 8);
    g.spieler.spielerFarbe(1, 0) = farbe;
    g.spieler.spielerFarbe(1, 1) = spielerfarbe(farbe).rot;
    g.spieler.spielerFarbe(1, 2) = spielerfarbe(farbe).gruen;
    g.spieler.spielerFarbe(1, 3) = spielerfarbe(farbe).blau;

    Sternsysteme& sys = g.systeme;
    std::vector<int> eigene;
    int handelsposten = 0;
    for (int i = 1; i <= sterne; ++i) {
        const bool eigen = i == 1 || zufall(0, 4) == 0;
        sys.name(i) = i == 1 ? "Heimatplanet" : "Planet X" + std::to_string(i);
        sys.typ(i) = i == 1 ? 42 : zufall(1, 17);
        sys.pos(i, 1) = zufall(40, 2520);
        sys.pos(i, 2) = zufall(40, 1560);
        sys.besitzer(i) = eigen ? 1 : 0;
        sys.entdecker(i) = eigen ? 1 : zufall(0, 1);
        sys.angriff(i) = zufall(0, 9) == 0;
        sys.angegriffen(i) = zufall(0, 9) == 0;
        for (Feld<int>* f : {&sys.einwohner, &sys.einwohnerBasis, &sys.einwohnerMax, &sys.versorgung,
                             &sys.versorgungBasis, &sys.versorgungMax, &sys.forschung, &sys.forschungBasis,
                             &sys.handel, &sys.handelBasis, &sys.handelMax, &sys.werft, &sys.werftBasis,
                             &sys.schild, &sys.schildMax, &sys.befestigung, &sys.befestigungBasis,
                             &sys.befestigungMax})
            (*f)(i) = zufall(0, 300);
        if (!eigen) continue;
        eigene.push_back(i);
        if (zufall(0, 5) == 0) sys.handelsposten(i) = -42, handelsposten = i;
        else if (handelsposten > 0 && zufall(0, 2) == 0) sys.handelsposten(i) = handelsposten;
        sys.bauAuftraege(i) = zufall(0, 3);
        for (int slot = 1; slot <= sys.bauAuftraege(i); ++slot) {
            sys.bauTyp(i, slot) = zufall(1, 8);
            sys.bauAufwand(i, slot) = zufall(50, 500);
            sys.bauFortschritt(i, slot) = zufall(0, sys.bauAufwand(i, slot) - 1);
        }
    }

    auto einEigenes = [&] { return eigene[static_cast<std::size_t>(zufall(0, static_cast<int>(eigene.size()) - 1))]; };

    // Fleets of about eight ships: docked at an own system, standing at a system or in flight.
    const int flotten = schiffe / 8 + (schiffe > 0);
    std::vector<int> ort(static_cast<std::size_t>(flotten) + 1), art(ort.size()), ziel(ort.size());
    for (int f = 1; f <= flotten; ++f) {
        art[static_cast<std::size_t>(f)] = zufall(0, 2);
        ort[static_cast<std::size_t>(f)] = art[static_cast<std::size_t>(f)] == 0 ? einEigenes() : zufall(1, sterne);
        ziel[static_cast<std::size_t>(f)] = zufall(1, sterne);
    }
    for (int k = 1; k <= schiffe; ++k) {
        const int f = zufall(1, flotten);
        const auto fi = static_cast<std::size_t>(f);
        const int o = ort[fi], z = ziel[fi];
        const int x = sys.pos(o, 1) - 16, y = sys.pos(o, 2) + 4;
        const bool fliegt = art[fi] == 2;
        schiffAnhaengen(g.schiffe, {zufall(1, 8), zufall(1, 400), zufall(0, 120), art[fi] == 0 ? o : 0, fliegt ? 0 : o,
                                    z, x, y, fliegt ? sys.pos(z, 1) - 16 : x, fliegt ? sys.pos(z, 2) + 4 : y,
                                    zufall(1, 80), zufall(0, 9) == 0 ? 0 : f, 0});
    }
    for (int p = 1; p <= 4; ++p) {
        g.spieler.hoechsteFlotte(p) = p == 1 ? flotten : zufall(0, 30);
        if (p > 1)
            for (int c = 0; c <= 3; ++c) g.spieler.spielerFarbe(p, c) = zufall(0, c == 0 ? 8 : 255);
        g.spieler.parkOffset(p, 1) = zufall(-20, 20);
        g.spieler.parkOffset(p, 2) = zufall(-20, 20);
        g.spieler.bewegungsIntervall(p) = zufall(1, 4) / 16.0;
    }
    SchiffSatz& satz = g.saetze(1);
    schiffeSchneiden(g.schiffe, satz);
    for (int k = 1; k <= satz.anzahl; ++k) {
        std::string route;
        if (satz.wert(kOrt, k) == 0 && zufall(0, 1) == 0) {
            for (int n = zufall(0, 40); n > 0; --n) route += static_cast<char>('0' + zufall(1, 8));
            route += '9';
        }
        satz[kRoute](k) = route.empty() ? "0" : route;
    }
    schiffeVerbinden(satz, g.schiffe);
    // What the screens change between two joins: a step flown, a ship used up.
    for (int k = 1; k <= satz.anzahl; k += 7) satz.setze(kX, k, satz.wert(kX, k) + 1);
    if (satz.anzahl > 0) satz[kTyp](satz.anzahl) = "0";

    Forschung& forschung = g.forschung;
    for (int t = 1; t <= 12 && schiffe > 0; ++t) {
        forschung.thema(t).stufe = zufall(0, 12);
        forschung.thema(t).fortschritt = zufall(0, 900);
        forschung.thema(t).aktiv = zufall(0, 1);
        forschung.aktiveThemen += forschung.thema(t).aktiv;
    }
    Wirtschaft& w = g.wirtschaft;
    w.geld = zufall(-500, 90000);
    w.vorrat = zufall(-100, 9000);
    w.forschungsetat = zufall(0, 100);
    for (int* wert : {&w.einnahmen, &w.forschungskosten, &w.versorgungsertrag, &w.versorgungsverbrauch,
                      &w.forschungsertrag, &w.forschungsausgaben, &w.forschungspunkte})
        *wert = zufall(-300, 300);
    w.spieltag = zufall(1, 5000);
    w.naechsterTag = jetzt + zufall(0, 80) / 16.0;

    Kartenzustand& k = g.karte;
    for (int i : eigene)
        if (sys.handelsposten(i) > 0) k.handelsliste += "," + std::to_string(sys.handelsposten(i)) + "," + std::to_string(i);
    k.handelsAnzahl = STRINGSPLIT(k.handelsliste, ",", k.handelsArray);
    k.handelNeuzeichnen = zufall(0, 3);
    k.scanNeuzeichnen = zufall(0, 1);
    if (flotten > 0) {
        k.gewaehlteFlotte = zufall(0, flotten);
        k.routenauftrag = {1, zufall(1, flotten), 400, 300, 900, 700, "1234"};
    }
    const int n = satz.anzahl;
    k.gewaehltesSchiff = zufall(0, n);
    for (int t = 1; t <= 8; ++t) k.gewaehlteTypen(t) = zufall(0, 9);
    k.kolonieschiff = zufall(0, n);
    k.angriffsschiff = zufall(0, n);
    k.angriffsziel = "," + std::to_string(zufall(1, sterne));
    k.angriffsschaden = "," + std::to_string(25 * zufall(1, 4));
    k.abdockFlotte = zufall(0, flotten);
    k.systemTab = zufall(1, 4);
    k.forschungsKategorie = zufall(1, 3);
    k.katalogOffen = zufall(0, 1);
    k.hangarSchiff = zufall(0, n);
    k.hangarFlotte = zufall(0, flotten);
    k.hangarSeite = zufall(1, 3);
    k.flottenSeite = zufall(1, 3);
    // Every other game plays on with an own system's screen open.
    g.gewaehltesSystem = seed % 2 ? einEigenes() : 0;
    g.scrollSchritt = zufall(1, 4);
    k.naechsterFlugschritt = jetzt + zufall(0, 2) / 16.0;
    k.naechsterScroll = jetzt + 1 / 16.0;
    k.routenTimer = jetzt + 1 / 16.0;
    g.scrollX = zufall(0, 1536);
    g.scrollY = zufall(0, 943);

    spielBilderLaden(s.r, g, s.quellen);
    s.r.Programmzustand = "sandkasten";
    s.r.Unterzustand.clear();
}

TEST(Spielstand, ALoadedGameIsTheSavedOneAndPlaysOnTheSame)
{
    const struct {
        unsigned seed;
        int sterne, schiffe;
    } faelle[] = {{1, 200, 300}, {2, 50, 0}, {3, 500, 10000}, {4, 150, 1}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE("seed " + std::to_string(fall.seed));
        Sitzung original, geladen;
        zufallsSpiel(original, fall.seed, fall.sterne, fall.schiffe);
        ASSERT_TRUE(platzSpeichern(1, original.spiel, original.platform.timer()));
        const std::optional<std::string> datei = dateiLesen(platzPfad(1));
        ASSERT_TRUE(datei);
        ASSERT_EQ(spielLaden(geladen.r, geladen.spiel, geladen.quellen, *datei), Lesefehler::Keiner);
        geladen.r.Programmzustand = "sandkasten";
        erwarteGleich(original.spiel, geladen.spiel);

        const int tag = original.spiel.wirtschaft.spieltag;
        original.warte(15.0, 0.25);
        geladen.warte(15.0, 0.25);
        EXPECT_EQ(original.spiel.wirtschaft.spieltag, tag + 3);
        erwarteGleich(original.spiel, geladen.spiel);
    }
}

// The game kept in tests/sandbox/version1.qz, saved by the first version of the file at clock
// value 1000 on 2025-12-06: three systems, a fleet of two ships with a route, a build order,
// research, a trade link and money.
void version1Spiel(Sitzung& s)
{
    Spielstand& g = s.spiel;
    neuesSpielZuruecksetzen(s.r, g);
    g.Sternanzahl = 3;
    g.spielLaeuft = 1;
    g.hintergrund = 4;
    g.scrollX = 100;
    g.scrollY = 200;
    g.karte.kartenBreite = 2560;
    g.karte.kartenHoehe = 1600;
    g.spieler.spielerFarbe(1, 0) = 5;
    g.spieler.spielerFarbe(1, 1) = 245;
    g.spieler.spielerFarbe(1, 2) = 255;
    Sternsysteme& sys = g.systeme;
    const char* namen[3] = {"Heimatplanet", "Planet X2", "Planet X3"};
    for (int i = 1; i <= 3; ++i) {
        sys.name(i) = namen[i - 1];
        sys.pos(i, 1) = 400 + 100 * i;
        sys.pos(i, 2) = 300 + 50 * i;
        sys.einwohner(i) = 40 + i;
        sys.entdecker(i) = 1;
    }
    sys.typ(1) = 42;
    sys.typ(2) = 5;
    sys.typ(3) = 11;
    sys.besitzer(1) = sys.besitzer(2) = 1;
    sys.handelsposten(1) = -42;
    sys.handelsposten(2) = 1;
    sys.bauAuftraege(1) = 1;
    sys.bauTyp(1, 1) = 3;
    sys.bauAufwand(1, 1) = 120;
    sys.bauFortschritt(1, 1) = 40;
    schiffAnhaengen(g.schiffe, {1, 100, 20, 0, 1, 3, 484, 354, 484, 354, 10, 1, 0});
    schiffAnhaengen(g.schiffe, {7, 300, 90, 0, 1, 3, 484, 354, 684, 454, 80, 1, 0});
    schiffeSchneiden(g.schiffe, g.saetze(1));
    g.saetze(1)[kRoute](1) = "12349";
    g.spieler.hoechsteFlotte(1) = 1;
    g.forschung.thema(3).stufe = 2;
    g.forschung.thema(3).aktiv = 1;
    g.forschung.thema(3).fortschritt = 77;
    g.forschung.aktiveThemen = 1;
    g.wirtschaft.geld = 12345;
    g.wirtschaft.vorrat = 678;
    g.wirtschaft.forschungsetat = 30;
    g.wirtschaft.spieltag = 42;
    g.wirtschaft.naechsterTag = s.platform.timer() + 2.5;
    g.karte.handelsliste = ",1,2";
    g.karte.handelsAnzahl = STRINGSPLIT(g.karte.handelsliste, ",", g.karte.handelsArray);
}

// A later game keeps reading the saves of the first version.
TEST(Spielstand, AFileOfTheFirstVersionStillLoads)
{
    Sitzung erwartet, geladen;
    version1Spiel(erwartet);
    const std::optional<std::string> datei = dateiLesen(QZ_TEST_DATA_DIR "/version1.qz");
    ASSERT_TRUE(datei);
    ASSERT_EQ(spielLaden(geladen.r, geladen.spiel, geladen.quellen, *datei), Lesefehler::Keiner);
    erwarteGleich(erwartet.spiel, geladen.spiel);
    Spielstandkopf kopf;
    ASSERT_EQ(spielstandKopfLesen(*datei, kopf), Lesefehler::Keiner);
    EXPECT_EQ(kopf.gespeichertUm, 1765000000);
    EXPECT_EQ(kopf.eigeneSysteme, 2);
}

// The own part of a multiplayer game, which the client keeps at every day tick, brings back
// every own value a crash lost (written again from the restored game it is the same bytes), is
// refused when damaged or beyond a bound, and stays within the server's field of 65536 base64
// characters: the worst case without ships fits, and ship lists go in exactly while they fit.
TEST(Spielstand, TheOwnPartOfAGameComesBackWholeAndStaysWithinItsBound)
{
    Sitzung quelle, ziel;
    zufallsSpiel(quelle, 5, 200, 300);
    zufallsSpiel(ziel, 5, 200, 300);
    Feld<int> abkommen{1, 4, 0};
    abkommen(2) = 2;
    abkommen(3) = 1;
    const std::string teil = eigenenTeilSchreiben(quelle.spiel, abkommen, 1765000000);

    // What a crash takes: the economy, research, the fleet number and every value of the own
    // systems; the star map and the ships stay (the server holds them).
    Spielstand& g = ziel.spiel;
    g.wirtschaft = Wirtschaft{};
    g.forschung.reset();
    g.spieler.hoechsteFlotte(1) = 0;
    Sternsysteme& sys = g.systeme;
    for (int i = 1; i <= g.Sternanzahl; ++i) {
        for (Feld<int>* f : {&sys.handelsposten, &sys.entdecker, &sys.angriff, &sys.einwohner, &sys.einwohnerMax,
                             &sys.versorgung, &sys.versorgungMax, &sys.forschung, &sys.handel, &sys.handelMax,
                             &sys.werft, &sys.schildMax, &sys.befestigungMax, &sys.bauAuftraege})
            (*f)(i) = 0;
        for (int slot = 1; slot <= 3; ++slot) sys.bauTyp(i, slot) = sys.bauAufwand(i, slot) = sys.bauFortschritt(i, slot) = 0;
    }
    Feld<int> verloren{1, 4, 0};
    EigenerSpielstand gelesen;
    ASSERT_EQ(eigenenTeilLesen(teil, gelesen), Lesefehler::Keiner);
    ASSERT_TRUE(eigenerTeilPasst(gelesen, g));
    ASSERT_TRUE(gelesen.mitSchiffen);
    EXPECT_EQ(gelesen.schiffe.liste, quelle.spiel.schiffe.liste);
    eigenenTeilUebernehmen(gelesen, g, verloren);
    EXPECT_EQ(eigenenTeilSchreiben(g, verloren, 1765000000), teil);
    EXPECT_EQ(g.wirtschaft.geld, quelle.spiel.wirtschaft.geld);
    EXPECT_EQ(verloren(2), 2);

    Sitzung anders;
    zufallsSpiel(anders, 6, 200, 0);
    EXPECT_FALSE(eigenerTeilPasst(gelesen, anders.spiel)) << "another star map";
    quelle.spiel.wirtschaft.geld = kGeldGrenze + 1;  // under a valid checksum
    const std::string zuReich = eigenenTeilSchreiben(quelle.spiel, abkommen, 0);
    quelle.spiel.wirtschaft.geld = 0;
    // Topics marked active beyond 0/1 must not be summed into an overflow while reading.
    quelle.spiel.forschung.thema(1).aktiv = INT_MAX;
    quelle.spiel.forschung.thema(2).aktiv = 1;
    const std::string zuAktiv = eigenenTeilSchreiben(quelle.spiel, abkommen, 0);
    auto gekippt = [&](std::size_t stelle) {
        std::string d = teil;
        d[stelle] = static_cast<char>(d[stelle] ^ 0x04);
        return d;
    };
    for (const std::string& schlecht : {gekippt(30), gekippt(teil.size() / 2), gekippt(teil.size() - 1),
                                        teil.substr(0, teil.size() - 1), teil + "x", zuReich, zuAktiv,
                                        spielstandSchreiben(quelle.spiel, 0.0, 0)}) {
        EigenerSpielstand t;
        EXPECT_EQ(eigenenTeilLesen(schlecht, t), Lesefehler::Beschaedigt);
    }

    // 500 systems, all own, is the most the part holds beside the ships.
    Sitzung gross;
    zufallsSpiel(gross, 8, 500, 0);
    for (int i = 1; i <= 500; ++i) gross.spiel.systeme.besitzer(i) = 1;
    EigenerSpielstand groesster;
    const std::string ohneSchiffe = eigenenTeilSchreiben(gross.spiel, abkommen, 0);
    // Envelope 24, summary 24, content 4, slot, star map, width, height 16, economy 44,
    // research 148, agreements 16, fleet 4, three values per system 6,000, count 4, 21 values
    // per own system 42,000, ship flag 4, thirteen empty lists 13.
    EXPECT_EQ(ohneSchiffe.size(), 48301u);
    EXPECT_LE(ohneSchiffe.size(), kEigenerTeilGrenze);
    ASSERT_EQ(eigenenTeilLesen(ohneSchiffe, groesster), Lesefehler::Keiner);
    EXPECT_EQ(groesster.systeme.size(), 500u);

    // Ships of 38 bytes each (",3,100,10,0,1,1,300,320,300,320,20,1,0") in 200 systems: with the
    // lists past 127 bytes each of the thirteen lengths takes two bytes instead of one, so
    // n ships fit while the part without ships + 13 + 38 n stays within the bound.
    Sitzung mp;
    zufallsSpiel(mp, 9, 200, 0);
    Spielstand& m = mp.spiel;
    m.spieler.hoechsteFlotte(1) = 1;
    const std::size_t leer = eigenenTeilSchreiben(m, abkommen, 0).size();
    const std::size_t passend = (kEigenerTeilGrenze - leer - 13) / 38;
    auto mitSchiffen = [&](std::size_t n) {
        m.schiffe.clear();
        for (std::size_t k = 0; k < n; ++k) schiffAnhaengen(m.schiffe, {3, 100, 10, 0, 1, 1, 300, 320, 300, 320, 20, 1, 0});
        const std::string datei = eigenenTeilSchreiben(m, abkommen, 0);
        EigenerSpielstand t;
        EXPECT_LE(datei.size(), kEigenerTeilGrenze);
        EXPECT_EQ(eigenenTeilLesen(datei, t), Lesefehler::Keiner);
        return t.mitSchiffen;
    };
    EXPECT_TRUE(mitSchiffen(passend));
    EXPECT_FALSE(mitSchiffen(passend + 1));
}

TEST(Spielstand, NoBadFileReachesTheRunningGame)
{
    Sitzung quelle;
    zufallsSpiel(quelle, 7, 50, 40);
    const double jetzt = quelle.platform.timer();
    const std::string gut = spielstandSchreiben(quelle.spiel, jetzt, 0);
    // Values no game has, under a valid checksum.
    quelle.spiel.hintergrund = 99;
    const std::string hintergrund99 = spielstandSchreiben(quelle.spiel, jetzt, 0);
    quelle.spiel.hintergrund = 1;
    quelle.spiel.spieler.spielerFarbe(1, 0) = 0;
    const std::string ohneFarbe = spielstandSchreiben(quelle.spiel, jetzt, 0);
    // The same game with one value the game itself could never have written.
    auto verfaelscht = [&](const std::function<void(Spielstand&)>& aendern) {
        Sitzung s;
        zufallsSpiel(s, 7, 50, 40);
        aendern(s.spiel);
        return spielstandSchreiben(s.spiel, jetzt, 0);
    };
    auto schiff = [](Schiffsfeld f, std::string wert) {
        return [f, wert](Spielstand& g) { g.saetze(1)[f](1) = wert; };
    };

    auto version = [&](char v) { return gut.substr(0, 8) + v + std::string(3, '\0') + gut.substr(12); };
    auto gekippt = [&](std::size_t stelle) {
        std::string d = gut;
        d[stelle] = static_cast<char>(d[stelle] ^ 0x10);
        return d;
    };
    const struct {
        const char* name;
        std::string datei;
        Lesefehler erwartet;
    } faelle[] = {
        {"leer", "", Lesefehler::Beschaedigt},
        {"fremd: ein Fehlerbericht", "\"Fehler: 6 in Zeile 12\"", Lesefehler::Beschaedigt},
        {"fremd: ein PNG", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR", Lesefehler::Beschaedigt},
        {"ein Byte zu viel", gut + "x", Lesefehler::Beschaedigt},
        {"ein Bit im Spiel", gekippt(gut.size() / 2), Lesefehler::Beschaedigt},
        {"ein Bit in der Laenge", gekippt(13), Lesefehler::Beschaedigt},
        {"ein Bit in der Pruefsumme", gekippt(21), Lesefehler::Beschaedigt},
        {"Version 0", version(0), Lesefehler::Beschaedigt},
        {"neuere Version", version(static_cast<char>(kSpielstandVersion + 1)), Lesefehler::NeuereVersion},
        {"neuere Version, nur der Anfang", version(static_cast<char>(kSpielstandVersion + 1)).substr(0, 12), Lesefehler::NeuereVersion},
        {"der eigene Teil eines Mehrspielerspiels", eigenenTeilSchreiben(quelle.spiel, Feld<int>{1, 4, 0}, 0),
         Lesefehler::Beschaedigt},
        {"Hintergrund 99", hintergrund99, Lesefehler::Beschaedigt},
        {"Spielerfarbe 0", ohneFarbe, Lesefehler::Beschaedigt},
        {"eine Route mit Komma", verfaelscht(schiff(kRoute, "12,3")), Lesefehler::Beschaedigt},
        {"eine Hauptliste mit einem Schiff mehr", verfaelscht([](Spielstand& g) { g.schiffe[kX] += ",5"; }),
         Lesefehler::Beschaedigt},
        {"kartenBreite 0", verfaelscht([](Spielstand& g) { g.karte.kartenBreite = 0; }), Lesefehler::Beschaedigt},
        {"kartenHoehe 0", verfaelscht([](Spielstand& g) { g.karte.kartenHoehe = 0; }), Lesefehler::Beschaedigt},
        {"hoechste Flotte 2^31-1", verfaelscht([](Spielstand& g) { g.spieler.hoechsteFlotte(1) = INT_MAX; }),
         Lesefehler::Beschaedigt},
        {"hoechste Flotte eins ueber der Grenze",
         verfaelscht([](Spielstand& g) { g.spieler.hoechsteFlotte(1) = kFlottenGrenze + 1; }), Lesefehler::Beschaedigt},
        {"Stufe 429 Millionen", verfaelscht([](Spielstand& g) { g.forschung.thema(3).stufe = 429'000'000; }),
         Lesefehler::Beschaedigt},
        {"Stufe eins ueber der Grenze", verfaelscht([](Spielstand& g) { g.forschung.thema(3).stufe = kStufeGrenze + 1; }),
         Lesefehler::Beschaedigt},
        {"Geld nahe 2^31-1", verfaelscht([](Spielstand& g) { g.wirtschaft.geld = INT_MAX - 5; }),
         Lesefehler::Beschaedigt},
        {"Geld eins ueber der Grenze", verfaelscht([](Spielstand& g) { g.wirtschaft.geld = kGeldGrenze + 1; }),
         Lesefehler::Beschaedigt},
        {"Hangarschiff hinter dem letzten",
         verfaelscht([](Spielstand& g) { g.karte.hangarSchiff = g.saetze(1).anzahl + 1; }), Lesefehler::Beschaedigt},
        {"gewaehltes Schiff hinter dem letzten",
         verfaelscht([](Spielstand& g) { g.karte.gewaehltesSchiff = g.saetze(1).anzahl + 1; }), Lesefehler::Beschaedigt},
        {"Planetentyp 99", verfaelscht([](Spielstand& g) { g.systeme.typ(2) = 99; }), Lesefehler::Beschaedigt},
        {"Ort hinter dem letzten Stern", verfaelscht(schiff(kOrt, "51")), Lesefehler::Beschaedigt},
        {"angedockt hinter dem letzten Stern", verfaelscht(schiff(kAngedockt, "51")), Lesefehler::Beschaedigt},
        {"Schiffstyp 9", verfaelscht(schiff(kTyp, "9")), Lesefehler::Beschaedigt},
        {"Handelslinie zu einem Stern hinter dem letzten",
         verfaelscht([](Spielstand& g) { g.karte.handelsliste = ",1,51"; }), Lesefehler::Beschaedigt},
    };

    Sitzung laufend;
    zufallsSpiel(laufend, 3, 100, 200);
    const std::string vorher = spielstandSchreiben(laufend.spiel, jetzt, 0);
    const Image* hintergrund = laufend.r.Hintergrundbild.get();
    auto unberuehrt = [&] {
        EXPECT_EQ(spielstandSchreiben(laufend.spiel, jetzt, 0), vorher);
        EXPECT_EQ(laufend.r.Hintergrundbild.get(), hintergrund);
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(spielLaden(laufend.r, laufend.spiel, laufend.quellen, fall.datei), fall.erwartet);
        unberuehrt();
    }
    for (std::size_t laenge = 0; laenge < gut.size(); ++laenge) {
        ASSERT_EQ(spielLaden(laufend.r, laufend.spiel, laufend.quellen, gut.substr(0, laenge)),
                  Lesefehler::Beschaedigt)
            << "abgeschnitten nach " << laenge << " Bytes";
    }
    unberuehrt();
    EXPECT_EQ(spielLaden(laufend.r, laufend.spiel, laufend.quellen, gut), Lesefehler::Keiner);
}

// Whether the save folder holds nothing but slot files: no temporary file was left behind.
bool nurSpielstaende()
{
    for (const auto& eintrag : std::filesystem::directory_iterator(platzPfad(1).parent_path()))
        if (eintrag.path().filename().string().rfind("spielstand", 0) != 0 || eintrag.path().extension() != ".qz")
            return false;
    return true;
}

// A save at every bound the reader keeps loads and plays on for days with a fleet selected,
// without a single error report: the bounds are ones the running game can live with.
TEST(Spielstand, AGameAtTheBoundsLoadsAndPlaysOn)
{
    Sitzung quelle;
    zufallsSpiel(quelle, 11, 60, 80);
    Spielstand& g = quelle.spiel;
    g.wirtschaft.geld = kGeldGrenze - 10;
    g.wirtschaft.vorrat = -kGeldGrenze;
    for (int t = 1; t <= 12; ++t) g.forschung.thema(t).stufe = kStufeGrenze;
    g.forschung.thema(3).aktiv = 1;
    g.forschung.aktiveThemen = 0;
    for (int t = 1; t <= 12; ++t) g.forschung.aktiveThemen += g.forschung.thema(t).aktiv;
    g.spieler.hoechsteFlotte(1) = kFlottenGrenze;
    g.gewaehltesSystem = 0;
    const SchiffSatz& satz = g.saetze(1);
    for (int k = 1; k <= satz.anzahl; ++k)
        if (satz.wert(kFlotte, k) > 0 && satz.wert(kAngedockt, k) == 0 && satz.wert(kTyp, k) > 0) {
            g.karte.gewaehlteFlotte = satz.wert(kFlotte, k);
            g.karte.gewaehltesSchiff = k;
        }
    ASSERT_GT(g.karte.gewaehlteFlotte, 0);
    const std::string datei = spielstandSchreiben(g, quelle.platform.timer(), 0);

    Sitzung geladen;
    std::filesystem::remove("fehlerbericht.txt");
    ASSERT_EQ(spielLaden(geladen.r, geladen.spiel, geladen.quellen, datei), Lesefehler::Keiner);
    geladen.r.Programmzustand = "sandkasten";
    const int tag = geladen.spiel.wirtschaft.spieltag;
    geladen.warte(15.0, 0.25);
    EXPECT_EQ(geladen.spiel.wirtschaft.spieltag, tag + 3);
    EXPECT_FALSE(std::filesystem::exists("fehlerbericht.txt"));
    EXPECT_EQ(geladen.spiel.wirtschaft.geld, kGeldGrenze) << "the income of three days meets the bound";
    EXPECT_EQ(geladen.spiel.forschung.thema(3).stufe, kStufeGrenze);
}

TEST(Spielstand, TwoGamesSavingTheSameSlotAtOnceBothSucceed)
{
    std::filesystem::create_directories(platzPfad(3).parent_path());
    // Two saves large enough that their writes overlap; each is whole or not there at all.
    const std::string a(4 << 20, 'a'), b(4 << 20, 'b');
    for (int runde = 0; runde < 10; ++runde) {
        bool okA = false, okB = false;
        std::thread zweiter([&] { okB = dateiErsetzen(platzPfad(3), b); });
        okA = dateiErsetzen(platzPfad(3), a);
        zweiter.join();
        ASSERT_TRUE(okA && okB) << "round " << runde;
        const std::optional<std::string> da = dateiLesen(platzPfad(3));
        ASSERT_TRUE(da && (*da == a || *da == b)) << "round " << runde;
    }
    EXPECT_TRUE(nurSpielstaende());
    std::filesystem::remove(platzPfad(3));
}

TEST(Spielstand, ASaveThatFailsHalfwayKeepsThePreviousSave)
{
    Sitzung s;
    zufallsSpiel(s, 5, 200, 2000);
    ASSERT_TRUE(platzSpeichern(2, s.spiel, s.platform.timer()));
    const std::optional<std::string> alt = dateiLesen(platzPfad(2));
    s.spiel.wirtschaft.geld += 1000;

    // The disk fills up 4 KiB into the new save.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit vorher{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &vorher), 0);
    rlimit voll = vorher;
    voll.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &voll), 0);
    const bool gespeichert = platzSpeichern(2, s.spiel, s.platform.timer());
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &vorher), 0);

    EXPECT_FALSE(gespeichert);
    EXPECT_EQ(dateiLesen(platzPfad(2)), alt);
    EXPECT_TRUE(nurSpielstaende());
    ASSERT_TRUE(platzSpeichern(2, s.spiel, s.platform.timer()));
    EXPECT_EQ(platzLesen(2).kopf.geld, s.spiel.wirtschaft.geld);
}

TEST(Spielstand, SavesBesideAnOlderGameAreCopiedOnceAndNeverLost)
{
    namespace fs = std::filesystem;
    const fs::path alt = "alt/spielstaende", neu = "xdg/qz/spielstaende";
    fs::create_directories(alt);
    ASSERT_TRUE(dateiErsetzen(alt / "spielstand1.qz", "eins"));
    ASSERT_TRUE(dateiErsetzen(alt / "spielstand3.qz", "drei"));
    ASSERT_TRUE(dateiErsetzen(alt / "spielstand2.qz.tmp", "halb geschrieben"));
    // An earlier start that was cut off in the middle of the copy.
    fs::create_directories("xdg/qz/spielstaende.uebernahme");
    ASSERT_TRUE(dateiErsetzen("xdg/qz/spielstaende.uebernahme/spielstand2.qz", "abgebrochen"));

    EXPECT_TRUE(alteSpielstaendeUebernehmen(alt, neu));
    EXPECT_EQ(dateiLesen(neu / "spielstand1.qz"), "eins");
    EXPECT_EQ(dateiLesen(neu / "spielstand3.qz"), "drei");
    EXPECT_FALSE(fs::exists(neu / "spielstand2.qz"));
    EXPECT_FALSE(fs::exists(neu / "spielstand2.qz.tmp"));
    EXPECT_FALSE(fs::exists("xdg/qz/spielstaende.uebernahme"));
    EXPECT_EQ(dateiLesen(alt / "spielstand1.qz"), "eins") << "the old saves stay";

    // Once taken over, the new folder is the player's: a later start copies nothing over it.
    ASSERT_TRUE(dateiErsetzen(neu / "spielstand1.qz", "neu gespielt"));
    fs::remove(neu / "spielstand3.qz");
    EXPECT_FALSE(alteSpielstaendeUebernehmen(alt, neu));
    EXPECT_EQ(dateiLesen(neu / "spielstand1.qz"), "neu gespielt");
    EXPECT_FALSE(fs::exists(neu / "spielstand3.qz"));

    // Without old saves nothing is made, so the first save still finds no folder in the way.
    EXPECT_FALSE(alteSpielstaendeUebernehmen("nirgends", "xdg2/qz/spielstaende"));
    EXPECT_FALSE(fs::exists("xdg2"));
    fs::remove_all("alt");
    fs::remove_all("xdg");
}

TEST(Spielstand, CopiesStartedTogetherTakeTheOldSavesOverWhole)
{
    namespace fs = std::filesystem;
    const fs::path alt = "alt-zusammen/spielstaende", neu = "xdg-zusammen/qz/spielstaende";
    fs::create_directories(alt);
    const std::string inhalt[] = {std::string(200000, '1'), std::string(200000, '2'), std::string(200000, '3')};
    for (int platz = 1; platz <= 3; ++platz)
        ASSERT_TRUE(dateiErsetzen(alt / ("spielstand" + std::to_string(platz) + ".qz"), inhalt[platz - 1]));
    // Each round starts four copies at once on a save folder that does not exist yet: one takes
    // the saves over, all three, and the others find it done.
    constexpr int kKopien = 4;
    for (int runde = 0; runde < 20; ++runde) {
        fs::remove_all("xdg-zusammen");
        std::atomic<int> bereit{0}, uebernommen{0};
        std::vector<std::thread> kopien;
        for (int k = 0; k < kKopien; ++k)
            kopien.emplace_back([&] {
                ++bereit;
                while (bereit.load() < kKopien) std::this_thread::yield();
                if (alteSpielstaendeUebernehmen(alt, neu)) ++uebernommen;
            });
        for (std::thread& t : kopien) t.join();
        EXPECT_EQ(uebernommen.load(), 1) << "round " << runde;
        for (int platz = 1; platz <= 3; ++platz)
            EXPECT_TRUE(dateiLesen(neu / ("spielstand" + std::to_string(platz) + ".qz")) == inhalt[platz - 1])
                << "round " << runde << ", slot " << platz;
        EXPECT_EQ(std::distance(fs::directory_iterator(neu.parent_path()), fs::directory_iterator()), 1)
            << "no folder of a copy left behind";
        if (HasFailure()) break;
    }
    fs::remove_all("alt-zusammen");
    fs::remove_all("xdg-zusammen");
}

TEST_F(SandboxFixture, ThePlayerSavesQuitsStartsAgainAndLoads)
{
    // A new player's save folder, several levels of it still missing; other tests of this
    // process leave their saves in the working folder.
    const Folders vorher = folders();
    Folders neu = vorher;
    neu.saves = "spieler/.local/share/qz/spielstaende";
    setFolders(neu);
    struct Zurueck {
        Folders f;
        ~Zurueck()
        {
            setFolders(f);
            std::filesystem::remove_all("spieler");
        }
    } zurueck{vorher};
    starteSpiel();
    warte(11.0);
    escape();

    click(512, 338);  // "Spiel Speichern"
    ASSERT_EQ(r.Unterzustand, "speichern");
    // The file reaches the disk on a thread of its own while the screen goes on.
    auto gespeichert = [&] {
        for (int i = 0; i < 5000 && speicher.schreibt > 0; ++i) {
            pass(512, 500);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return speicher.meldung;
    };
    click(512, 335);  // slot 1, empty: saved at once
    EXPECT_EQ(gespeichert(), "Spiel gespeichert");
    const std::optional<std::string> erste = dateiLesen(neu.saves / "spielstand1.qz");
    ASSERT_TRUE(erste);
    click(512, 335);  // slot 1 again: "Überschreiben?"
    EXPECT_EQ(speicher.frage, 1);
    click(582, 537);  // "Nein"
    EXPECT_EQ(speicher.frage, 0);
    EXPECT_EQ(dateiLesen(platzPfad(1)), erste);
    click(512, 335);
    click(442, 537);  // "Ja"
    EXPECT_EQ(speicher.frage, 0);
    const int geld = spiel.wirtschaft.geld, tag = spiel.wirtschaft.spieltag;
    const double tagesrest = spiel.wirtschaft.naechsterTag - platform.timer();
    EXPECT_EQ(gespeichert(), "Spiel gespeichert");
    EXPECT_EQ(platzLesen(1).kopf.spieltag, tag);

    click(512, 230);  // "Zurück"
    click(512, 500);  // "Spiel Beenden"
    click(442, 287);  // "Ja": the game is gone
    ASSERT_EQ(r.Programmzustand, "hauptmenu");
    ASSERT_EQ(spiel.spielLaeuft, 0);

    std::filesystem::create_directories(platzPfad(2).parent_path());
    ASSERT_TRUE(dateiErsetzen(platzPfad(2), "kein Spielstand"));
    click(512, 230);  // "Sandkasten"
    click(512, 284);  // "Spiel Laden"
    ASSERT_EQ(r.Unterzustand, "laden");
    click(512, 384);  // slot 2: a foreign file
    EXPECT_EQ(speicher.meldung, "Spielstand besch\x84" "digt");
    EXPECT_EQ(spiel.spielLaeuft, 0);
    bool rot = false;
    for (int x = 400; x < 624; ++x) rot = rot || pixel(x, 472) == 0xFF4040;
    EXPECT_TRUE(rot) << "the message is drawn in red";

    click(512, 335);  // slot 1
    EXPECT_EQ(r.Unterzustand, "");
    EXPECT_EQ(spiel.spielLaeuft, 1);
    EXPECT_EQ(spiel.wirtschaft.geld, geld);
    EXPECT_EQ(spiel.wirtschaft.spieltag, tag);
    EXPECT_NEAR(spiel.wirtschaft.naechsterTag - platform.timer(), tagesrest, 1e-9) << "the day goes on where it was";
    EXPECT_GT(heimat(), 0);
    warte(5.0);
    EXPECT_EQ(spiel.wirtschaft.spieltag, tag + 1) << "the loaded game plays on";
}

}  // namespace
}  // namespace qz
