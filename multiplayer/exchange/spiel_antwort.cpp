#include "multiplayer/exchange/spiel_antwort.hpp"

#include "fleets/combat.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/exchange/tagged_records.hpp"
#include "platform/errors.hpp"
#include "state/planetentypen.hpp"
#include "state/spielstand_pruefung.hpp"

#include <algorithm>
#include <vector>

namespace qz {

namespace {

std::string slotTag(const char* vorne, int n, const char* hinten)
{
    return vorne + std::to_string(n) + hinten;
}

// Calls apply(i, text) for every value of a list record that names a system of the map. Values
// beyond it (a server whose map grew, a battle far off) are skipped like any other value out of
// range: reporting them would stop the rest of every reply from being applied.
template <class Anwenden>
void jedesSystem(std::string_view antwort, const char* tag, int Sternanzahl, Anwenden&& anwenden)
{
    std::vector<std::string> werte;
    const int n = std::min(listenRecordLesen(antwort, tag, werte), Sternanzahl);
    for (int i = 1; i <= n; ++i) anwenden(i, werte[static_cast<std::size_t>(i)]);
}

}  // namespace

void systemListenAnwenden(std::string_view antwort, Spielstand& spiel, Mehrspieler& mp)
{
    Sternsysteme& sys = spiel.systeme;
    const int eigen = spiel.eigenerSpieler;
    const int offen = mp.senden.kolonisation;
    jedesSystem(antwort, "BES", spiel.Sternanzahl, [&](int i, const std::string& wert) {
        const int neu = textToInt(wert);
        if (i == offen) {
            // Unowned: the reply predates the colonisation, the new colony is not "lost".
            if (neu == 0) return;
            // Owned, by this player or by one who was first: the colonisation is settled.
            mp.senden.kolonisation = 0;
        }
        if (sys.besitzer(i) == eigen && neu != eigen) {
            sys.besitzer(i) = 0;
            sys.einwohner(i) = 0;
            sys.versorgung(i) = 0;
            sys.forschung(i) = 0;
            sys.handel(i) = 0;
            sys.werft(i) = 0;
            mp.kartenNeuzeichnen = 1;
            spiel.karte.scanNeuzeichnen = 1;
        } else {
            sys.besitzer(i) = neu;
        }
    });
    jedesSystem(antwort, "TYP", spiel.Sternanzahl, [&](int i, const std::string& w) {
        // A type the game cannot show would fail the system screen in every frame.
        const int typ = textToInt(w);
        if (planetentypGueltig(typ)) sys.typ(i) = typ;
    });
    jedesSystem(antwort, "SLD", spiel.Sternanzahl, [&](int i, const std::string& w) { sys.schild(i) = textToInt(w); });
    jedesSystem(antwort, "BFG", spiel.Sternanzahl,
                [&](int i, const std::string& w) { sys.befestigung(i) = textToInt(w); });
    jedesSystem(antwort, "PAG", spiel.Sternanzahl,
                [&](int i, const std::string& w) { sys.angegriffen(i) = textToInt(w); });
    if (mp.senden.kolonisation > 0) {
        checkIndex(offen, 1, spiel.Sternanzahl);
        sys.besitzer(offen) = eigen;
    }
}

void spielerBloeckeAnwenden(std::string_view antwort, Spielstand& spiel, Mehrspieler& mp)
{
    static const struct {
        const char* tag;
        Schiffsfeld feld;
    } kListen[] = {{"bwg", kRoute}, {"fid", kFlotte}, {"pox", kX},        {"poy", kY},
                   {"typ", kTyp},   {"doc", kAngedockt}, {"uml", kOrt}};
    std::vector<std::string> werte;
    for (int n = 1; n <= 4; ++n) {
        if (n == spiel.eigenerSpieler) continue;
        SchiffSatz& satz = spiel.saetze(n);
        satz.clear();
        int anzahl = -1;
        for (const auto& liste : kListen) {
            const int gelesen = listenRecordLesen(antwort, slotTag("si", n, liste.tag), werte);
            if (gelesen < 1) continue;
            Feld<std::string>& ziel = satz[liste.feld];
            ziel.values() = std::move(werte);
            ziel.rebound(0);
            anzahl = anzahl < 0 ? gelesen : std::min(anzahl, gelesen);
        }
        // Lists of unequal length would let the fleet routines read past the shorter ones:
        // the block holds as many ships as its shortest list, and absent lists read as "0".
        satz.anzahl = std::max(anzahl, 0);
        for (Feld<std::string>& feld : satz.feld) {
            if (feld.hi() >= satz.anzahl) continue;
            feld.values().resize(static_cast<std::size_t>(satz.anzahl) + 1, "0");
            feld.values()[0].clear();
            feld.rebound(0);
        }

        std::string inhalt;
        if (recordLesen(antwort, slotTag("si", n, "fig"), inhalt)) spiel.spieler.hoechsteFlotte(n) = textToInt(inhalt);
        if (recordLesen(antwort, slotTag("s", n, "hvtg"), inhalt)) mp.senden.abkommenStand(n) = textToInt(inhalt);
        // The server leaves out an empty trade-route list, so a missing record means none.
        std::string wege;
        recordLesen(antwort, slotTag("s", n, "hweg"), wege);
        if (wege != mp.handelswegText(n)) {
            mp.handelswegText(n) = wege;
            mp.handelNeuzeichnen = 1;
        }
    }
}

void chatAnwenden(std::string_view antwort, Mehrspieler& mp)
{
    std::string inhalt;
    if (!recordLesen(antwort, "chat", inhalt)) return;
    mp.senden.chatAnzahl = STRINGSPLIT(inhalt, ";-;", mp.senden.chatZeilen);
}

// Keeps of a battle record's participants those the combat routine may take: a hull, shield or
// firepower beyond what a save may hold, or an own ship number outside the own lists (`eigene`,
// nullptr for another player), leaves its participant out, without a report, as every other
// value out of range in a reply. The lists of the others keep their order.
void teilnehmerPruefen(KampfGegner& teil, const SchiffSatz* eigene)
{
    std::vector<std::string> nummern, huelle, schild, feuerkraft;
    const int anzahl = teil.schiffe.empty() ? 0 : STRINGSPLIT(teil.schiffe, ",", nummern);
    const int huellen = teil.huelle.empty() ? 0 : STRINGSPLIT(teil.huelle, ",", huelle);
    const int schilde = teil.schild.empty() ? 0 : STRINGSPLIT(teil.schild, ",", schild);
    const int feuer = teil.feuerkraft.empty() ? 0 : STRINGSPLIT(teil.feuerkraft, ",", feuerkraft);
    int letztesSchiff = 0;
    if (eigene) {
        letztesSchiff = kWertGrenze;
        for (Schiffsfeld f : {kTyp, kSchild, kHuelle, kFlotte}) letztesSchiff = std::min(letztesSchiff, (*eigene)[f].hi());
    }
    const auto wert = [](const std::vector<std::string>& liste, int n, int k) {
        return k > n || zahlImBereich(liste[static_cast<std::size_t>(k)], -kWertGrenze, kWertGrenze);
    };
    KampfGegner geprueft;
    geprueft.spieler = teil.spieler;
    for (int k = 1; k <= anzahl; ++k) {
        const std::string& nummer = nummern[static_cast<std::size_t>(k)];
        if (eigene && !zahlImBereich(nummer, 1, letztesSchiff)) continue;
        if (!wert(huelle, huellen, k) || !wert(schild, schilde, k) || !wert(feuerkraft, feuer, k)) continue;
        ++geprueft.anzahl;
        geprueft.schiffe += "," + nummer;
        if (k <= huellen) geprueft.huelle += "," + huelle[static_cast<std::size_t>(k)];
        if (k <= schilde) geprueft.schild += "," + schild[static_cast<std::size_t>(k)];
        if (k <= feuer) geprueft.feuerkraft += "," + feuerkraft[static_cast<std::size_t>(k)];
    }
    teil = std::move(geprueft);
}

void kaempfeAnwenden(std::string_view antwort, Spielstand& spiel)
{
    if (antwort.find("#kuml") == std::string_view::npos) return;
    const int eigen = spiel.eigenerSpieler;
    SchiffSatz& eigene = spiel.saetze(eigen);
    std::string record;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        if (!kampfRecordLesen(antwort, i, record)) continue;
        std::string eigeneSchiffe;
        int n = 0;
        std::array<KampfGegner, 3> gegner{};
        std::size_t g = 0;
        for (int slot = 1; slot <= 4; ++slot) {
            KampfGegner teil;
            teil.spieler = slot;
            recordLesen(record, slotTag("sp", slot, "ksid"), teil.schiffe);
            recordLesen(record, slotTag("sp", slot, "klbp"), teil.huelle);
            recordLesen(record, slotTag("sp", slot, "ksld"), teil.schild);
            recordLesen(record, slotTag("sp", slot, "kfkt"), teil.feuerkraft);
            teilnehmerPruefen(teil, slot == eigen ? &eigene : nullptr);
            if (slot == eigen) {
                eigeneSchiffe = teil.schiffe;
                n = teil.anzahl;
            } else if (g < gegner.size()) {
                gegner[g++] = std::move(teil);
            }
        }
        SUB_MP_KAMPF(eigen, spiel.karte.gewaehlteFlotte, spiel.karte.gewaehltesSchiff, eigene[kTyp], eigene[kSchild],
                     eigene[kHuelle], eigene[kFlotte], eigeneSchiffe, n, gegner);
    }
}

void spielAntwortAnwenden(std::string_view antwort, Spielstand& spiel, Mehrspieler& mp)
{
    guarded([&] {
        checkIndex(spiel.eigenerSpieler, 1, 4);
        systemListenAnwenden(antwort, spiel, mp);
        spielerBloeckeAnwenden(antwort, spiel, mp);
        chatAnwenden(antwort, mp);
        kaempfeAnwenden(antwort, spiel);
    });
}

}  // namespace qz
