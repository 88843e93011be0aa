#include "state/eigener_spielstand.hpp"

#include "state/spielstand_bytes.hpp"
#include "state/spielstand_pruefung.hpp"

#include <zlib.h>

#include <algorithm>
#include <type_traits>

namespace qz {

namespace {

// Every field of the part in the order of the file. T is EigenerSpielstand for reading and
// const EigenerSpielstand for writing, so both directions share this one list.
template <class A, class T>
void teilFelder(A& a, T& t)
{
    constexpr bool lesen = !std::is_const_v<T>;
    const int n = t.kopf.Sternanzahl;
    a.zahl(t.eigenerSpieler, 1, 4);
    if constexpr (lesen) t.kartenKennung = a.u32();
    else a.u32(t.kartenKennung);
    a.zahl(t.kartenBreite, 0);
    a.zahl(t.kartenHoehe, 0);

    auto& w = t.wirtschaft;
    for (auto* wert : {&w.geld, &w.vorrat, &w.einnahmen, &w.forschungskosten, &w.versorgungsertrag,
                       &w.versorgungsverbrauch, &w.forschungsertrag})
        a.zahl(*wert, -kGeldGrenze, kGeldGrenze);
    a.zahl(w.forschungsetat, 0, 100);
    a.zahl(w.forschungsausgaben, -kGeldGrenze, kGeldGrenze);
    a.zahl(w.forschungspunkte, -kGeldGrenze, kGeldGrenze);
    a.zahl(w.spieltag, 0);
    a.pruefe([&] { return w.spieltag == t.kopf.spieltag && w.geld == t.kopf.geld; });

    int aktiv = 0;
    for (auto& thema : t.forschung) {
        a.zahl(thema.aktiv, 0, 1);
        a.zahl(thema.stufe, 0, kStufeGrenze);
        a.zahl(thema.fortschritt, -kGeldGrenze, kGeldGrenze);
        aktiv += thema.aktiv == 1 ? 1 : 0;  // written values may be anything; only a set flag counts
    }
    a.zahl(t.aktiveThemen, 0, 12);
    a.pruefe([&] { return t.aktiveThemen == aktiv; });
    for (auto& wert : t.abkommen) a.zahl(wert, 0, 3);
    a.zahl(t.hoechsteFlotte, 0, kFlottenGrenze);
    if (!a.ok()) return;

    if constexpr (lesen) {
        t.handelsposten.resize(static_cast<std::size_t>(n));
        t.entdecker.resize(static_cast<std::size_t>(n));
        t.angriff.resize(static_cast<std::size_t>(n));
    }
    for (auto& posten : t.handelsposten) {
        a.zahl(posten, -42, n);
        a.pruefe([&] { return posten >= 0 || posten == -42; });
    }
    for (auto& wer : t.entdecker) a.zahl(wer, 0, 4);
    for (auto& wert : t.angriff) a.zahl(wert, -kWertGrenze, kWertGrenze);

    int eigene = static_cast<int>(t.systeme.size());
    a.zahl(eigene, 0, n);
    a.pruefe([&] { return eigene == t.kopf.eigeneSysteme; });
    if (!a.ok()) return;
    if constexpr (lesen) t.systeme.resize(static_cast<std::size_t>(eigene));
    int vorige = 0;
    for (auto& s : t.systeme) {
        // In the order of the map, each once.
        a.zahl(s.nummer, vorige + 1, n);
        vorige = s.nummer;
        for (auto* wert : {&s.einwohner, &s.einwohnerMax, &s.versorgung, &s.versorgungMax, &s.forschung, &s.handel,
                           &s.handelMax, &s.werft, &s.schildMax, &s.befestigungMax})
            a.zahl(*wert, -kWertGrenze, kWertGrenze);
        for (int slot = 0; slot < 3; ++slot) {
            a.zahl(s.bauAufwand[static_cast<std::size_t>(slot)], -kWertGrenze, kWertGrenze);
            a.zahl(s.bauFortschritt[static_cast<std::size_t>(slot)], -kWertGrenze, kWertGrenze);
            a.zahl(s.bauTyp[static_cast<std::size_t>(slot)], 0, 8);
        }
        a.zahl(s.bauAuftraege, 0, 3);
    }

    int schiffe = t.mitSchiffen ? 1 : 0;
    a.zahl(schiffe, 0, 1);
    if constexpr (lesen) t.mitSchiffen = schiffe == 1;
    if (!t.mitSchiffen) return;
    for (auto& liste : t.schiffe.liste) a.text(liste);
    a.pruefe([&] { return schiffslistenMoeglich(t.schiffe, n, t.hoechsteFlotte, t.kartenBreite, t.kartenHoehe); });
}

EigenerSpielstand teilAus(const Spielstand& spiel, const Feld<int>& abkommen, std::int64_t gespeichertUm)
{
    EigenerSpielstand t;
    const Sternsysteme& s = spiel.systeme;
    const int eigen = spiel.eigenerSpieler;
    t.kopf = {gespeichertUm, spiel.Sternanzahl, spiel.wirtschaft.spieltag, spiel.wirtschaft.geld, 0};
    t.eigenerSpieler = eigen;
    t.kartenKennung = kartenKennung(spiel);
    t.kartenBreite = spiel.karte.kartenBreite;
    t.kartenHoehe = spiel.karte.kartenHoehe;
    t.wirtschaft = spiel.wirtschaft;
    for (int k = 1; k <= 12; ++k) {
        const ForschungsThema& thema = spiel.forschung.thema(k);
        t.forschung[static_cast<std::size_t>(k - 1)] = {thema.aktiv, thema.stufe, thema.fortschritt};
    }
    t.aktiveThemen = spiel.forschung.aktiveThemen;
    for (int k = 1; k <= 4; ++k) t.abkommen[static_cast<std::size_t>(k - 1)] = abkommen(k);
    t.hoechsteFlotte = spiel.spieler.hoechsteFlotte(eigen);
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        t.handelsposten.push_back(s.handelsposten(i));
        t.entdecker.push_back(s.entdecker(i));
        t.angriff.push_back(s.angriff(i));
        if (s.besitzer(i) != eigen) continue;
        EigenesSystem e{i, s.einwohner(i), s.einwohnerMax(i), s.versorgung(i), s.versorgungMax(i), s.forschung(i),
                        s.handel(i), s.handelMax(i), s.werft(i), s.schildMax(i), s.befestigungMax(i)};
        for (int slot = 1; slot <= 3; ++slot) {
            const auto k = static_cast<std::size_t>(slot - 1);
            e.bauAufwand[k] = s.bauAufwand(i, slot);
            e.bauFortschritt[k] = s.bauFortschritt(i, slot);
            e.bauTyp[k] = s.bauTyp(i, slot);
        }
        e.bauAuftraege = s.bauAuftraege(i);
        t.systeme.push_back(e);
    }
    t.kopf.eigeneSysteme = static_cast<int>(t.systeme.size());
    t.mitSchiffen = true;
    t.schiffe = spiel.schiffe;
    return t;
}

std::string teilDatei(const EigenerSpielstand& t)
{
    Schreiber a = umschlagBeginnen(0.0);
    kopfFelder(a, t.kopf);
    a.zahl(static_cast<int>(Inhalt::EigenerTeil));
    teilFelder(a, t);
    return umschlagSchliessen(std::move(a));
}

}  // namespace

