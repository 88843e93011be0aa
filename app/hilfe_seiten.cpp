#include "app/hilfe_seiten.hpp"

#include "platform/uebersetzung.hpp"

#include <array>
#include <map>
#include <string_view>
#include <utility>

namespace qz {

namespace {

// A paragraph of a page, its German text in UTF-8 as the catalogue's message id. A heading gets
// an empty line above it, an item is drawn after "- " with its further lines indented, an
// important paragraph is highlighted. The marks stay out of the translated texts, so a
// translator writes only sentences.
struct Absatz {
    enum class Art { Text, Ueberschrift, Punkt, Wichtig, Leer };
    Art art;
    std::string_view deutsch;
};
using Absaetze = std::vector<Absatz>;

constexpr Absatz absatz(std::string_view d) { return {Absatz::Art::Text, d}; }
constexpr Absatz ueberschrift(std::string_view d) { return {Absatz::Art::Ueberschrift, d}; }
constexpr Absatz punkt(std::string_view d) { return {Absatz::Art::Punkt, d}; }
constexpr Absatz wichtig(std::string_view d) { return {Absatz::Art::Wichtig, d}; }
constexpr Absatz kLeer{Absatz::Art::Leer, {}};

// The first thing a new player must know, on the pages where a game begins.
constexpr Absatz kReichweite =
    // TRANSLATORS: the F1 help pages. A quoted name is what a button or label shows: write it as this
    // catalogue translates that button. The lines are wrapped to the panel by the game.
    wichtig(trMark("Auf den meisten Karten liegt zu Beginn kein anderes System in Reichweite deiner Schiffe: eine Flotte fliegt "
    "nur zu Systemen, die näher als 100 + 5 x Stufe von \"Triebwerk Perfektion\" Pixel liegen. Schalte diese "
    "Forschung als Erstes ein: Heimatplaneten anklicken, Reiter \"Forschung\", Kategorie "
    "\"Schiffsverbesserungen\", Schalter links neben \"Triebwerk Perfektion\"."));

const Absaetze kHauptmenue{
    absatz(trMark("QZ ist ein Echtzeit-Strategiespiel im Weltraum: vom Heimatplaneten aus Planeten besiedeln, Schiffe bauen, "
    "Flotten fliegen lassen, forschen und Handel treiben.")),
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("\"Sandkasten\": allein auf einer neuen Sternkarte, das Spiel lässt sich in drei Plätzen speichern; im "
    "Sandkasten-Menü auch \"Gegen den Computer\": ein bis drei Computerspieler als Gegner, auf diesem Rechner.")),
    punkt(trMark("\"Mehrspieler\": mit bis zu drei anderen Spielern über den zentralen Server.")),
    punkt(trMark("\"Option\": Lautstärke von Musik und Effekten.")),
    punkt(trMark("\"Credits\": wer und was QZ möglich gemacht hat.")),
    punkt(trMark("\"Beenden\": das Spiel schließen.")),
    punkt(trMark("F11 oder Alt+Eingabe wechselt zwischen Fenster und Vollbild.")),
    punkt(trMark("F1 zeigt auf jedem Bildschirm dessen Hilfe, F1 oder Esc schließt sie wieder.")),
    kLeer,
    ueberschrift(trMark("Für den Anfang")),
    absatz(trMark("Beginne im Sandkasten: \"Neues Spiel\", Sternanzahl und Farbe wählen, \"Spiel Starten\". Auf der Sternkarte "
    "erklärt F1 die Regeln.")),
    kLeer,
    kReichweite,
};

const Absaetze kOptionen{
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("Die Pfeile links und rechts neben \"Musik Lautstärke\" und \"Effekt Lautstärke\" senken und heben die "
    "Lautstärke; ganz links heißt \"Aus\".")),
    punkt(trMark("\"Zurück\" führt zum Menü, aus dem die Optionen geöffnet wurden.")),
    punkt(trMark("F11 oder Alt+Eingabe wechselt zwischen Fenster und Vollbild.")),
};

const Absaetze kCredits{
    absatz(trMark("Die Seiten wechseln von selbst.")),
    kLeer,
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("\"Zurück\" führt zum Hauptmenü.")),
};

