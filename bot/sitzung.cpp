#include "bot/sitzung.hpp"
#include "multiplayer/exchange/kanal_liste_antwort.hpp"

#include "bot/farbwahl.hpp"
#include "bot/verluste.hpp"
#include "bot/strategy/lage.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/exchange/lobby_antwort.hpp"
#include "multiplayer/play/lobby_start.hpp"
#include "multiplayer/session/meldung.hpp"
#include "multiplayer/play/mp_simulation.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/exchange/spiel_anfrage.hpp"
#include "multiplayer/exchange/lobby_anfragen.hpp"
#include "systems/schiffswert.hpp"

#include <algorithm>
#include <utility>

namespace qz {

namespace {

// The version string the game sends with its channel requests.
constexpr const char* kVersion = "QZ0.10";
// A channel not found within this long is not coming.
constexpr double kSuchSekunden = 300.0;
// The sender of the server's own chat lines.
constexpr int kServerAbsender = 5;

}  // namespace

BotSitzung::BotSitzung(BotEinstellungen einstellungen, std::string passwort, Platform& platform, Serverdaten& server,
                       Protokoll protokoll)
    : e_(std::move(einstellungen)), passwort_(std::move(passwort)), platform_(platform), server_(server),
      protokoll_(std::move(protokoll)), start_(platform.timer())
{
    mp_.LoginName = e_.name;
}

bool BotSitzung::schritt()
{
    if (phase_ != BotPhase::ende && e_.minuten > 0.0 && platform_.timer() - start_ >= 60.0 * e_.minuten)
        beenden("the " + numberToText(static_cast<int>(e_.minuten)) + " minutes are over", false);
    switch (phase_) {
    case BotPhase::online: online(); break;
    case BotPhase::login: login(); break;
    case BotPhase::kanalSuche: kanalSuche(); break;
    case BotPhase::lobby: lobby(); break;
    case BotPhase::spiel: spielen(); break;
    case BotPhase::ende: break;
    }
    return phase_ != BotPhase::ende;
}

void BotSitzung::beenden(const std::string& grund, bool fehler)
{
    phase_ = BotPhase::ende;
    fehlgeschlagen_ = fehler;
    endeGrund_ = grund;
    protokoll_((fehler ? "error: " : "leaves: ") + grund);
}

std::string BotSitzung::antwortHolen()
{
    const std::string antwort = takeReply(server_);
    if (antwort.empty()) return {};
    const std::string fehler = fehlerMelden(antwort, mp_, platform_.timer());
    if (!fehler.empty()) protokoll_("server refused: " + fehler);
    return antwort;
}

void BotSitzung::online()
{
    const std::string antwort = antwortHolen();
    if (antwort.rfind("onlinecheck;;online", 0) == 0) {
        protokoll_("server online at " + serverAddressText(e_.server));
        phase_ = BotPhase::login;
        server_.Signalzeit = 0.0;
        return;
    }
    const double jetzt = platform_.timer();
    if (jetzt < server_.Signalzeit) return;
    server_.Signalzeit = jetzt + 5.0;
    postRequest(server_, [](Feld<KVP>& get, Feld<KVP>& post) {
        setzePaar(get, 1, "", "");
        setzePaar(post, 1, "infos", "onlinecheck");
    });
}

void BotSitzung::login()
{
    const std::string antwort = antwortHolen();
    if (antwort.rfind("loginok", 0) == 0) {
        protokoll_("logged in as " + e_.name);
        server_.Signalzeit = 0.0;
        if (e_.sitze > 0) {
            // As "Neues Spiel" and "Erstellen" set up the lobby of a new channel.
            spiel_.eigenerSpieler = 1;
            spiel_.spielLaeuft = 0;
            spiel_.Spieleranzahl = e_.sitze;
            spiel_.hintergrund = 1;
            spiel_.Sternanzahl = e_.sterne;
            mp_.SterneAngesagt = e_.sterne;
            mp_.KanalName = e_.kanal;
            mp_.KanalPasswort = e_.kanalPasswort;
            mp_.SpielerName(1) = mp_.LoginName;
            for (int n = 2; n <= 4; ++n) mp_.SpielerName(n) = n <= e_.sitze ? "Offen" : "Geschlossen";
            phase_ = BotPhase::lobby;
            protokoll_("creates channel " + e_.kanal + " with " + numberToText(e_.sitze) + " seats");
        } else {
            phase_ = BotPhase::kanalSuche;
            suchBeginn_ = platform_.timer();
        }
        return;
    }
    if (antwort.rfind("loginerror", 0) == 0) {
        beenden("the server refused the login of " + e_.name, true);
        return;
    }
    const double jetzt = platform_.timer();
    if (jetzt < server_.Signalzeit) return;
    server_.Signalzeit = jetzt + 5.0;
    postRequest(server_, [&](Feld<KVP>& get, Feld<KVP>& post) {
        anmeldungSchreiben(get, post, mp_.LoginName, passwort_);
    });
}

void BotSitzung::kanalSuche()
{
    const std::string antwort = antwortHolen();
    if (!antwort.empty() && kanalListeLesen(antwort, mp_)) {
        for (int k = 1; k <= mp_.KanalAnzahl; ++k) {
            if (!e_.sitzung.empty()) {
                if (mp_.KanalIds(k) != e_.sitzung) continue;
            } else {
                // The list marks a channel with a password by "*", never the password itself.
                const bool mitPasswort = mp_.KanalPasswoerter(k) == "*";
                if (mp_.KanalNamen(k) != e_.kanal || mitPasswort == e_.kanalPasswort.empty()) continue;
            }
            if (textToInt(mp_.KanalSpieler(k)) >= textToInt(mp_.KanalMaxSpieler(k))) continue;
            kanalBetreten(spiel_, mp_, k);
            phase_ = BotPhase::lobby;
            server_.Signalzeit = 0.0;
            protokoll_("joins channel " + mp_.KanalNamen(k) + " (session " + mp_.KanalIds(k) + ")");
            return;
        }
    }
    const double jetzt = platform_.timer();
    if (jetzt - suchBeginn_ >= kSuchSekunden) {
        beenden(e_.sitzung.empty() ? "no open channel " + e_.kanal + " with that password"
                                   : "no open channel of session " + e_.sitzung,
                true);
        return;
    }
    if (jetzt < server_.Signalzeit) return;
    server_.Signalzeit = jetzt + 2.0;
    postRequest(server_, [](Feld<KVP>& get, Feld<KVP>& post) {
        setzePaar(get, 1, "", "");
        setzePaar(post, 1, "infos", "channel_auflisten");
        setzePaar(post, 2, "i1", kVersion);
    });
}

void BotSitzung::lobby()
{
    const std::string antwort = takeReply(server_);
    if (!antwort.empty()) {
        const std::string fehler = fehlerMelden(antwort, mp_, platform_.timer());
        if (fehler == kUnbekannteSitzung) {
            beenden("the channel closed", false);
            return;
        }
        if (fehler.empty()) {
            const bool ohneSitzung = mp_.senden.SessionId.empty();
            lobbyAntwortAnwenden(antwort, spiel_, mp_);
            // Whoever adds a player to this channel names it by its session, not its name.
            if (ohneSitzung && !mp_.senden.SessionId.empty())
                protokoll_("channel " + e_.kanal + " has session " + mp_.senden.SessionId);
        } else {
            protokoll_("server refused: " + fehler);
        }
    }
    Spieler& sp = spiel_.spieler;
    const int eigen = spiel_.eigenerSpieler;
    mp_.senden.bereitAnzahl = 0;
    for (int n = 1; n <= std::min(spiel_.Spieleranzahl, 4); ++n) mp_.senden.bereitAnzahl += mp_.BereitFlag(n) == 1 ? 1 : 0;
    if (eigen == 1 && !mp_.startAusstehend && mp_.senden.bereitAnzahl == spiel_.Spieleranzahl) {
        // "Spiel Starten": every seat is taken and ready.
        mp_.startAusstehend = true;
        mp_.SternkarteBereit = 21;
        sternkarteErzeugen(platform_, spiel_, e_.kartenSeed ? static_cast<double>(*e_.kartenSeed) : platform_.timer());
        protokoll_("starts the game: " + numberToText(spiel_.Spieleranzahl) + " players, " +
                   numberToText(spiel_.Sternanzahl) + " systems");
    } else if (eigen > 0 && mp_.EigenesBereit == 0) {
        const int bestaetigt = sp.spielerFarbe(eigen, 0);
        if (bestaetigt > 0 && bestaetigt == mp_.GewaehlteFarbe) {
            mp_.EigenesBereit = 1;
            protokoll_("takes colour " + numberToText(bestaetigt) + " and is ready");
        } else if (const int farbe = farbeWaehlen(spiel_, eigen); farbe > 0) {
            // Chosen again while the server gives another.
            mp_.GewaehlteFarbe = farbe;
        }
    }
    lobbyAnfragen(platform_.timer(), spiel_, server_, mp_, kVersion);
    slotFarbenSetzen(spiel_);
    if (spiel_.spielLaeuft == 1 && eigen > 0) {
        spielstartWerte(spiel_);
        phase_ = BotPhase::spiel;
        spielBeginn_ = platform_.timer();
        protokoll_("the game begins; plays slot " + numberToText(eigen));
    }
}

std::string BotSitzung::lageBericht() const
{
    const int eigen = spiel_.eigenerSpieler;
    int systeme = 0, schiffe = 0;
    std::array<int, 9> proTyp{};
    for (int s = 1; s <= spiel_.Sternanzahl; ++s) systeme += spiel_.systeme.besitzer(s) == eigen ? 1 : 0;
    const SchiffSatz& satz = spiel_.saetze(eigen);
    for (int i = 1; i <= satz.anzahl; ++i) {
        const int typ = schiffWert(satz, kTyp, i);
        if (typ < 1 || typ > 8) continue;
        ++schiffe;
        ++proTyp[static_cast<std::size_t>(typ)];
    }
    std::string typen;
    for (int t = 1; t <= 8; ++t) typen += (t > 1 ? "/" : "") + numberToText(proTyp[static_cast<std::size_t>(t)]);
    std::string themen, feinde;
    for (int t = 1; t <= 12; ++t)
        if (spiel_.forschung.thema(t).aktiv == 1) themen += " " + numberToText(t);
    for (int p : gedaechtnis_.feinde) feinde += " " + numberToText(p);
    if (themen.empty()) themen = " nothing";
    if (feinde.empty()) feinde = " nobody";
    int abgelehnt = 0;
    for (int n : abgelehntNachArt_) abgelehnt += n;
    return "day " + numberToText(tage_) + ": " + numberToText(systeme) + " systems, " +
           numberToText(schiffe) + " ships, " + numberToText(spiel_.wirtschaft.geld) + " money, " +
           numberToText(befehle_) + " orders, " + numberToText(abgelehnt) + " refused; ships by type " + typen +
           ", drive level " + numberToText(spiel_.forschung.thema(3).stufe) + "; researching" + themen +
           "; at war with" + feinde;
}

bool BotSitzung::nichtsMehr() const
{
    const int eigen = spiel_.eigenerSpieler;
    for (int s = 1; s <= spiel_.Sternanzahl; ++s)
        if (spiel_.systeme.besitzer(s) == eigen) return false;
    const SchiffSatz& satz = spiel_.saetze(eigen);
    for (int i = 1; i <= satz.anzahl; ++i)
        if (schiffWert(satz, kTyp, i) > 0) return false;
    return true;
}

bool BotSitzung::alleLangeFort()
{
    // The server announces in the chat a player who stopped playing ("<name> hat die Verbindung
    // verloren") and one who is back ("<name> ist zurück"): that is all a person learns of a
    // co-player's going. One who only reads the help or builds nothing is still there.
    const Feld<std::string>& zeilen = mp_.senden.chatZeilen;
    const int paare = (mp_.senden.chatAnzahl + 1) / 2;
    const double jetzt = platform_.timer();
    bool alle = true;
    for (int p = 1; p <= std::min(spiel_.Spieleranzahl, 4); ++p) {
        if (p == spiel_.eigenerSpieler) continue;
        const std::string& name = mp_.SpielerName(p);
        int zuletzt = 0;  // 1 gone, -1 back, 0 not in the history
        for (int k = 0; k < paare && 2 * k + 1 <= zeilen.hi(); ++k) {
            if (textToInt(zeilen(2 * k)) != kServerAbsender) continue;
            const std::string& text = zeilen(2 * k + 1);
            if (text == name + " hat die Verbindung verloren") zuletzt = 1;
            else if (text == name + " ist zur\x81" "ck") zuletzt = -1;
        }
        // The history keeps its last lines only: a seat it no longer names keeps its state.
        double& seit = fortSeit_.at(static_cast<std::size_t>(p));
        if (zuletzt == 1 && seit < 0.0) seit = jetzt;
        if (zuletzt == -1) seit = -1.0;
        if (seit < 0.0 || jetzt - seit < e_.fortSekunden) alle = false;
    }
    return alle;
}

void BotSitzung::spielen()
{
    abdockenAnfordern(spiel_, haende_);
    // The game's pass, with the own ships in space looked at just before and after the reply:
    // what they lost is all the player sees of a battle's enemy.
    std::string antwort;
    mpTagUndSchiffe(platform_, spiel_, mp_);
    const std::map<int, Aufstellung> vorher = eigeneImRaum(spiel_);
    if (mpAustausch(platform_, spiel_, server_, mp_, &antwort) == AustauschErgebnis::sitzungVerloren) {
        beenden("the channel closed", false);
        return;
    }
    // A battle goes on with every reply while the fleets stand together: what the last one did
    // holds until the next.
    if (!antwort.empty()) verluste_ = verlusteZwischen(vorher, eigeneImRaum(spiel_));
    mpFlottenBewegen(platform_, spiel_, mp_);
    if (spiel_.wirtschaft.naechsterTag != letzterTag_) {
        // The day step moved the next day on: one more day settled.
        ++tage_;
        letzterTag_ = spiel_.wirtschaft.naechsterTag;
    }
    const double jetzt = platform_.timer();
    if (jetzt < naechsteEntscheidung_) return;
    naechsteEntscheidung_ = jetzt + kEntscheidungsTakt;
    if (tage_ > 0 && nichtsMehr()) {
        beenden("no system and no ship left", false);
        return;
    }
    if (jetzt >= naechsterBericht_) {
        naechsterBericht_ = jetzt + 60.0;
        protokoll_(lageBericht());
    }
    if (alleLangeFort()) {
        beenden("every other seat has been gone for 10 minutes", false);
        return;
    }
    // The orders name ships by the numbers of this view: they are carried out at once, before
    // the next pass joins the lists again.
    const Lage lage = lageErfassen(spiel_, mp_.senden.abkommenStand, jetzt - spielBeginn_, verluste_);
    for (const Entscheidung& e : entscheide(lage, e_.stufe, gedaechtnis_)) {
        if (!ausfuehren(e, spiel_, mp_, haende_)) {
            ++abgelehntNachArt_.at(e.index());
            continue;
        }
        ++befehle_;
        ++befehleNachArt_.at(e.index());
    }
}

}  // namespace qz
