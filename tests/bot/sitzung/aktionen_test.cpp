// The computer player's hands: what a person's clicks would do, and every order the screens
// would not offer refused with nothing changed.
#include "bot/aktionen.hpp"
#include "tests/systems/test_welt.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace qz {
namespace {

TEST(Aktionen, AFleetFormedFromAShipAlreadyInOneTakesTheOthersInAndLeaves)
{
    // Ship 1 docked at system 1 in fleet 3, ship 2 docked there without a fleet, ship 3 docked
    // at system 2. A click on ship 1 selects fleet 3, a click on ship 2 adds it; ship 3 is not
    // in this hangar and stays as it is. No new fleet is made.
    testwelt::Welt w;
    w.system(1, 500, 400, 1, 1);
    w.system(2, 700, 400, 1, 1);
    w.spiel.spieler.hoechsteFlotte(1) = 3;
    testwelt::Schiffsdaten d;
    d.angedockt = 1;
    d.flotte = 3;
    w.neuesSchiff(d);
    d.flotte = 0;
    w.neuesSchiff(d);
    d.angedockt = 2;
    w.neuesSchiff(d);

    Mehrspieler mp;
    Haende haende;
    ASSERT_TRUE(ausfuehren(FlotteBilden{1, {1, 2, 3}}, w.spiel, mp, haende));
    EXPECT_EQ(w.wert(kFlotte, 2), 3);
    EXPECT_EQ(w.wert(kFlotte, 3), 0);
    EXPECT_EQ(w.spiel.spieler.hoechsteFlotte(1), 3);
    ASSERT_EQ(haende.abzudocken.size(), 1u);

    // "Flotte abdocken" for fleet 3 comes with the next pass.
    abdockenAnfordern(w.spiel, haende);
    EXPECT_EQ(w.spiel.karte.abdockFlotte, 3);
}

// Player 1 of 2 with no research (hop range 100), 2000 G. Systems: 1 own colony (500, 400) with
// 10 inhabitants; 2 free, discovered (580, 400); 3 player 2's, discovered (500, 500); 4 free,
// undiscovered (620, 420); 5 player 2's, undiscovered (500, 300); 6 own home (300, 400) with 100
// inhabitants; 7 free, discovered (700, 300); 8 player 2's, discovered (300, 600); 9 own, a
// trading post already (100, 100). Fleets standing still in space: 1 a type 2 at system 1
// (its icon centre 20 px below, 82 px from system 2 and 120 px from system 4); 2 a colony ship
// at 2; 3 a heavy battleship at 3; 4 a type 2 under way; 5 a colony ship at 4; 6 a colony ship
// at 3; 7 a type 2 at 8; 8 a heavy battleship at 5. Ship 9 is docked at 1 in no fleet.
struct Auftragswelt {
    testwelt::Welt w;
    Mehrspieler mp;
    Haende haende;

    Auftragswelt()
    {
        w.spiel.Spieleranzahl = 2;
        w.spiel.wirtschaft.geld = 2000;
        const int systeme[9][4] = {{500, 400, 1, 1}, {580, 400, 0, 1}, {500, 500, 2, 1}, {620, 420, 0, 0}, {500, 300, 2, 0},
                                   {300, 400, 1, 1}, {700, 300, 0, 1}, {300, 600, 2, 1}, {100, 100, 1, 1}};
        for (int s = 1; s <= 9; ++s) w.system(s, systeme[s - 1][0], systeme[s - 1][1], systeme[s - 1][2], systeme[s - 1][3]);
        w.spiel.systeme.einwohner(1) = 10;
        w.spiel.systeme.typ(6) = 42;
        w.spiel.systeme.einwohner(6) = 100;
        w.spiel.systeme.handelsposten(9) = -42;
        const int schiffe[8][3] = {{2, 1, 1}, {1, 2, 2}, {7, 3, 3}, {2, 0, 4}, {1, 4, 5}, {1, 3, 6}, {2, 8, 7}, {7, 5, 8}};
        for (const auto& [typ, ort, flotte] : schiffe) {
            testwelt::Schiffsdaten d;
            d.typ = typ;
            d.ort = ort;
            d.flotte = flotte;
            const int bei = ort > 0 ? ort : 1;
            d.x = d.zielX = w.spiel.systeme.pos(bei, 1) - 16;
            d.y = d.zielY = w.spiel.systeme.pos(bei, 2) + 20 - 16;
            if (ort == 0) d.zielX += 50;  // under way
            w.neuesSchiff(d);
        }
        testwelt::Schiffsdaten angedockt;
        angedockt.angedockt = 1;
        w.neuesSchiff(angedockt);
        w.spiel.spieler.hoechsteFlotte(1) = 8;
    }