const Absaetze kSandkastenMenue{
    absatz(trMark("Solange das Menü offen ist, ruht das Spiel: kein Tag vergeht, keine Flotte fliegt.")),
    kLeer,
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("\"Neues Spiel\": Sternanzahl (50 bis 200) und Spielerfarbe mit den Pfeilen wählen, dann \"Spiel Starten\". "
    "Ein laufendes Spiel wird dabei sofort verworfen.")),
    punkt(trMark("\"Spiel Laden\" und \"Spiel Speichern\": drei Speicherplätze; wer über einen belegten Platz speichert, wird "
    "vorher gefragt.")),
    punkt(trMark("\"Option\": Lautstärken.")),
    punkt(trMark("\"Zum Spiel\": zurück zur Karte (auch Esc auf der Karte öffnet dieses Menü).")),
    punkt(trMark("\"Gegen den Computer\" (solange kein Spiel läuft): ein Mehrspieler-Spiel gegen einen bis drei "
    "Computerspieler auf einem Server nur für dich, auf diesem Rechner; F1 dort erklärt die Wahl.")),
    punkt(trMark("\"Spiel Beenden\" und \"Zum Hauptmenü\": zurück zum Hauptmenü, nach einer Rückfrage; ungespeichertes geht "
    "verloren.")),
    kLeer,
    ueberschrift(trMark("Für den Anfang")),
    kReichweite,
    absatz(trMark("Die Karte ist immer gleich groß: je mehr Sterne, desto dichter liegen sie, und desto eher ist früh ein "
    "Nachbar in Reichweite.")),
};

const Absaetze kGegenComputer{
    absatz(trMark("Ein Mehrspieler-Spiel gegen Computerspieler auf einem Server nur für dich, auf diesem Rechner.")),
    kLeer,
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("\"Computerspieler\": ihre Anzahl, eins bis drei, mit den Pfeilen.")),
    punkt(trMark("\"Stufe\": darunter ein Feld je Computerspieler; ein Klick wechselt seine Stufe Leicht, Mittel, Schwer. "
    "So kann ein schwerer neben einem leichten spielen.")),
    punkt(trMark("\"Spiel Starten\": der Server startet, der Kanal öffnet sich, die Computerspieler nehmen Platz. Wer den "
    "Kanal oder das Spiel verlässt, beendet sie und den Server.")),
    punkt(trMark("\"Zurück\" führt zum Sandkasten-Menü.")),
    kLeer,
    ueberschrift(trMark("Für den Anfang")),
    kReichweite,
};

const Absaetze kZuerst{kReichweite};

// Shared by the sandbox and the multiplayer map: the rules of a day.
const Absaetze kKarteRegeln{
    ueberschrift(trMark("Ein Tag dauert 5 Sekunden")),
    absatz(trMark("Dann wachsen deine Planeten bis zu ihren Höchstwerten, Werften bauen, die Forschung steigt und der Handel "
    "zahlt. Unten rechts stehen Geld (G) und Vorrat (V) mit dem Ertrag des letzten Tages.")),
    punkt(trMark("Geld: jedes eigene System bringt täglich so viele G, wie es Einwohner hat (dazu die halbe Stufe von "
    "\"Biosphäre Forschung\"), jeder Forschungspunkt der Planeten kostet 1 G, jedes an einen Handelsposten "
    "angeschlossene System bringt 20 G. Schiffe kosten nur beim Bau, nicht im Unterhalt.")),
    punkt(trMark("Vorrat: wächst um die Versorgung und sinkt um die Einwohner deiner Systeme. Er wird nur angezeigt; auch "
    "ein negativer Vorrat schadet nicht.")),
    punkt(trMark("Forschung: die Punkte eines Tages (Forschung der Planeten, dazu 0,15 Punkte je G des Forschungsetats) "
    "werden gleichmäßig auf die eingeschalteten Gebiete verteilt. Ein Gebiet der Stufe L steigt, sobald sein "
    "Fortschritt Kosten x L übersteigt. Ohne eingeschaltetes Gebiet verfallen die Punkte, die Kosten bleiben.")),
    punkt(trMark("Besiedeln: ein Kolonisierungsschiff, das an einem freien, von dir erkundeten System steht, besiedelt es "
    "(\"Kolonisieren\") und wird verbraucht. Es kostet 380 G und 15 Einwohner; nur ein System mit mindestens 17 "
    "Einwohnern kann es bauen. Jede Ankunft einer Flotte erkundet ihr Ziel.")),
    ueberschrift(trMark("Schiffe")),
    punkt(trMark("Typ 1, Kolonisierungsschiff (380 G): besiedelt einen Planeten.")),
    punkt(trMark("Typ 2 bis 6 (620 bis 1590 G): Kriegsschiffe, je größer desto stärker (Schild 150 bis 350, Feuerkraft 40 "
    "bis 100).")),
    punkt(trMark("Typ 7, schweres Schlachtschiff (3500 G): das einzige Schiff, das Planeten angreifen kann.")),
    punkt(trMark("Typ 8 (4900 G): das stärkste Kriegsschiff (Schild 500, Feuerkraft 190).")),
};

