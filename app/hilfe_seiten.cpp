#include "app/hilfe_seiten.hpp"

#include <array>
#include <map>
#include <utility>

namespace qz {

namespace {

// Paragraphs of a page: "= " starts a heading, "- " an item whose further lines are indented,
// "! " a paragraph drawn highlighted, "" is an empty line.
using Absaetze = std::vector<const char*>;

// The first thing a new player must know, on the pages where a game begins.
constexpr const char* kReichweite =
    "! Auf den meisten Karten liegt zu Beginn kein anderes System in Reichweite deiner Schiffe: eine Flotte fliegt "
    "nur zu Systemen, die näher als 100 + 5 × Stufe von \"Triebwerk Perfektion\" Pixel liegen. Schalte diese "
    "Forschung als Erstes ein: Heimatplaneten anklicken, Reiter \"Forschung\", Kategorie "
    "\"Schiffsverbesserungen\", Schalter links neben \"Triebwerk Perfektion\".";

const Absaetze kHauptmenue{
    "QZ ist ein Echtzeit-Strategiespiel im Weltraum: vom Heimatplaneten aus Planeten besiedeln, Schiffe bauen, "
    "Flotten fliegen lassen, forschen und Handel treiben.",
    "= Bedienung",
    "- \"Sandkasten\": allein auf einer neuen Sternkarte, das Spiel lässt sich in drei Plätzen speichern; im "
    "Sandkasten-Menü auch \"Gegen den Computer\": ein bis drei Computerspieler als Gegner, auf diesem Rechner.",
    "- \"Mehrspieler\": mit bis zu drei anderen Spielern über den zentralen Server.",
    "- \"Option\": Lautstärke von Musik und Effekten.",
    "- \"Credits\": wer und was QZ möglich gemacht hat.",
    "- \"Beenden\": das Spiel schließen.",
    "- F11 oder Alt+Eingabe wechselt zwischen Fenster und Vollbild.",
    "- F1 zeigt auf jedem Bildschirm dessen Hilfe, F1 oder Esc schließt sie wieder.",
    "",
    "= Für den Anfang",
    "Beginne im Sandkasten: \"Neues Spiel\", Sternanzahl und Farbe wählen, \"Spiel Starten\". Auf der Sternkarte "
    "erklärt F1 die Regeln.",
    "",
    kReichweite,
};

const Absaetze kOptionen{
    "= Bedienung",
    "- Die Pfeile links und rechts neben \"Musik Lautstärke\" und \"Effekt Lautstärke\" senken und heben die "
    "Lautstärke; ganz links heißt \"Aus\".",
    "- \"Zurück\" führt zum Menü, aus dem die Optionen geöffnet wurden.",
    "- F11 oder Alt+Eingabe wechselt zwischen Fenster und Vollbild.",
};

const Absaetze kCredits{
    "Die Seiten wechseln von selbst.",
    "",
    "= Bedienung",
    "- \"Zurück\" führt zum Hauptmenü.",
};

const Absaetze kSandkastenMenue{
    "Solange das Menü offen ist, ruht das Spiel: kein Tag vergeht, keine Flotte fliegt.",
    "",
    "= Bedienung",
    "- \"Neues Spiel\": Sternanzahl (50 bis 200) und Spielerfarbe mit den Pfeilen wählen, dann \"Spiel Starten\". "
    "Ein laufendes Spiel wird dabei sofort verworfen.",
    "- \"Spiel Laden\" und \"Spiel Speichern\": drei Speicherplätze; wer über einen belegten Platz speichert, wird "
    "vorher gefragt.",
    "- \"Option\": Lautstärken.",
    "- \"Zum Spiel\": zurück zur Karte (auch Esc auf der Karte öffnet dieses Menü).",
    "- \"Gegen den Computer\" (solange kein Spiel läuft): ein Mehrspieler-Spiel gegen einen bis drei "
    "Computerspieler auf einem Server nur für dich, auf diesem Rechner; F1 dort erklärt die Wahl.",
    "- \"Spiel Beenden\" und \"Zum Hauptmenü\": zurück zum Hauptmenü, nach einer Rückfrage; ungespeichertes geht "
    "verloren.",
    "",
    "= Für den Anfang",
    kReichweite,
    "Die Karte ist immer gleich groß: je mehr Sterne, desto dichter liegen sie, und desto eher ist früh ein "
    "Nachbar in Reichweite.",
};

const Absaetze kGegenComputer{
    "Ein Mehrspieler-Spiel gegen Computerspieler auf einem Server nur für dich, auf diesem Rechner.",
    "",
    "= Bedienung",
    "- \"Computerspieler\": ihre Anzahl, eins bis drei, mit den Pfeilen.",
    "- \"Stufe\": darunter ein Feld je Computerspieler; ein Klick wechselt seine Stufe Leicht, Mittel, Schwer. "
    "So kann ein schwerer neben einem leichten spielen.",
    "- \"Spiel Starten\": der Server startet, der Kanal öffnet sich, die Computerspieler nehmen Platz. Wer den "
    "Kanal oder das Spiel verlässt, beendet sie und den Server.",
    "- \"Zurück\" führt zum Sandkasten-Menü.",
    "",
    "= Für den Anfang",
    kReichweite,
};

const Absaetze kZuerst{kReichweite};

// Shared by the sandbox and the multiplayer map: the rules of a day.
const Absaetze kKarteRegeln{
    "= Ein Tag dauert 5 Sekunden",
    "Dann wachsen deine Planeten bis zu ihren Höchstwerten, Werften bauen, die Forschung steigt und der Handel "
    "zahlt. Unten rechts stehen Geld (G) und Vorrat (V) mit dem Ertrag des letzten Tages.",
    "- Geld: jedes eigene System bringt täglich so viele G, wie es Einwohner hat (dazu die halbe Stufe von "
    "\"Biosphäre Forschung\"), jeder Forschungspunkt der Planeten kostet 1 G, jedes an einen Handelsposten "
    "angeschlossene System bringt 20 G. Schiffe kosten nur beim Bau, nicht im Unterhalt.",
    "- Vorrat: wächst um die Versorgung und sinkt um die Einwohner deiner Systeme. Er wird nur angezeigt; auch "
    "ein negativer Vorrat schadet nicht.",
    "- Forschung: die Punkte eines Tages (Forschung der Planeten, dazu 0,15 Punkte je G des Forschungsetats) "
    "werden gleichmäßig auf die eingeschalteten Gebiete verteilt. Ein Gebiet der Stufe L steigt, sobald sein "
    "Fortschritt Kosten × L übersteigt. Ohne eingeschaltetes Gebiet verfallen die Punkte, die Kosten bleiben.",
    "- Besiedeln: ein Kolonisierungsschiff, das an einem freien, von dir erkundeten System steht, besiedelt es "
    "(\"Kolonisieren\") und wird verbraucht. Es kostet 380 G und 15 Einwohner; nur ein System mit mindestens 17 "
    "Einwohnern kann es bauen. Jede Ankunft einer Flotte erkundet ihr Ziel.",
    "= Schiffe",
    "- Typ 1, Kolonisierungsschiff (380 G): besiedelt einen Planeten.",
    "- Typ 2 bis 6 (620 bis 1590 G): Kriegsschiffe, je größer desto stärker (Schild 150 bis 350, Feuerkraft 40 "
    "bis 100).",
    "- Typ 7, schweres Schlachtschiff (3500 G): das einzige Schiff, das Planeten angreifen kann.",
    "- Typ 8 (4900 G): das stärkste Kriegsschiff (Schild 500, Feuerkraft 190).",
};

const Absaetze kKarteBedienung{
    "= Bedienung",
    "- W A S D, Pfeiltasten oder die Maus am Rand verschieben die Karte; H holt den Heimatplaneten in die Mitte.",
    "- Linksklick auf ein eigenes oder erkundetes System (weißer Punkt) öffnet es; graue Punkte sind unerkundet.",
    "- Linksklick auf eine Flotte wählt sie, der graue Kreis zeigt ihre Reichweite; ein Klick auf ein System im "
    "Kreis schickt sie hin, Rechtsklick hebt die Wahl auf. Mehrere Flotten an einem Ort: Liste am Rand oder "
    "Mausrad. \"Andocken\" bringt die gewählte Flotte in den Hangar des eigenen Systems, an dem sie steht.",
};

const Absaetze kSternsystem{
    kReichweite,
    "= Eigenes System",
    "Die Pfeile oben, A und D oder die Pfeiltasten links und rechts wechseln den Reiter; Rechtsklick schließt.",
    "- 1 Übersicht: Einwohner, Versorgung, Forschung, Handel und Werft mit ihren Höchstwerten.",
    "- 2 Statistik: \"Handelsposten +35\" macht das System (nicht den Heimatplaneten) kostenlos und für immer zum "
    "Handelsposten: jedes eigene System in seiner Reichweite (Handel + Stufe von \"Handelsmarkt\") bringt dann "
    "täglich 20 G. Darunter Planetarer Schild und Befestigung.",
    "- 3 Forschung: drei Kategorien; der Schalter links in jeder Zeile schaltet ein Gebiet ein und aus. Der "
    "Forschungsetat (- und +) zweigt einen Anteil des Tagesertrags für Forschung ab.",
    "- 4 Schiffbau: der Knopf rechts öffnet den Katalog, die Maus über einem Schiff zeigt seine Werte, ein Klick "
    "bestellt es, wenn das Geld reicht. Höchstens drei Aufträge; die Werft teilt ihre Leistung auf sie auf.",
    "- 5 Hangar: hier warten neue Schiffe. Ein Schiff anklicken, \"Flotte erstellen\", weitere Schiffe anklicken; "
    "\"Flotte abdocken\" stellt die Flotte neben das System. \"Flotte löschen\" löst sie auf, Rechtsklick hebt die "
    "Wahl auf.",
    "= Fremdes System",
    "Zeigt den Planeten und seine Grundwerte; Rechtsklick schließt. Steht ein Kolonisierungsschiff hier: "
    "\"Kolonisieren\". Im Mehrspieler bei Systemen anderer Spieler: \"Angreifen\" und \"Feuer Einstellen\" mit "
    "schweren Schlachtschiffen, \"Handel Anbieten\" und \"Handel Abbrechen\".",
};

const Absaetze kMehrspielerLogin{
    "= Bedienung",
    "- \"Verbindungsaufbau\": der Server wird gesucht. Erst bei \"Server Online\" erscheinen die Felder.",
    "- \"Server\": Name oder Adresse des Servers, auf Wunsch mit \":Port\" (IPv6 in eckigen Klammern, etwa "
    "[::1]:8080). Enter oder ein Klick daneben übernimmt ihn, leer gilt der eingebaute. Rot \"Server nicht "
    "erreichbar\": dort antwortet keiner.",
    "- Feld anklicken und tippen: Benutzername und Passwort, dann \"Login\". Ein neuer Name wird beim ersten "
    "Login angelegt, sofern der Server das erlaubt.",
    "- \"Zurück\" führt zum Hauptmenü.",
};

const Absaetze kMehrspielerMenue{
    "= Bedienung",
    "- \"Neues Spiel\": einen Kanal eröffnen; Spieleranzahl (2 bis 4) mit den Pfeilen, Kanalname und auf Wunsch "
    "ein Passwort, dann \"Erstellen\".",
    "- \"Serverliste\": die offenen Kanäle; \"Aktualisieren\", einen Kanal anklicken, \"Beitreten\".",
    "- \"Spiel Laden\" bleibt ohne Wirkung: ein Mehrspieler-Spiel liegt auf dem Server.",
    "- \"Zum Hauptmenü\" führt nach einer Rückfrage zum Hauptmenü; \"Zurück\" auf den Unterseiten hierher.",
};

const Absaetze kSpielMenue{
    "Die anderen spielen weiter, also auch dein Spiel: Tage vergehen, Flotten fliegen und der Austausch mit dem "
    "Server geht weiter, solange dieses Menü, die Optionen oder eine Hilfe offen sind.",
    "",
    "= Bedienung",
    "- \"Zum Spiel\": zurück zur Karte.",
    "- \"Option\": Lautstärken.",
    "- \"Neues Spiel\": nach einer Rückfrage (\"Ja\") verlässt es dieses Spiel und eröffnet einen neuen Kanal, "
    "gegen den Computer ein neues Spiel gegen den Computer.",
    "- \"Spiel Beenden\": nach einer Rückfrage (\"Ja\") verlässt es das Spiel und führt zum Hauptmenü.",
    "- \"Spiel Laden\" und \"Spiel Speichern\" bleiben ohne Wirkung: ein Mehrspieler-Spiel liegt auf dem Server, "
    "der es auch nach einem Neustart weiterführt.",
};

const Absaetze kLobby{
    "= Bedienung",
    "- \"Spielerfarbe\": eine der acht Farben darunter anklicken; eine Farbe, die ein anderer schon hat, wird "
    "abgelehnt.",
    "- \"Bereit\": sobald eine Farbe gewählt ist.",
    "- \"Sternanzahl\" und \"Spiel Starten\": wer den Kanal eröffnet hat, wählt die Sternanzahl und startet, "
    "sobald alle bereit sind.",
    "- Für einen freien Platz startet \"Computer hinzufügen\" einen Computerspieler auf deinem Rechner, in der "
    "Stufe daneben (anklicken wechselt sie); sitzt er, steht seine Stufe grau neben ihm. Er endet, wenn du den "
    "Kanal oder das Spiel verlässt.",
    "- \"Zurück\" führt zum Mehrspieler-Menü, in einem Spiel gegen den Computer zum Sandkasten-Menü.",
    "",
    "= Für den Anfang",
    kReichweite,
};

const Absaetze kMehrspielerRegeln{
    "= Mehrspieler",
    "- Alle 2 Sekunden tauscht das Spiel seinen Stand mit dem Server aus. Flotten verschiedener Spieler am "
    "selben System kämpfen dabei von selbst: jeder Gegner verteilt seine "
    "Feuerkraft gleichmäßig auf deine beteiligten Schiffe, der Schild fängt zuerst ab, dann trifft es den Rumpf.",
    "- Schwere Schlachtschiffe an einem fremden System: \"Angreifen\" im geöffneten System; jedes Schiff nimmt "
    "dem Planeten 25 Schild oder Befestigung je Austausch.",
    "- Chat: Enter oder Klick ins Feld unten, Enter sendet, Rechtsklick bricht ab. Esc: Menü, das Spiel läuft weiter.",
};

const Absaetze kWiedergabe{
    "Eine Aufnahme zeigt ein Mehrspieler-Spiel so, wie seine Spieler es gesehen haben: jedes System mit dem Ring "
    "in der Farbe seines Besitzers, die Flotten aller Spieler und den Chat. Hier gibt es keine Befehle.",
    "",
    "= Bedienung",
    "- \"Abspielen\" und \"Pause\" (auch die Leertaste) lassen die Aufnahme laufen oder halten sie an; am Ende "
    "beginnt \"Abspielen\" von vorn.",
    "- 1x, 4x, 16x und 64x: so viel schneller als im Spiel vergeht die Zeit.",
    "- Ein Klick auf die Zeitleiste springt zu diesem Tag; bei gehaltener Maustaste folgt die Aufnahme dem Zeiger.",
    "- W, A, S, D und die Pfeiltasten verschieben die Karte.",
    "- \"Zurück\" oder Esc beendet die Aufnahme und führt zum Hauptmenü.",
};

const Absaetze kSandkastenHinweis{
    "- Esc öffnet das Menü (Speichern, Laden, Optionen); solange es offen ist, ruht das Spiel.",
};

// Paragraphs to lines of at most kHilfeSpalten characters, broken at spaces.
std::vector<HilfeZeile> umbrechen(const std::vector<const Absaetze*>& teile)
{
    std::vector<HilfeZeile> zeilen;
    for (const Absaetze* absaetze : teile) {
        for (const char* absatz : *absaetze) {
            std::string text = alsCp437(absatz);
            if (text.rfind("= ", 0) == 0) {
                if (!zeilen.empty() && !zeilen.back().text.empty()) zeilen.push_back({});
                zeilen.push_back({text.substr(2), HilfeZeile::Art::Ueberschrift});
                continue;
            }
            const bool wichtig = text.rfind("! ", 0) == 0;
            if (wichtig) text.erase(0, 2);
            const HilfeZeile::Art art = wichtig ? HilfeZeile::Art::Wichtig : HilfeZeile::Art::Text;
            const std::string einzug = text.rfind("- ", 0) == 0 ? "  " : "";
            std::string zeile;
            std::size_t pos = 0;
            while (pos < text.size()) {
                const std::size_t ende = std::min(text.find(' ', pos), text.size());
                const std::string wort = text.substr(pos, ende - pos);
                if (!zeile.empty() && zeile.size() + 1 + wort.size() > static_cast<std::size_t>(kHilfeSpalten)) {
                    zeilen.push_back({zeile, art});
                    zeile = einzug + wort;
                } else {
                    zeile += (zeile.empty() ? "" : " ") + wort;
                }
                pos = ende + 1;
            }
            zeilen.push_back({zeile, art});
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
    if (r.Programmzustand == "wiedergabe") return HilfeSeite::Wiedergabe;
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

std::string hilfeTitel(HilfeSeite seite)
{
    switch (seite) {
    case HilfeSeite::Hauptmenue: return alsCp437("Hilfe: Hauptmenü");
    case HilfeSeite::Optionen: return "Hilfe: Optionen";
    case HilfeSeite::Credits: return "Hilfe: Credits";
    case HilfeSeite::SandkastenMenue: return alsCp437("Hilfe: Sandkasten-Menü");
    case HilfeSeite::Sternkarte: return "Hilfe: Sternkarte";
    case HilfeSeite::Sternsystem: return "Hilfe: Sternsystem";
    case HilfeSeite::MehrspielerLogin: return "Hilfe: Mehrspieler-Anmeldung";
    case HilfeSeite::MehrspielerMenue: return alsCp437("Hilfe: Mehrspieler-Menü");
    case HilfeSeite::SpielMenue: return alsCp437("Hilfe: Menü im Mehrspieler-Spiel");
    case HilfeSeite::GegenComputer: return "Hilfe: Gegen den Computer";
    case HilfeSeite::Lobby: return "Hilfe: Kanal";
    case HilfeSeite::MehrspielerKarte: return "Hilfe: Sternkarte im Mehrspieler";
    case HilfeSeite::Wiedergabe: return "Hilfe: Aufnahme";
    }
    return "Hilfe";
}

const std::vector<HilfeZeile>& hilfeText(HilfeSeite seite)
{
    // Built once per page: the text never changes while the game runs.
    static std::map<HilfeSeite, std::vector<HilfeZeile>> seiten;
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
