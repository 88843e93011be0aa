#include "frame/credits_screen.hpp"

#include "frame/klang.hpp"
#include "platform/errors.hpp"

#include <array>

namespace qz {

namespace {

constexpr std::array<double, kCreditsSeiten> kAnzeigedauer{6, 8, 4, 10, 5, 6};

constexpr int kErsteZeile = 294;
constexpr int kZeilenabstand = 18;
constexpr int kAbsatz = 40;  // before a new heading

// A page as headings, each followed by its lines; laid out from y 294 down.
struct Abschnitt {
    const char* ueberschrift;
    std::vector<const char*> zeilen;
};

std::vector<Abschnitt> seite(int nummer)
{
    switch (nummer) {
    case 1:
        return {{"GUI",
                 {"QZ Asset-Generator (eigener Code):", "Metall, Glas und Leuchtkanten,", "beim Bauen gezeichnet",
                  "Angepasst, bearbeitet von: QZ Team"}}};
    case 2:
        return {{"Sternhintergrund",
                 {"QZ Asset-Generator: Nebel aus", "Gradientenrauschen, Sterne, Galaxien",
                  "JPEG-Kodierung: libjpeg-turbo"}},
                {"Planeten", {"QZ Asset-Generator: 18 beleuchtete Welten", "Angepasst, bearbeitet von: QZ Team"}}};
    case 3:
        return {{"Schiffe",
                 {"QZ Asset-Generator: 8 Typen in 8 Farben", "PNG-Kodierung: libpng, zlib",
                  "Angepasst, bearbeitet von: QZ Team"}}};
    case 4:
        return {{"Multiplayer basiert auf Code von",
                 {"QZ Team: TCP-Schicht, MD5, Abgleich", "Server: Boost.Beast und Boost.Asio,", "SQLite, libsodium",
                  "Fenster, Eingabe, Ton: SDL2, SDL2_mixer", "Angepasst, bearbeitet von: QZ Team"}}};
    case 5:
        return {{"Sounds & Musik",
                 {"QZ Asset-Generator: Klick und f\x81nf", "St\x81" "cke, synthetisiert beim Bauen",
                  "MP3-Kodierung: LAME", "Angepasst, bearbeitet von: QZ Team"}}};
    case 6:
        return {{"Programmiert & Idee",
                 {"QZ Team", "Schrift: Debian-Konsolenschrift", "(console-setup, Uni2-VGA16)",
                  "Tests: GoogleTest, Google Benchmark"}}};
    default:
        return {};
    }
}

}  // namespace

double creditsAnzeigedauer(int nummer)
{
    checkIndex(nummer, 1, kCreditsSeiten);
    return kAnzeigedauer[static_cast<std::size_t>(nummer - 1)];
}

std::vector<CreditsZeile> creditsZeilen(int nummer)
{
    std::vector<CreditsZeile> zeilen;
    int y = kErsteZeile;
    for (const Abschnitt& a : seite(nummer)) {
        if (!zeilen.empty()) y += kAbsatz - kZeilenabstand;
        zeilen.push_back({a.ueberschrift, y});
        y += kZeilenabstand + 6;  // a little air below the heading
        for (const char* zeile : a.zeilen) {
            zeilen.push_back({zeile, y});
            y += kZeilenabstand;
        }
    }
    return zeilen;
}

void creditsScreen(Rahmen& r)
{
    Klang& k = r.klang;
    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    r.zeichne(r.Oberflaechenbild(11), 434, 218);
    r.textMittig(512, 224, "Zur\x81" "ck");

    if (r.platform.timer() > k.creditsSeitenende) {
        k.creditsSeite = k.creditsSeite >= kCreditsSeiten ? 1 : k.creditsSeite + 1;
        k.creditsSeitenende = r.platform.timer() + creditsAnzeigedauer(k.creditsSeite);
    }
    for (const CreditsZeile& zeile : creditsZeilen(k.creditsSeite)) r.textMittig(512, zeile.y, zeile.text);
    r.textMittig(512, 552, "Seite: " + std::to_string(k.creditsSeite) + "/6");
    r.platform.screenUnlock();

    if (r.Mausereignis == 1 && inBox(r.MausX, r.MausY, 434, 590, 218, 243)) {
        r.Programmzustand = "hauptmenu";
        r.Mausereignis = 0;
        playClick(r);
    }
}

}  // namespace qz