const Absaetze kKarteBedienung{
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("W A S D, Pfeiltasten oder die Maus am Rand verschieben die Karte; H holt den Heimatplaneten in die Mitte.")),
    punkt(trMark("Linksklick auf ein eigenes oder erkundetes System (weißer Punkt) öffnet es; graue Punkte sind unerkundet.")),
    punkt(trMark("Linksklick auf eine Flotte wählt sie, der graue Kreis zeigt ihre Reichweite; ein Klick auf ein System im "
    "Kreis schickt sie hin, Rechtsklick hebt die Wahl auf. Mehrere Flotten an einem Ort: Liste am Rand oder "
    "Mausrad. \"Andocken\" bringt die gewählte Flotte in den Hangar des eigenen Systems, an dem sie steht.")),
};

const Absaetze kSternsystem{
    kReichweite,
    ueberschrift(trMark("Eigenes System")),
    absatz(trMark("Die Pfeile oben, A und D oder die Pfeiltasten links und rechts wechseln den Reiter; Rechtsklick schließt.")),
    punkt(trMark("1 Übersicht: Einwohner, Versorgung, Forschung, Handel und Werft mit ihren Höchstwerten.")),
    punkt(trMark("2 Statistik: \"Handelsposten +35\" macht das System (nicht den Heimatplaneten) kostenlos und für immer zum "
    "Handelsposten: jedes eigene System in seiner Reichweite (Handel + Stufe von \"Handelsmarkt\") bringt dann "
    "täglich 20 G. Darunter Planetarer Schild und Befestigung.")),
    punkt(trMark("3 Forschung: drei Kategorien; der Schalter links in jeder Zeile schaltet ein Gebiet ein und aus. Der "
    "Forschungsetat (- und +) zweigt einen Anteil des Tagesertrags für Forschung ab.")),
    punkt(trMark("4 Schiffbau: der Knopf rechts öffnet den Katalog, die Maus über einem Schiff zeigt seine Werte, ein Klick "
    "bestellt es, wenn das Geld reicht. Höchstens drei Aufträge; die Werft teilt ihre Leistung auf sie auf.")),
    punkt(trMark("5 Hangar: hier warten neue Schiffe. Ein Schiff anklicken, \"Flotte erstellen\", weitere Schiffe anklicken; "
    "\"Flotte abdocken\" stellt die Flotte neben das System. \"Flotte löschen\" löst sie auf, Rechtsklick hebt die "
    "Wahl auf.")),
    ueberschrift(trMark("Fremdes System")),
    absatz(trMark("Zeigt den Planeten und seine Grundwerte; Rechtsklick schließt. Steht ein Kolonisierungsschiff hier: "
    "\"Kolonisieren\". Im Mehrspieler bei Systemen anderer Spieler: \"Angreifen\" und \"Feuer Einstellen\" mit "
    "schweren Schlachtschiffen, \"Handel Anbieten\" und \"Handel Abbrechen\".")),
};

const Absaetze kMehrspielerLogin{
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("\"Verbindungsaufbau\": der Server wird gesucht. Erst bei \"Server Online\" erscheinen die Felder.")),
    punkt(trMark("\"Server\": Name oder Adresse des Servers, auf Wunsch mit \":Port\" (IPv6 in eckigen Klammern, etwa "
    "[::1]:8080). Enter oder ein Klick daneben übernimmt ihn, leer gilt der eingebaute. Rot \"Server nicht "
    "erreichbar\": dort antwortet keiner.")),
    punkt(trMark("Feld anklicken und tippen: Benutzername und Passwort, dann \"Login\". Ein neuer Name wird beim ersten "
    "Login angelegt, sofern der Server das erlaubt.")),
    punkt(trMark("\"Zurück\" führt zum Hauptmenü.")),
};

