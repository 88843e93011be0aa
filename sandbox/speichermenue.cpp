#include "sandbox/speichermenue.hpp"

#include "gfx/text_numbers.hpp"
#include "sandbox/menue_knoepfe.hpp"

#include <chrono>
#include <ctime>

namespace qz {

namespace {

constexpr Farbe kWeiss = 0xFFFFFF;
constexpr Farbe kRot = 0xFF4040;

// The slot rows: the channel-list row picture, 300 x 39, one below the other.
constexpr int kZeileX = 362;
constexpr int kZeileY = 316;
constexpr int kZeilenAbstand = 49;
constexpr int kFrageY = 488;
constexpr int kJaX = 382, kNeinX = 522, kAntwortY = 522;

int zeileY(int platz) { return kZeileY + (platz - 1) * kZeilenAbstand; }

bool zeileGeklickt(const Rahmen& r, int platz)
{
    return geklickt(r, kZeileX, kZeileX + 300, zeileY(platz), zeileY(platz) + 39);
}

// Message ids, translated where they are drawn.
std::string_view fehlerText(Lesefehler fehler)
{
    return fehler == Lesefehler::NeuereVersion ? trMark("Spielstand aus einer neueren Version")
                                               : trMark("Spielstand besch\x84" "digt");
}

// The same, short enough for a slot row.
std::string_view fehlerKurz(Lesefehler fehler)
{
    return fehler == Lesefehler::NeuereVersion ? trMark("Aus einer neueren Version")
                                               : trMark("Spielstand besch\x84" "digt");
}

std::string datumUhrzeit(std::int64_t sekunden)
{
    const std::time_t t = static_cast<std::time_t>(sekunden);
    std::tm lokal{};
    localtime_r(&t, &lokal);
    char text[32];
    std::strftime(text, sizeof text, "%d.%m.%Y %H:%M", &lokal);
    return text;
}

void melden(Speichermenue& m, std::string_view text, Farbe farbe)
{
    m.meldung = text;
    m.meldungsFarbe = farbe;
}

void speichern(Rahmen& r, const Spielstand& spiel, Speichermenue& m, int platz)
{
    m.frage = 0;
    m.schreibt = platz;
    m.geschrieben = std::async(std::launch::async, [platz, datei = spielstandDatei(spiel, r.platform.timer())] {
        return platzSchreiben(platz, datei);
    });
    melden(m, trMark("Spiel wird gespeichert"), kWeiss);
}

// Once the save has arrived (or failed), the slot shows what it holds now.
void schreibenPruefen(Speichermenue& m)
{
    if (m.schreibt == 0 || m.geschrieben.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    const bool ok = m.geschrieben.get();
    m.plaetze[static_cast<std::size_t>(m.schreibt - 1)] = platzLesen(m.schreibt);
    m.schreibt = 0;
    if (ok) melden(m, trMark("Spiel gespeichert"), kWeiss);
    else melden(m, trMark("Speichern fehlgeschlagen"), kRot);
}

// "Zurück" leaves for the sandbox menu; true when it was clicked.
bool zurueck(Rahmen& r, Speichermenue& m)
{
    if (!knopfGeklickt(r, 218, tr("Zur\x81" "ck"))) return false;
    m = Speichermenue{};
    r.Unterzustand = "hauptmenu";
    treffer(r);
    return true;
}

}  // namespace

void speichermenueOeffnen(Rahmen& r, Speichermenue& m, const char* unterzustand)
{
    m = Speichermenue{};
    for (int p = 1; p <= kSpeicherplaetze; ++p) m.plaetze[static_cast<std::size_t>(p - 1)] = platzLesen(p);
    r.Unterzustand = unterzustand;
}

void ladenEingabe(Rahmen& r, Spielstand& spiel, const Bildquellen& quellen, Speichermenue& m)
{
    if (zurueck(r, m)) return;
    for (int p = 1; p <= kSpeicherplaetze; ++p) {
        if (!zeileGeklickt(r, p) || !m.plaetze[static_cast<std::size_t>(p - 1)].belegt) continue;
        treffer(r);
        const std::optional<std::string> datei = dateiLesen(platzPfad(p));
        const Lesefehler fehler =
            datei ? spielLaden(r, spiel, quellen, *datei) : Lesefehler::Beschaedigt;
        if (fehler == Lesefehler::Keiner) {
            m = Speichermenue{};
            return;
        }
        m.plaetze[static_cast<std::size_t>(p - 1)] = platzLesen(p);
        melden(m, fehlerText(fehler), kRot);
        return;
    }
}

void speichernEingabe(Rahmen& r, const Spielstand& spiel, Speichermenue& m)
{
    schreibenPruefen(m);
    if (zurueck(r, m)) return;
    if (m.schreibt > 0) return;  // one save at a time: two would share the slot's temporary file
    if (m.frage > 0 && kleinerKnopfGeklickt(r, kJaX, kAntwortY, tr("Ja"))) {
        treffer(r);
        speichern(r, spiel, m, m.frage);
        return;
    }
    if (m.frage > 0 && kleinerKnopfGeklickt(r, kNeinX, kAntwortY, tr("Nein"))) {
        treffer(r);
        m.frage = 0;
        return;
    }
    for (int p = 1; p <= kSpeicherplaetze; ++p) {
        if (!zeileGeklickt(r, p)) continue;
        treffer(r);
        m.meldung.clear();
        if (m.plaetze[static_cast<std::size_t>(p - 1)].belegt) m.frage = p;
        else speichern(r, spiel, m, p);
        return;
    }
}

void speichermenueZeichnen(Rahmen& r, const Speichermenue& m)
{
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    knopf(r, 218, tr("Zur\x81" "ck"));
    knopf(r, 272, r.Unterzustand == "speichern" ? tr("Spiel Speichern") : tr("Spiel Laden"));
    for (int p = 1; p <= kSpeicherplaetze; ++p) {
        const Platzinfo& info = m.plaetze[static_cast<std::size_t>(p - 1)];
        const int y = zeileY(p);
        r.zeichne(r.Oberflaechenbild(21), kZeileX, y);
        if (p == m.frage) box(r.screen(), kZeileX, y, kZeileX + 299, y + 38, 0xFFFFFFFF);
        if (!info.belegt) {
            r.text(kZeileX + 8, y + 6, tr("Platz {platz}: Leer", {{"platz", p}}));
        } else if (info.fehler != Lesefehler::Keiner) {
            r.text(kZeileX + 8, y + 6, tr("Platz {platz}:", {{"platz", p}}));
            r.text(kZeileX + 8, y + 20, tr(fehlerKurz(info.fehler)), kRot);
        } else {
            const Spielstandkopf& k = info.kopf;
            r.text(kZeileX + 8, y + 6,
                   tr("Platz {platz}: {datum}, Tag {tag}",
                      {{"platz", p}, {"datum", datumUhrzeit(k.gespeichertUm)}, {"tag", k.spieltag}}));
            const std::initializer_list<Wert> werte = {
                {"sterne", k.Sternanzahl}, {"systeme", k.eigeneSysteme}, {"geld", numberToText(k.geld)}};
            r.text(kZeileX + 8, y + 20,
                   k.eigeneSysteme == 1 ? tr("{sterne} Sterne, {systeme} System, {geld} G", werte)
                                        : tr("{sterne} Sterne, {systeme} Systeme, {geld} G", werte));
        }
    }
    if (!m.meldung.empty()) r.textMittig(512, 466, tr(m.meldung), m.meldungsFarbe);
    if (m.frage > 0) {
        knopf(r, kFrageY, tr("\x9A" "berschreiben?"));
        kleinerKnopf(r, kJaX, kAntwortY, tr("Ja"));
        kleinerKnopf(r, kNeinX, kAntwortY, tr("Nein"));
    }
}

}  // namespace qz