std::uint32_t kartenKennung(const Spielstand& spiel)
{
    Schreiber a(0.0);
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        a.zahl(spiel.systeme.pos(i, 1));
        a.zahl(spiel.systeme.pos(i, 2));
    }
    return static_cast<std::uint32_t>(
        crc32_z(crc32_z(0, nullptr, 0), reinterpret_cast<const Bytef*>(a.out.data()), a.out.size()));
}

std::string eigenenTeilSchreiben(const Spielstand& spiel, const Feld<int>& abkommen, std::int64_t gespeichertUm)
{
    EigenerSpielstand t = teilAus(spiel, abkommen, gespeichertUm);
    std::string datei = teilDatei(t);
    if (datei.size() <= kEigenerTeilGrenze) return datei;
    t.mitSchiffen = false;
    t.schiffe.clear();
    return teilDatei(t);
}

Lesefehler eigenenTeilLesen(std::string_view datei, EigenerSpielstand& ziel)
{
    std::uint32_t version = 0;
    std::string_view rest;
    const Lesefehler fehler = umschlagLesen(datei, version, rest);
    if (fehler != Lesefehler::Keiner) return fehler;
    if (datei.size() > kEigenerTeilGrenze || version < 2) return Lesefehler::Beschaedigt;
    Leser a(rest, 0.0);
    kopfFelder(a, ziel.kopf);
    int inhalt = 0;
    a.zahl(inhalt, static_cast<int>(Inhalt::EigenerTeil), static_cast<int>(Inhalt::EigenerTeil));
    if (a.ok()) teilFelder(a, ziel);
    return a.amEnde() ? Lesefehler::Keiner : Lesefehler::Beschaedigt;
}