const Absaetze kMehrspielerMenue{
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("\"Neues Spiel\": einen Kanal eröffnen; Spieleranzahl (2 bis 4) mit den Pfeilen, Kanalname und auf Wunsch "
    "ein Passwort, dann \"Erstellen\".")),
    punkt(trMark("\"Serverliste\": die offenen Kanäle; \"Aktualisieren\", einen Kanal anklicken, \"Beitreten\".")),
    punkt(trMark("\"Aufzeichnungen\": die beendeten Spiele, die der Server aufgezeichnet hat; eines anklicken lädt und "
    "spielt es ab, \"Zurück\" in der Wiedergabe führt zur Liste.")),
    punkt(trMark("\"Spiel Laden\" bleibt ohne Wirkung: ein Mehrspieler-Spiel liegt auf dem Server.")),
    punkt(trMark("\"Zum Hauptmenü\" führt nach einer Rückfrage zum Hauptmenü; \"Zurück\" auf den Unterseiten hierher.")),
};

const Absaetze kSpielMenue{
    absatz(trMark("Die anderen spielen weiter, also auch dein Spiel: Tage vergehen, Flotten fliegen und der Austausch mit dem "
    "Server geht weiter, solange dieses Menü, die Optionen oder eine Hilfe offen sind.")),
    kLeer,
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("\"Zum Spiel\": zurück zur Karte.")),
    punkt(trMark("\"Option\": Lautstärken.")),
    punkt(trMark("\"Neues Spiel\": nach einer Rückfrage (\"Ja\") verlässt es dieses Spiel und eröffnet einen neuen Kanal, "
    "gegen den Computer ein neues Spiel gegen den Computer.")),
    punkt(trMark("\"Spiel Beenden\": nach einer Rückfrage (\"Ja\") verlässt es das Spiel und führt zum Hauptmenü.")),
    punkt(trMark("\"Spiel Laden\" und \"Spiel Speichern\" bleiben ohne Wirkung: ein Mehrspieler-Spiel liegt auf dem Server, "
    "der es auch nach einem Neustart weiterführt.")),
};

const Absaetze kLobby{
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("\"Spielerfarbe\": eine der acht Farben darunter anklicken; eine Farbe, die ein anderer schon hat, wird "
    "abgelehnt.")),
    punkt(trMark("\"Bereit\": sobald eine Farbe gewählt ist.")),
    punkt(trMark("\"Sternanzahl\" und \"Spiel Starten\": wer den Kanal eröffnet hat, wählt die Sternanzahl und startet, "
    "sobald alle bereit sind.")),
    punkt(trMark("Für einen freien Platz startet \"Computer hinzufügen\" einen Computerspieler auf deinem Rechner, in der "
    "Stufe daneben (anklicken wechselt sie); sitzt er, steht seine Stufe grau neben ihm. Er endet, wenn du den "
    "Kanal oder das Spiel verlässt.")),
    punkt(trMark("\"Zurück\" führt zum Mehrspieler-Menü, in einem Spiel gegen den Computer zum Sandkasten-Menü.")),
    kLeer,
    ueberschrift(trMark("Für den Anfang")),
    kReichweite,
};

const Absaetze kMehrspielerRegeln{
    ueberschrift(trMark("Mehrspieler")),
    punkt(trMark("Alle 2 Sekunden tauscht das Spiel seinen Stand mit dem Server aus. Flotten verschiedener Spieler am "
    "selben System kämpfen dabei von selbst: jeder Gegner verteilt seine "
    "Feuerkraft gleichmäßig auf deine beteiligten Schiffe, der Schild fängt zuerst ab, dann trifft es den Rumpf.")),
    punkt(trMark("Schwere Schlachtschiffe an einem fremden System: \"Angreifen\" im geöffneten System; jedes Schiff nimmt "
    "dem Planeten 25 Schild oder Befestigung je Austausch.")),
    punkt(trMark("Chat: Enter oder Klick ins Feld unten, Enter sendet, Rechtsklick bricht ab. Esc: Menü, das Spiel läuft weiter.")),
};

