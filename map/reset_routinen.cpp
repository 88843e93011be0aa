#include "map/reset_routinen.hpp"

#include "platform/errors.hpp"

namespace qz {

void SUB_CLEAN_STERNSYSTEM(Sternsysteme& s, int& gewaehltesSystem, int& katalogOffen, int& systemTab,
                           int& flottenSeite, int& hangarSeite, int& hangarSchiff, int& hangarFlotte)
{
    guarded("Fehler1: ", [&] {
        Feld<int>* zahlen[] = {&s.handelsposten,   &s.angriff,        &s.schild,          &s.schildMax,
                               &s.befestigung,     &s.befestigungBasis, &s.befestigungMax, &s.angegriffen,
                               &s.entdecker,       &s.besitzer,       &s.typ,             &s.einwohner,
                               &s.einwohnerBasis,  &s.einwohnerMax,   &s.versorgung,      &s.versorgungBasis,
                               &s.versorgungMax,   &s.forschung,      &s.forschungBasis,  &s.handel,
                               &s.handelBasis,     &s.handelMax,      &s.werft,           &s.werftBasis};
        for (int i = 1; i <= kSystemKapazitaet; ++i) {
            for (Feld<int>* feld : zahlen) (*feld)(i) = 0;
            s.name(i).clear();
            s.pos(i, 1) = 0;
            s.pos(i, 2) = 0;
        }
        gewaehltesSystem = 0;
        katalogOffen = 0;
        systemTab = 1;
        flottenSeite = 1;
        hangarSeite = 1;
        hangarSchiff = 0;
        hangarFlotte = 0;
    });
}

void SUB_CLEAN_SCHIFFE(SchiffListen& listen, Feld2<int>& bauAufwand, Feld2<int>& bauFortschritt, Feld2<int>& bauTyp,
                       Feld<int>& bauAuftraege)
{
    guarded("Fehler2: ", [&] {
        listen.clear();
        for (int k = 1; k <= 3; ++k) {
            for (int i = 1; i <= kSystemKapazitaet; ++i) {
                bauAufwand(i, k) = 0;
                bauFortschritt(i, k) = 0;
                bauTyp(i, k) = 0;
                bauAuftraege(i) = 0;
            }
        }
    });
}

void SUB_CLEAN_ARRAY_SCHIFFE(SchiffSatz& satz)
{
    guarded("Fehler3: ", [&] {
        satz.anzahl = 0;
        for (auto& feld : satz.feld) feld.redim(0, -1);
    });
}

void SUB_CLEAN_SENDEN(Sendedaten& d, Feld<std::string>& handelsArray)
{
    guarded("Fehler4: ", [&] {
        for (int k = 1; k <= 4; ++k) {
            d.abkommenAnfrage(k) = 0;
            d.abkommenStand(k) = 0;
        }
        d.kolonisation = 0;
        d.chatZeile.clear();
        d.chatSenden = 0;
        d.chatAnzahl = 0;
        d.chatVerlauf.clear();
        d.recordStart = 0;
        d.recordLaenge = 0;
        d.recordText.clear();
        d.SessionId.clear();
        for (auto& text : d.zwischentexte) text.clear();
        d.bereitAnzahl = 0;
        d.handelswegAnzahl.fill(0);
        d.parserPosition.fill(0);
        d.chatZeilen.redim(0, -1);
        for (auto& slot : d.lobbySlots) slot.redim(0, -1);
        handelsArray.redim(0, -1);
        for (auto& wege : d.handelswege) wege.redim(0, -1);
    });
}

void spielZuruecksetzen(Spielstand& spiel)
{
    Sternsysteme& s = spiel.systeme;
    Kartenzustand& k = spiel.karte;
    SUB_CLEAN_SCHIFFE(spiel.schiffe, s.bauAufwand, s.bauFortschritt, s.bauTyp, s.bauAuftraege);
    SUB_CLEAN_ARRAY_SCHIFFE(spiel.saetze(1));
    SUB_CLEAN_STERNSYSTEM(s, spiel.gewaehltesSystem, k.katalogOffen, k.systemTab, k.flottenSeite, k.hangarSeite,
                          k.hangarSchiff, k.hangarFlotte);
}

}  // namespace qz
