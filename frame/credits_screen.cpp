#include "frame/credits_screen.hpp"

#include "frame/klang.hpp"
#include "platform/errors.hpp"

#include <algorithm>
#include <array>

namespace qz {

namespace {

constexpr std::array<double, kCreditsSeiten> kAnzeigedauer{6, 8, 4, 10, 5, 6};

constexpr int kErsteZeile = 294;
constexpr int kZeilenabstand = 18;
constexpr int kAbsatz = 40;  // before a new heading

// A page as headings, each followed by its lines; laid out from y 294 down.
// The texts are German message ids, translated where they are drawn.
struct Abschnitt {
    std::string_view ueberschrift;
    std::vector<std::string_view> zeilen;
};

std::vector<Abschnitt> seite(int nummer)
{
    switch (nummer) {
    case 1:
        return {{trMark("GUI"),
                 {trMark("QZ Asset-Generator (eigener Code):"), trMark("Metall, Glas und Leuchtkanten,"),
                  trMark("beim Bauen gezeichnet"), trMark("Angepasst, bearbeitet von: QZ Team")}}};
    case 2:
        return {{trMark("Sternhintergrund"),
                 {trMark("QZ Asset-Generator: Nebel aus"), trMark("Gradientenrauschen, Sterne, Galaxien"),
                  trMark("JPEG-Kodierung: libjpeg-turbo")}},
                {trMark("Planeten"),
                 {trMark("QZ Asset-Generator: 18 beleuchtete Welten"), trMark("Angepasst, bearbeitet von: QZ Team")}}};
    case 3:
        return {{trMark("Schiffe"),
                 {trMark("QZ Asset-Generator: 8 Typen in 8 Farben"), trMark("PNG-Kodierung: libpng, zlib"),
                  trMark("Angepasst, bearbeitet von: QZ Team")}}};
    case 4:
        return {{trMark("Multiplayer basiert auf Code von"),
                 {trMark("QZ Team: TCP-Schicht, MD5, Abgleich"), trMark("Server: Boost.Beast und Boost.Asio,"),
                  trMark("SQLite, libsodium"), trMark("Fenster, Eingabe, Ton: SDL2, SDL2_mixer"),
                  trMark("Angepasst, bearbeitet von: QZ Team")}}};
    case 5:
        return {{trMark("Sounds & Musik"),
                 {trMark("QZ Asset-Generator: Klick und f\x81nf"), trMark("St\x81" "cke, synthetisiert beim Bauen"),
                  trMark("MP3-Kodierung: LAME"), trMark("Angepasst, bearbeitet von: QZ Team")}}};
    case 6:
        return {{trMark("Programmiert & Idee"),
                 {trMark("QZ Team"), trMark("Schrift: Debian-Konsolenschrift"), trMark("(console-setup, Uni2-VGA16)"),
                  trMark("Tests: GoogleTest, Google Benchmark")}}};
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
        zeilen.push_back({std::string(a.ueberschrift), y});
        y += kZeilenabstand + 6;  // a little air below the heading
        for (std::string_view zeile : a.zeilen) {
            zeilen.push_back({std::string(zeile), y});
            y += kZeilenabstand;
        }
    }
    return zeilen;
}

void creditsScreen(Rahmen& r)
{
    Klang& k = r.klang;
    if (r.platform.timer() > k.creditsSeitenende) {
        k.creditsSeite = k.creditsSeite >= kCreditsSeiten ? 1 : k.creditsSeite + 1;
        k.creditsSeitenende = r.platform.timer() + creditsAnzeigedauer(k.creditsSeite);
    }
    const std::vector<CreditsZeile> zeilen = creditsZeilen(k.creditsSeite);
    // The panel grows about its middle for a translation's longest line.
    int breiteste = 0;
    for (const CreditsZeile& zeile : zeilen) breiteste = std::max(breiteste, textBreite(tr(zeile.text)));
    const int panel = std::max(400, (breiteste + 17) / 2 * 2);

    r.platform.screenLock();
    clear(r.screen());
    r.zeichneBreit(r.Oberflaechenbild(19), 512 - panel / 2, 184, panel);
    r.zeichneUnter(r.Oberflaechenbild(11), 434, 218, tr("Zur\x81" "ck"));
    r.textMittig(512, 224, tr("Zur\x81" "ck"));
    for (const CreditsZeile& zeile : zeilen) r.textMittig(512, zeile.y, tr(zeile.text));
    r.textMittig(512, 552, tr("Seite: {seite}/{seiten}", {{"seite", k.creditsSeite}, {"seiten", kCreditsSeiten}}));
    r.platform.screenUnlock();

    const Rahmen::Spanne zurueck = Rahmen::spanneUnter(434, kKnopfBreite, tr("Zur\x81" "ck"));
    if (r.Mausereignis == 1 && inBox(r.MausX, r.MausY, zurueck.x1, zurueck.x2, 218, 243)) {
        r.Programmzustand = "hauptmenu";
        r.Mausereignis = 0;
        playClick(r);
    }
}

}  // namespace qz