const Absaetze kWiedergabe{
    absatz(trMark("Eine Aufnahme zeigt ein Mehrspieler-Spiel so, wie seine Spieler es gesehen haben: jedes System mit dem Ring "
    "in der Farbe seines Besitzers, die Flotten aller Spieler und den Chat. Hier gibt es keine Befehle.")),
    kLeer,
    ueberschrift(trMark("Bedienung")),
    punkt(trMark("\"Abspielen\" und \"Pause\" (auch die Leertaste) lassen die Aufnahme laufen oder halten sie an; am Ende "
    "beginnt \"Abspielen\" von vorn.")),
    punkt(trMark("1x, 4x, 16x und 64x: so viel schneller als im Spiel vergeht die Zeit.")),
    punkt(trMark("Ein Klick auf die Zeitleiste springt zu diesem Tag; bei gehaltener Maustaste folgt die Aufnahme dem Zeiger.")),
    punkt(trMark("W, A, S, D und die Pfeiltasten verschieben die Karte.")),
    punkt(trMark("\"Zurück\" oder Esc beendet die Aufnahme und führt zum Hauptmenü.")),
};

const Absaetze kSandkastenHinweis{
    punkt(trMark("Esc öffnet das Menü (Speichern, Laden, Optionen); solange es offen ist, ruht das Spiel.")),
};

// The characters of UTF-8 text (code points), as the font draws each in one cell.
std::size_t zeichen(std::string_view utf8)
{
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++n) naechstesZeichen(utf8, pos);
    return n;
}

// Paragraphs in the language shown to lines of at most kHilfeSpalten characters, broken at spaces.
std::vector<HilfeZeile> umbrechen(const std::vector<const Absaetze*>& teile)
{
    std::vector<HilfeZeile> zeilen;
    for (const Absaetze* absaetze : teile) {
        for (const Absatz& absatz : *absaetze) {
            if (absatz.art == Absatz::Art::Leer) {
                zeilen.push_back({});
                continue;
            }
            // The id is the German text as the font draws it; a character it lacks was never written.
            const std::string& uebersetzt = tr(alsCp437(absatz.deutsch)).utf8;
            if (absatz.art == Absatz::Art::Ueberschrift) {
                if (!zeilen.empty() && !zeilen.back().text.utf8.empty()) zeilen.push_back({});
                zeilen.push_back({Text{uebersetzt}, HilfeZeile::Art::Ueberschrift});
                continue;
            }
            const bool item = absatz.art == Absatz::Art::Punkt;
            const std::string text = item ? "- " + uebersetzt : uebersetzt;
            const HilfeZeile::Art art = absatz.art == Absatz::Art::Wichtig ? HilfeZeile::Art::Wichtig : HilfeZeile::Art::Text;
            const std::string einzug = item ? "  " : "";
            std::string zeile;
            std::size_t laenge = 0, pos = 0;
            while (pos < text.size()) {
                const std::size_t ende = std::min(text.find(' ', pos), text.size());
                const std::string wort = text.substr(pos, ende - pos);
                const std::size_t wortLaenge = zeichen(wort);
                if (!zeile.empty() && laenge + 1 + wortLaenge > static_cast<std::size_t>(kHilfeSpalten)) {
                    zeilen.push_back({Text{zeile}, art});
                    zeile = einzug + wort;
                    laenge = einzug.size() + wortLaenge;
                } else {
                    laenge += (zeile.empty() ? 0 : 1) + wortLaenge;
                    zeile += (zeile.empty() ? "" : " ") + wort;
                }
                pos = ende + 1;
            }
            zeilen.push_back({Text{zeile}, art});
        }
    }
    return zeilen;
}

std::vector<const Absaetze*> teileVon(HilfeSeite seite)
{
    switch (seite) {
    case HilfeSeite::Hauptmenue: return {&kHauptmenue};
    case HilfeSeite::Optionen: return {&kOptionen};
    case HilfeSeite::Credits: return {&kCredits};
    case HilfeSeite::SandkastenMenue: return {&kSandkastenMenue};
    case HilfeSeite::Sternkarte: return {&kZuerst, &kKarteBedienung, &kSandkastenHinweis, &kKarteRegeln};
    case HilfeSeite::Sternsystem: return {&kSternsystem};
    case HilfeSeite::MehrspielerLogin: return {&kMehrspielerLogin};
    case HilfeSeite::MehrspielerMenue: return {&kMehrspielerMenue};
    case HilfeSeite::SpielMenue: return {&kSpielMenue};
    case HilfeSeite::GegenComputer: return {&kGegenComputer};
    case HilfeSeite::Lobby: return {&kLobby};
    case HilfeSeite::MehrspielerKarte: return {&kZuerst, &kKarteBedienung, &kMehrspielerRegeln, &kKarteRegeln};
    case HilfeSeite::Wiedergabe: return {&kWiedergabe};
    }
    return {};
}

}  // namespace

