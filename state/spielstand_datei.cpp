#include "state/spielstand_datei.hpp"

#include "state/spielstand_bytes.hpp"
#include "state/spielstand_pruefung.hpp"

namespace qz {

namespace {

// Version 1 of the game: every field in the order of the file. S is Spielstand for reading and
// const Spielstand for writing, so both directions share this one list.
template <class A, class S>
void spielFelder(A& a, S& s)
{
    a.zahl(s.eigenerSpieler, 1, 4);
    a.zahl(s.Spieleranzahl, 0, 4);
    a.zahl(s.Sternanzahl, 0, kSystemKapazitaet);
    a.zahl(s.spielLaeuft, 0, 1);
    a.zahl(s.hintergrund, 1, 13);
    a.zahl(s.gewaehltesSystem, 0, s.Sternanzahl);
    // All fourteen background sizes are equal; the view may go 111 pixels below the map for
    // the status bar.
    a.zahl(s.scrollX, 0, s.hintergrundGroesse(1, 1));
    a.zahl(s.scrollY, 0, s.hintergrundGroesse(1, 2) + 111);
    a.zahl(s.scrollSchritt);
    if (!a.ok()) return;

    auto& sys = s.systeme;
    const int n = s.Sternanzahl;
    auto spalte = [&](auto& feld) {
        for (int i = 1; i <= n; ++i) a.zahl(feld(i));
    };
    auto spalte2 = [&](auto& feld) {
        for (int i = 1; i <= n; ++i)
            for (int j = feld.lo2(); j <= feld.hi2(); ++j) a.zahl(feld(i, j));
    };
    spalte(sys.handelsposten);
    spalte(sys.angriff);
    for (int i = 1; i <= n; ++i) a.text(sys.name(i));
    for (auto* feld : {&sys.schild, &sys.schildMax, &sys.befestigung, &sys.befestigungBasis, &sys.befestigungMax,
                       &sys.angegriffen, &sys.entdecker})
        spalte(*feld);
    spalte2(sys.pos);
    for (auto* feld : {&sys.besitzer, &sys.typ, &sys.einwohner, &sys.einwohnerBasis, &sys.einwohnerMax,
                       &sys.versorgung, &sys.versorgungBasis, &sys.versorgungMax, &sys.forschung, &sys.forschungBasis,
                       &sys.handel, &sys.handelBasis, &sys.handelMax, &sys.werft, &sys.werftBasis})
        spalte(*feld);
    for (auto* feld : {&sys.bauAufwand, &sys.bauFortschritt, &sys.bauTyp}) spalte2(*feld);
    spalte(sys.bauAuftraege);

    // The master lists and the working set both: between two joins the working set holds what
    // the screens changed, and ships built on the day tick wait in the master lists.
    for (auto& liste : s.schiffe.liste) a.text(liste);
    auto& satz = s.saetze(1);
    a.zahl(satz.anzahl, 0);
    for (auto& feld : satz.feld) {
        a.texte(feld);
        a.pruefe([&] { return feld.hi() >= satz.anzahl; });
    }

    auto& sp = s.spieler;
    for (int p = 1; p <= 4; ++p) {
        a.zahl(sp.spielerFarbe(p, 0), 0, 8);
        for (int c = 1; c <= 3; ++c) a.zahl(sp.spielerFarbe(p, c), 0, 255);
        a.zahl(sp.parkOffset(p, 1));
        a.zahl(sp.parkOffset(p, 2));
        a.kommazahl(sp.bewegungsIntervall(p));
        a.zahl(sp.hoechsteFlotte(p), 0);
    }
    a.pruefe([&] { return sp.spielerFarbe(s.eigenerSpieler, 0) >= 1; });  // names the ship picture folder

    for (int t = 1; t <= 12; ++t) {
        auto& thema = s.forschung.thema(t);
        a.zahl(thema.aktiv, 0, 1);
        a.zahl(thema.stufe, 0);
        a.zahl(thema.fortschritt);
    }
    a.zahl(s.forschung.aktiveThemen, 0, 12);

    auto& w = s.wirtschaft;
    a.zahl(w.geld);
    a.zahl(w.vorrat);
    a.zeit(w.naechsterTag);
    for (auto* wert : {&w.einnahmen, &w.forschungskosten, &w.versorgungsertrag, &w.versorgungsverbrauch,
                       &w.forschungsertrag})
        a.zahl(*wert);
    a.zahl(w.forschungsetat, 0, 100);
    a.zahl(w.forschungsausgaben);
    a.zahl(w.forschungspunkte);
    a.zahl(w.spieltag, 0);

    auto& k = s.karte;
    a.zahl(k.scanNeuzeichnen);
    a.zahl(k.handelNeuzeichnen);
    a.text(k.handelsliste);
    a.texte(k.handelsArray);
    a.zahl(k.handelsAnzahl, 0);
    a.pruefe([&] { return k.handelsArray.hi() >= k.handelsAnzahl; });
    auto& auftrag = k.routenauftrag;
    a.zahl(auftrag.status, 0, 2);
    for (auto* wert : {&auftrag.flotte, &auftrag.x, &auftrag.y, &auftrag.zielX, &auftrag.zielY}) a.zahl(*wert);
    a.text(auftrag.route);
    a.zeit(k.naechsterScroll);
    a.zeit(k.routenTimer);
    a.zahl(k.kartenBreite, 0);
    a.zahl(k.kartenHoehe, 0);
    a.zahl(k.gewaehlteFlotte, 0);
    a.zahl(k.gewaehltesSchiff, 0);
    for (int t = 1; t <= 8; ++t) a.zahl(k.gewaehlteTypen(t));
    a.zeit(k.naechsterFlugschritt);
    a.zahl(k.kolonieschiff, 0);
    a.zahl(k.angriffsschiff, 0);
    a.text(k.angriffsziel);
    a.text(k.angriffsschaden);
    a.zahl(k.abdockFlotte, 0);
    a.zahl(k.systemTab);
    a.zahl(k.forschungsKategorie);
    a.zahl(k.katalogOffen);
    a.zahl(k.hangarSchiff, 0);
    a.zahl(k.hangarFlotte, 0);
    a.zahl(k.hangarSeite);
    a.zahl(k.flottenSeite);
}

}  // namespace

std::string spielstandSchreiben(const Spielstand& spiel, double jetzt, std::int64_t gespeichertUm)
{
    Spielstandkopf kopf{gespeichertUm, spiel.Sternanzahl, spiel.wirtschaft.spieltag, spiel.wirtschaft.geld, 0};
    for (int i = 1; i <= spiel.Sternanzahl; ++i)
        if (spiel.systeme.besitzer(i) == spiel.eigenerSpieler) ++kopf.eigeneSysteme;

    Schreiber a = umschlagBeginnen(jetzt);
    kopfFelder(a, kopf);
    a.zahl(static_cast<int>(Inhalt::GanzesSpiel));
    spielFelder(a, spiel);
    return umschlagSchliessen(std::move(a));
}

Lesefehler spielstandKopfLesen(std::string_view datei, Spielstandkopf& kopf)
{
    std::uint32_t version = 0;
    std::string_view rest;
    const Lesefehler fehler = umschlagLesen(datei, version, rest);
    if (fehler != Lesefehler::Keiner) return fehler;
    Leser a(rest, 0.0);
    kopfFelder(a, kopf);
    int inhalt = static_cast<int>(Inhalt::GanzesSpiel);
    if (version >= 2) a.zahl(inhalt);
    // The own part of a multiplayer game is no game a slot could load.
    return a.ok() && inhalt == static_cast<int>(Inhalt::GanzesSpiel) ? Lesefehler::Keiner : Lesefehler::Beschaedigt;
}

Lesefehler spielstandLesen(std::string_view datei, double jetzt, Spielstand& ziel)
{
    std::uint32_t version = 0;
    std::string_view rest;
    const Lesefehler fehler = umschlagLesen(datei, version, rest);
    if (fehler != Lesefehler::Keiner) return fehler;
    Leser a(rest, jetzt);
    Spielstandkopf kopf;
    kopfFelder(a, kopf);
    // Version 1 holds nothing but the whole game; the game's fields are the same in both.
    if (version >= 2) {
        int inhalt = 0;
        a.zahl(inhalt, static_cast<int>(Inhalt::GanzesSpiel), static_cast<int>(Inhalt::GanzesSpiel));
    }
    spielFelder(a, ziel);
    return a.amEnde() && spielstandMoeglich(ziel) ? Lesefehler::Keiner : Lesefehler::Beschaedigt;
}

}  // namespace qz
