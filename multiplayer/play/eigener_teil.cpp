#include "multiplayer/play/eigener_teil.hpp"

#include "gfx/text_numbers.hpp"
#include "multiplayer/exchange/spiel_anfrage.hpp"
#include "multiplayer/exchange/tagged_records.hpp"
#include "net/base64.hpp"
#include "platform/datei.hpp"
#include "platform/errors.hpp"
#include "platform/folders.hpp"
#include "state/schiffslisten.hpp"
#include "systems/schiffstypen.hpp"
#include "systems/sternsystem_bildschirm.hpp"

#include <algorithm>
#include <array>
#include <vector>

namespace qz {

namespace {

void namensteil(std::string& name, std::string_view teil)
{
    static constexpr char kHex[] = "0123456789abcdef";
    for (const char c : teil) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '.' || b == '-') {
            name.push_back(c);
        } else {
            name.push_back('_');
            name.push_back(kHex[b >> 4]);
            name.push_back(kHex[b & 15]);
        }
    }
}

// One copy, read and checked; nothing (and one line in the error report) when it is unfit.
std::optional<EigenerSpielstand> teilLesen(std::string_view datei, const Spielstand& spiel, const std::string& quelle)
{
    EigenerSpielstand teil;
    const Lesefehler fehler = eigenenTeilLesen(datei, teil);
    if (fehler == Lesefehler::Keiner && eigenerTeilPasst(teil, spiel)) return teil;
    const char* grund = fehler == Lesefehler::NeuereVersion ? "neuere Version"
                        : fehler == Lesefehler::Beschaedigt ? "beschaedigt"
                                                            : "anderes Spiel";
    writeReportLine(std::string("Eigener Spielstand verworfen, ") + grund + ": " + quelle);
    return std::nullopt;
}

std::optional<EigenerSpielstand> serverKopie(std::string_view antwort, const Spielstand& spiel)
{
    std::string text;
    if (!recordLesen(antwort, "privat", text)) return std::nullopt;
    const std::optional<std::string> datei = base64Dekodieren(text);
    return teilLesen(datei ? std::string_view(*datei) : std::string_view{}, spiel, "Server");
}

std::optional<EigenerSpielstand> lokaleKopie(const std::filesystem::path& kopie, const Spielstand& spiel)
{
    if (kopie.empty()) return std::nullopt;
    const std::optional<std::string> datei = dateiLesen(kopie);
    if (!datei) return std::nullopt;
    return teilLesen(*datei, spiel, kopie.string());
}

// The own ships of the own slot's lists; what the server does not hold comes from the part's
// ship of the same place in the lists when it is of the same type and fleet.
void eigeneSchiffeUebernehmen(std::string_view antwort, Spielstand& spiel, const EigenerSpielstand* teil)
{
    static const struct {
        const char* tag;
        Schiffsfeld feld;
    } kListen[] = {{"typ", kTyp}, {"doc", kAngedockt}, {"uml", kOrt}, {"bwg", kRoute},
                   {"fid", kFlotte}, {"pox", kX},       {"poy", kY}};
    const int eigen = spiel.eigenerSpieler;
    std::array<std::vector<std::string>, kSchiffsfelder> server;
    int anzahl = -1;
    for (const auto& liste : kListen) {
        const int n = listenRecordLesen(antwort, "si" + std::to_string(eigen) + liste.tag, server[liste.feld]);
        anzahl = anzahl < 0 ? n : std::min(anzahl, n);
    }
    anzahl = std::max(anzahl, 0);

    SchiffSatz alt;
    if (teil && teil->mitSchiffen) schiffeSchneiden(teil->schiffe, alt);
    SchiffListen neu;
    for (int k = 1; k <= anzahl; ++k) {
        auto vomServer = [&](Schiffsfeld f) -> const std::string& { return server[f][static_cast<std::size_t>(k)]; };
        const int typ = textToInt(vomServer(kTyp));
        const bool gleich = k <= alt.anzahl && alt.wert(kTyp, k) == typ && alt.wert(kFlotte, k) == textToInt(vomServer(kFlotte));
        const bool angedockt = textToInt(vomServer(kAngedockt)) > 0;
        const Schiffstyp& neuerTyp = schiffstyp(typ);
        for (int f = 0; f < kSchiffsfelder; ++f) {
            const auto feld = static_cast<Schiffsfeld>(f);
            std::string wert;
            if (!server[feld].empty()) wert = vomServer(feld);
            else if (gleich) wert = alt[feld](k);
            else if (feld == kHuelle) wert = numberToText(neuerTyp.huelle);
            else if (feld == kSchild) wert = numberToText(neuerTyp.schild);
            else if (feld == kFeuerkraft) wert = numberToText(neuerTyp.feuerkraft);
            else if (angedockt) wert = "0";  // a docked ship has no target, as one just built
            else if (feld == kZiel) wert = vomServer(kOrt);
            else if (feld == kZielX) wert = vomServer(kX);
            else wert = vomServer(kY);  // kZielY: it stands where it is
            neu[feld] += ',';
            neu[feld] += wert;
        }
    }
    spiel.schiffe = std::move(neu);
    schiffeSchneiden(spiel.schiffe, spiel.saetze(eigen));
    std::string hoechste;
    if (recordLesen(antwort, "si" + std::to_string(eigen) + "fig", hoechste))
        spiel.spieler.hoechsteFlotte(eigen) =
            std::max(spiel.spieler.hoechsteFlotte(eigen), std::clamp(textToInt(hoechste), 0, kFlottenGrenze));
}

}  // namespace

