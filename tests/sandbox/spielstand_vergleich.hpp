// Compares two game states field by field, every field of the model named on its own, so that a
// field the save file forgets shows up by name. The overlays are pictures drawn from the state
// and are left out.
#pragma once

#include "state/spielstand.hpp"

#include <gtest/gtest.h>

namespace qz {

template <class T>
void erwarteFeldGleich(const Feld<T>& a, const Feld<T>& b, const char* name)
{
    ASSERT_EQ(a.lo(), b.lo()) << name;
    ASSERT_EQ(a.hi(), b.hi()) << name;
    for (int i = a.lo(); i <= a.hi(); ++i) ASSERT_EQ(a(i), b(i)) << name << "(" << i << ")";
}

template <class T>
void erwarteFeldGleich(const Feld2<T>& a, const Feld2<T>& b, const char* name)
{
    for (int i = a.lo1(); i <= a.hi1(); ++i)
        for (int j = a.lo2(); j <= a.hi2(); ++j) ASSERT_EQ(a(i, j), b(i, j)) << name << "(" << i << ", " << j << ")";
}

// Clock values: the file keeps the time left, and adding it to the clock again may round.
#define QZ_ZEIT_GLEICH(feld) EXPECT_NEAR(a.feld, b.feld, 1e-9) << #feld
#define QZ_GLEICH(feld) EXPECT_EQ(a.feld, b.feld) << #feld
#define QZ_FELD_GLEICH(feld) erwarteFeldGleich(a.feld, b.feld, #feld)

inline void erwarteGleich(const Spielstand& a, const Spielstand& b)
{
    QZ_FELD_GLEICH(systeme.handelsposten);
    QZ_FELD_GLEICH(systeme.angriff);
    QZ_FELD_GLEICH(systeme.name);
    QZ_FELD_GLEICH(systeme.schild);
    QZ_FELD_GLEICH(systeme.schildMax);
    QZ_FELD_GLEICH(systeme.befestigung);
    QZ_FELD_GLEICH(systeme.befestigungBasis);
    QZ_FELD_GLEICH(systeme.befestigungMax);
    QZ_FELD_GLEICH(systeme.angegriffen);
    QZ_FELD_GLEICH(systeme.entdecker);
    QZ_FELD_GLEICH(systeme.pos);
    QZ_FELD_GLEICH(systeme.besitzer);
    QZ_FELD_GLEICH(systeme.typ);
    QZ_FELD_GLEICH(systeme.einwohner);
    QZ_FELD_GLEICH(systeme.einwohnerBasis);
    QZ_FELD_GLEICH(systeme.einwohnerMax);
    QZ_FELD_GLEICH(systeme.versorgung);
    QZ_FELD_GLEICH(systeme.versorgungBasis);
    QZ_FELD_GLEICH(systeme.versorgungMax);
    QZ_FELD_GLEICH(systeme.forschung);
    QZ_FELD_GLEICH(systeme.forschungBasis);
    QZ_FELD_GLEICH(systeme.handel);
    QZ_FELD_GLEICH(systeme.handelBasis);
    QZ_FELD_GLEICH(systeme.handelMax);
    QZ_FELD_GLEICH(systeme.werft);
    QZ_FELD_GLEICH(systeme.werftBasis);
    QZ_FELD_GLEICH(systeme.bauAufwand);
    QZ_FELD_GLEICH(systeme.bauFortschritt);
    QZ_FELD_GLEICH(systeme.bauTyp);
    QZ_FELD_GLEICH(systeme.bauAuftraege);

    for (int f = 0; f < kSchiffsfelder; ++f) {
        SCOPED_TRACE("Schiffsfeld " + std::to_string(f));
        QZ_GLEICH(schiffe.liste[static_cast<std::size_t>(f)]);
        for (int p = 1; p <= 4; ++p) QZ_FELD_GLEICH(saetze(p).feld[static_cast<std::size_t>(f)]);
    }
    for (int p = 1; p <= 4; ++p) QZ_GLEICH(saetze(p).anzahl);

    QZ_FELD_GLEICH(spieler.spielerFarbe);
    QZ_FELD_GLEICH(spieler.parkOffset);
    QZ_FELD_GLEICH(spieler.bewegungsIntervall);
    QZ_FELD_GLEICH(spieler.hoechsteFlotte);

    for (int t = 1; t <= 12; ++t) {
        SCOPED_TRACE("Forschung " + std::to_string(t));
        QZ_GLEICH(forschung.thema(t).aktiv);
        QZ_GLEICH(forschung.thema(t).name);
        QZ_GLEICH(forschung.thema(t).stufe);
        QZ_GLEICH(forschung.thema(t).kosten);
        QZ_GLEICH(forschung.thema(t).fortschritt);
    }
    QZ_GLEICH(forschung.aktiveThemen);

    QZ_GLEICH(wirtschaft.geld);
    QZ_GLEICH(wirtschaft.vorrat);
    QZ_ZEIT_GLEICH(wirtschaft.naechsterTag);
    QZ_GLEICH(wirtschaft.einnahmen);
    QZ_GLEICH(wirtschaft.forschungskosten);
    QZ_GLEICH(wirtschaft.versorgungsertrag);
    QZ_GLEICH(wirtschaft.versorgungsverbrauch);
    QZ_GLEICH(wirtschaft.forschungsertrag);
    QZ_GLEICH(wirtschaft.forschungsetat);
    QZ_GLEICH(wirtschaft.forschungsausgaben);
    QZ_GLEICH(wirtschaft.forschungspunkte);
    QZ_GLEICH(wirtschaft.spieltag);

    QZ_GLEICH(karte.scanNeuzeichnen);
    QZ_GLEICH(karte.handelNeuzeichnen);
    QZ_GLEICH(karte.handelsliste);
    QZ_FELD_GLEICH(karte.handelsArray);
    QZ_GLEICH(karte.handelsAnzahl);
    QZ_GLEICH(karte.routenauftrag.status);
    QZ_GLEICH(karte.routenauftrag.flotte);
    QZ_GLEICH(karte.routenauftrag.x);
    QZ_GLEICH(karte.routenauftrag.y);
    QZ_GLEICH(karte.routenauftrag.zielX);
    QZ_GLEICH(karte.routenauftrag.zielY);
    QZ_GLEICH(karte.routenauftrag.route);
    QZ_ZEIT_GLEICH(karte.naechsterScroll);
    QZ_ZEIT_GLEICH(karte.routenTimer);
    QZ_GLEICH(karte.kartenBreite);
    QZ_GLEICH(karte.kartenHoehe);
    QZ_GLEICH(karte.gewaehlteFlotte);
    QZ_GLEICH(karte.gewaehltesSchiff);
    QZ_FELD_GLEICH(karte.gewaehlteTypen);
    QZ_ZEIT_GLEICH(karte.naechsterFlugschritt);
    QZ_GLEICH(karte.kolonieschiff);
    QZ_GLEICH(karte.angriffsschiff);
    QZ_GLEICH(karte.angriffsziel);
    QZ_GLEICH(karte.angriffsschaden);
    QZ_GLEICH(karte.abdockFlotte);
    QZ_GLEICH(karte.systemTab);
    QZ_GLEICH(karte.forschungsKategorie);
    QZ_GLEICH(karte.katalogOffen);
    QZ_GLEICH(karte.hangarSchiff);
    QZ_GLEICH(karte.hangarFlotte);
    QZ_GLEICH(karte.hangarSeite);
    QZ_GLEICH(karte.flottenSeite);

    QZ_GLEICH(eigenerSpieler);
    QZ_GLEICH(Spieleranzahl);
    QZ_GLEICH(Sternanzahl);
    QZ_GLEICH(spielLaeuft);
    QZ_GLEICH(hintergrund);
    QZ_GLEICH(gewaehltesSystem);
    QZ_GLEICH(scrollX);
    QZ_GLEICH(scrollY);
    QZ_GLEICH(scrollSchritt);
    QZ_FELD_GLEICH(hintergrundGroesse);
}

#undef QZ_ZEIT_GLEICH
#undef QZ_GLEICH
#undef QZ_FELD_GLEICH

}  // namespace qz