HilfeSeite hilfeSeiteFuer(const Rahmen& r, const Spielstand& spiel)
{
    const std::string& u = r.Unterzustand;
    if (r.Programmzustand == "option" || u == "option") return HilfeSeite::Optionen;
    if (r.Programmzustand == "credits") return HilfeSeite::Credits;
    if (r.Programmzustand == "wiedergabe" || (r.Programmzustand == "multiplayer" && u == "aufzeichnung"))
        return HilfeSeite::Wiedergabe;
    const bool karte = u.empty() && spiel.spielLaeuft == 1;
    if (r.Programmzustand == "sandkasten") {
        if (!karte) return HilfeSeite::SandkastenMenue;
        return spiel.gewaehltesSystem > 0 ? HilfeSeite::Sternsystem : HilfeSeite::Sternkarte;
    }
    if (r.Programmzustand == "multiplayer") {
        if (u == "login") return HilfeSeite::MehrspielerLogin;
        if (u == "computer") return HilfeSeite::GegenComputer;
        if (u == "channel") return HilfeSeite::Lobby;
        if (!karte) return spiel.spielLaeuft == 1 ? HilfeSeite::SpielMenue : HilfeSeite::MehrspielerMenue;
        return spiel.gewaehltesSystem > 0 ? HilfeSeite::Sternsystem : HilfeSeite::MehrspielerKarte;
    }
    return HilfeSeite::Hauptmenue;
}

const Text& hilfeTitel(HilfeSeite seite)
{
    switch (seite) {
    case HilfeSeite::Hauptmenue: return tr("Hilfe: Hauptmen\x81");
    case HilfeSeite::Optionen: return tr("Hilfe: Optionen");
    case HilfeSeite::Credits: return tr("Hilfe: Credits");
    case HilfeSeite::SandkastenMenue: return tr("Hilfe: Sandkasten-Men\x81");
    case HilfeSeite::Sternkarte: return tr("Hilfe: Sternkarte");
    case HilfeSeite::Sternsystem: return tr("Hilfe: Sternsystem");
    case HilfeSeite::MehrspielerLogin: return tr("Hilfe: Mehrspieler-Anmeldung");
    case HilfeSeite::MehrspielerMenue: return tr("Hilfe: Mehrspieler-Men\x81");
    case HilfeSeite::SpielMenue: return tr("Hilfe: Men\x81 im Mehrspieler-Spiel");
    case HilfeSeite::GegenComputer: return tr("Hilfe: Gegen den Computer");
    case HilfeSeite::Lobby: return tr("Hilfe: Kanal");
    case HilfeSeite::MehrspielerKarte: return tr("Hilfe: Sternkarte im Mehrspieler");
    case HilfeSeite::Wiedergabe: return tr("Hilfe: Aufnahme");
    }
    return tr("Hilfe");
}

const std::vector<HilfeZeile>& hilfeText(HilfeSeite seite)
{
    // Built once per page and language: the text only changes with the language.
    static std::map<HilfeSeite, std::vector<HilfeZeile>> seiten;
    static unsigned generation = sprachGeneration();
    if (generation != sprachGeneration()) {
        seiten.clear();
        generation = sprachGeneration();
    }
    auto it = seiten.find(seite);
    if (it == seiten.end()) it = seiten.emplace(seite, umbrechen(teileVon(seite))).first;
    return it->second;
}

std::string alsCp437(std::string_view utf8)
{
    static const std::array<std::pair<char32_t, char>, 12> kZeichen{{
        {U'ä', '\x84'}, {U'ö', '\x94'}, {U'ü', '\x81'}, {U'Ä', '\x8E'}, {U'Ö', '\x99'}, {U'Ü', '\x9A'},
        {U'ß', '\xE1'}, {U'×', 'x'}, {U'·', '\xFA'}, {U'≥', '\xF2'}, {U'≤', '\xF3'}, {U'–', '-'},
    }};
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        const int laenge = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        char32_t c = b & (laenge == 2 ? 0x1F : laenge == 3 ? 0x0F : 0x07);
        for (int k = 1; k < laenge && i + k < utf8.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += laenge;
        char ersatz = '?';
        for (const auto& [zeichen, cp437] : kZeichen) {
            if (zeichen == c) ersatz = cp437;
        }
        out += ersatz;
    }
    return out;
}

}  // namespace qz