bool eigenerTeilPasst(const EigenerSpielstand& teil, const Spielstand& spiel)
{
    return teil.eigenerSpieler == spiel.eigenerSpieler && teil.kopf.Sternanzahl == spiel.Sternanzahl &&
           teil.kartenKennung == kartenKennung(spiel) && teil.kartenBreite == spiel.karte.kartenBreite &&
           teil.kartenHoehe == spiel.karte.kartenHoehe;
}

void eigenenTeilUebernehmen(const EigenerSpielstand& teil, Spielstand& spiel, Feld<int>& abkommen)
{
    const double naechsterTag = spiel.wirtschaft.naechsterTag;
    spiel.wirtschaft = teil.wirtschaft;
    spiel.wirtschaft.naechsterTag = naechsterTag;
    for (int k = 1; k <= 12; ++k) {
        ForschungsThema& thema = spiel.forschung.thema(k);
        const EigeneForschung& f = teil.forschung[static_cast<std::size_t>(k - 1)];
        thema.aktiv = f.aktiv;
        thema.stufe = f.stufe;
        thema.fortschritt = f.fortschritt;
    }
    spiel.forschung.aktiveThemen = teil.aktiveThemen;
    for (int k = 1; k <= 4; ++k) abkommen(k) = teil.abkommen[static_cast<std::size_t>(k - 1)];
    const int eigen = spiel.eigenerSpieler;
    spiel.spieler.hoechsteFlotte(eigen) = std::max(spiel.spieler.hoechsteFlotte(eigen), teil.hoechsteFlotte);

    Sternsysteme& s = spiel.systeme;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        s.handelsposten(i) = teil.handelsposten[k];
        s.entdecker(i) = teil.entdecker[k];
        s.angriff(i) = teil.angriff[k];
    }
    for (const EigenesSystem& e : teil.systeme) {
        const int i = e.nummer;
        // Taken while the player was away: what the day left there is no longer the player's.
        if (s.besitzer(i) != eigen) continue;
        s.einwohner(i) = e.einwohner;
        s.einwohnerMax(i) = e.einwohnerMax;
        s.versorgung(i) = e.versorgung;
        s.versorgungMax(i) = e.versorgungMax;
        s.forschung(i) = e.forschung;
        s.handel(i) = e.handel;
        s.handelMax(i) = e.handelMax;
        s.werft(i) = e.werft;
        s.schildMax(i) = e.schildMax;
        s.befestigungMax(i) = e.befestigungMax;
        for (int slot = 1; slot <= 3; ++slot) {
            const auto k = static_cast<std::size_t>(slot - 1);
            s.bauAufwand(i, slot) = e.bauAufwand[k];
            s.bauFortschritt(i, slot) = e.bauFortschritt[k];
            s.bauTyp(i, slot) = e.bauTyp[k];
        }
        s.bauAuftraege(i) = e.bauAuftraege;
    }
}

}  // namespace qz