std::filesystem::path eigeneKopie(std::string_view server, std::string_view sitzung, std::string_view login)
{
    if (folders().mehrspieler.empty()) return {};
    std::string name;
    namensteil(name, server);
    name += '+';
    namensteil(name, sitzung);
    name += '+';
    namensteil(name, login);
    return folders().mehrspieler / (name + ".qz");
}

void eigeneKopieSchreiben(Mehrspieler& mp, const std::filesystem::path& kopie, std::string datei)
{
    if (kopie.empty()) return;
    if (mp.kopieGeschrieben.valid()) mp.kopieGeschrieben.wait();
    mp.kopieGeschrieben = std::async(std::launch::async, [kopie, datei = std::move(datei)] {
        std::error_code fehler;
        std::filesystem::create_directories(kopie.parent_path(), fehler);
        const bool ok = !fehler && dateiErsetzen(kopie, datei);
        // Every game leaves a file behind (a game against the computer names a new server each
        // time); one untouched for a week is of a game long over, or what a crash left halfway.
        const auto grenze = std::filesystem::file_time_type::clock::now() - kKopieVeraltet;
        for (const auto& eintrag : std::filesystem::directory_iterator(kopie.parent_path(), fehler)) {
            std::error_code ignoriert;
            if (eintrag.is_regular_file(ignoriert) && eintrag.last_write_time(ignoriert) < grenze)
                std::filesystem::remove(eintrag.path(), ignoriert);
        }
        return ok;
    });
}

void wiedereinstiegAnfrageSchreiben(Feld<KVP>& get, Feld<KVP>& post, const Mehrspieler& mp)
{
    setzePaar(get, 1, "PHPSESSID", mp.senden.SessionId);
    setzePaar(post, 1, "infos", "spiel");
    setzePaar(post, 2, "i1", mp.LoginName);
    for (int e = 3; e <= post.hi(); ++e) setzePaar(post, e, "", "");
    setzePaar(post, 27, "privatholen", "1");
}

const EigenerSpielstand* neuererTeil(const std::optional<EigenerSpielstand>& lokal,
                                     const std::optional<EigenerSpielstand>& vomServer)
{
    if (lokal && (!vomServer || lokal->wirtschaft.spieltag >= vomServer->wirtschaft.spieltag)) return &*lokal;
    return vomServer ? &*vomServer : nullptr;
}

void wiedereinstiegAnwenden(std::string_view antwort, Spielstand& spiel, Mehrspieler& mp,
                            const std::filesystem::path& kopie)
{
    const std::optional<EigenerSpielstand> lokal = lokaleKopie(kopie, spiel);
    const std::optional<EigenerSpielstand> vomServer = serverKopie(antwort, spiel);
    const EigenerSpielstand* teil = neuererTeil(lokal, vomServer);
    eigeneSchiffeUebernehmen(antwort, spiel, teil);
    if (teil) eigenenTeilUebernehmen(*teil, spiel, mp.senden.abkommenStand);
    // The own trade routes as the server keeps them go out again until the first day rebuilds
    // them: an empty list would end them for the co-players meanwhile.
    std::string wege;
    recordLesen(antwort, "s" + std::to_string(spiel.eigenerSpieler) + "hweg", wege);
    mp.handelswegText(spiel.eigenerSpieler) = wege;
    mp.handelNeuzeichnen = 1;
    // A colony founded after the part's day (or with no part at all) is not left at nothing:
    // it starts again as a new colony. The home planet has its start values already.
    Sternsysteme& s = spiel.systeme;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        if (s.besitzer(i) != spiel.eigenerSpieler || s.typ(i) == 42) continue;
        const bool imTeil = teil && std::any_of(teil->systeme.begin(), teil->systeme.end(),
                                                [i](const EigenesSystem& e) { return e.nummer == i; });
        if (!imTeil) kolonieStartwerte(s, i);
    }
}

}  // namespace qz