    // Everything an order may change.
    std::string zustand()
    {
        std::string z = std::to_string(w.spiel.wirtschaft.geld) + " " + std::to_string(w.spiel.wirtschaft.forschungsetat);
        const SchiffSatz& satz = w.satz();
        for (int k = 1; k <= satz.anzahl; ++k)
            for (const Feld<std::string>& feld : satz.feld) z += "," + feld(k);
        for (int s = 1; s <= 9; ++s) {
            const Sternsysteme& y = w.spiel.systeme;
            for (int v : {y.besitzer(s), y.einwohner(s), y.handelsposten(s), y.angriff(s), y.bauAuftraege(s)})
                z += " " + std::to_string(v);
        }
        for (int t = 1; t <= 12; ++t) z += std::to_string(w.spiel.forschung.thema(t).aktiv);
        for (int p = 1; p <= 4; ++p) z += " " + std::to_string(mp.senden.abkommenAnfrage(p));
        return z + " " + std::to_string(mp.senden.kolonisation) + " " + std::to_string(haende.abzudocken.size());
    }
};

TEST(Aktionen, EveryOrderOnlyWhereTheScreenOffersIt)
{
    struct Fall {
        const char* was;
        Entscheidung order;
        bool gilt;
        std::function<void(Auftragswelt&)> vorher = nullptr;
    };
    const auto ohneSysteme = [](Auftragswelt& a) {
        for (int s : {1, 6, 9}) a.w.spiel.systeme.besitzer(s) = 0;
    };
    const auto angeboten = [](Auftragswelt& a) { a.mp.senden.abkommenStand(2) = 1; };
    const Fall faelle[] = {
        {"budget", EtatSetzen{50}, true},
        {"budget without an own system (no research tab)", EtatSetzen{50}, false, ohneSysteme},
        {"topic on", ThemaSchalten{3, true}, true},
        {"topic 13", ThemaSchalten{13, true}, false},
        {"topic 0", ThemaSchalten{0, true}, false},
        {"topic off that is off", ThemaSchalten{3, false}, false},
        {"topic without an own system", ThemaSchalten{3, true}, false, ohneSysteme},
        {"warship at an own system", SchiffBauen{1, 2}, true},
        {"colony ship at the home of 100", SchiffBauen{6, 1}, true},
        {"colony ship where 10 live (17 needed)", SchiffBauen{1, 1}, false},
        {"ship type 9", SchiffBauen{1, 9}, false},
        {"type 8 for 4900 of 2000 G", SchiffBauen{1, 8}, false},
        {"at a foreign system", SchiffBauen{3, 2}, false},
        {"a fourth order", SchiffBauen{1, 2}, false, [](Auftragswelt& a) { a.w.spiel.systeme.bauAuftraege(1) = 3; }},
        {"fleet of a docked ship", FlotteBilden{1, {9}}, true},
        {"fleet in a foreign hangar", FlotteBilden{3, {9}}, false},
        {"fleet of no ship", FlotteBilden{1, {}}, false},
        {"fleet of a ship in space", FlotteBilden{1, {1}}, false},
        {"send within range (82 < 100)", FlotteSenden{1, 2}, true},
        {"send beyond range (120)", FlotteSenden{1, 4}, false},
        {"send a fleet under way", FlotteSenden{4, 2}, false},
        {"send fleet 9, which does not exist", FlotteSenden{9, 2}, false},
        {"send to system 99", FlotteSenden{1, 99}, false},
        {"dock at an own system", FlotteAndocken{1}, true},
        {"dock at a free system", FlotteAndocken{2}, false},
        {"dock under way", FlotteAndocken{4}, false},
        {"colonise with a colony ship there", Kolonisieren{2}, true},
        {"colonise an undiscovered system", Kolonisieren{4}, false},
        {"colonise an owned system", Kolonisieren{3}, false},
        {"colonise an own system", Kolonisieren{1}, false},
        {"colonise without a colony ship there", Kolonisieren{7}, false},
        {"attack with a heavy battleship there", Angreifen{3, true}, true},
        {"attack with only a type 2 there", Angreifen{8, true}, false},
        {"attack an undiscovered system", Angreifen{5, true}, false},
        {"attack a free system", Angreifen{2, true}, false},
        {"attack an own system", Angreifen{1, true}, false},
        {"trading post", HandelspostenErrichten{1}, true},
        {"trading post at the home", HandelspostenErrichten{6}, false},
        {"a second trading post", HandelspostenErrichten{9}, false},
        {"trading post at a foreign system", HandelspostenErrichten{3}, false},
        {"offer trade (system 8 shows the button)", HandelAnbieten{2}, true},
        {"offer trade to oneself", HandelAnbieten{1}, false},
        {"offer trade to seat 3 of 2", HandelAnbieten{3}, false},
        {"offer trade again", HandelAnbieten{2}, false, angeboten},
        {"cancel trade never offered", HandelAbbrechen{2}, false},
        {"cancel trade offered", HandelAbbrechen{2}, true, angeboten},
    };
    for (const Fall& f : faelle) {
        Auftragswelt a;
        if (f.vorher) f.vorher(a);
        const std::string vorher = a.zustand();
        EXPECT_EQ(ausfuehren(f.order, a.w.spiel, a.mp, a.haende), f.gilt) << f.was;
        EXPECT_EQ(a.zustand() != vorher, f.gilt) << f.was << (f.gilt ? ": nothing done" : ": changed though refused");
    }
}

TEST(Aktionen, TheBudgetMovesInStepsOfFiveWithinItsLimits)
{
    for (const auto& [wunsch, etat] : {std::pair{52, 50}, {55, 55}, {103, 100}, {-5, 0}, {4, 0}}) {
        Auftragswelt a;
        ASSERT_TRUE(ausfuehren(EtatSetzen{wunsch}, a.w.spiel, a.mp, a.haende));
        EXPECT_EQ(a.w.spiel.wirtschaft.forschungsetat, etat) << wunsch;
    }
}

}  // namespace
}  // namespace qz
