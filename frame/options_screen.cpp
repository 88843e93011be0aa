#include "frame/options_screen.hpp"

#include "frame/klang.hpp"

#include <algorithm>
#include <vector>

namespace qz {

namespace {

// The plus control shows and acts only below 96, so the last step from 95 reaches 100.
constexpr int kPlusGrenze = 96;

// Top of the language row, below the two volume rows.
constexpr int kSpracheY = 454;

// One volume row: label button, value field, the arrows while they apply, the value.
void zeichneZeile(Rahmen& r, int y, const Text& label, int lautstaerke)
{
    r.zeichneUnter(r.Oberflaechenbild(11), 434, y, label);
    r.textMittig(512, y + 6, label);
    r.zeichne(r.Oberflaechenbild(18), 449, y + 27);
    if (lautstaerke > 0) r.zeichne(r.Oberflaechenbild(3), 458, y + 32);
    if (lautstaerke < kPlusGrenze) r.zeichne(r.Oberflaechenbild(4), 541, y + 32);
    r.textMittig(509, y + 35, lautstaerkeText(lautstaerke));
}

void angenommen(Rahmen& r)
{
    r.Mausereignis = 0;
    playClick(r);
}

// German first, then every language with a catalogue.
std::vector<std::string> sprachen()
{
    std::vector<std::string> codes{"de"};
    for (std::string& code : vorhandeneSprachen()) codes.push_back(std::move(code));
    return codes;
}

// The language row: its label, and the language shown under its own name on a button that
// moves on to the next language.
void zeichneSprache(Rahmen& r)
{
    r.zeichneUnter(r.Oberflaechenbild(11), 434, kSpracheY, tr("Sprache"));
    r.textMittig(512, kSpracheY + 6, tr("Sprache"));
    const Text name = spracheName(sprache());
    r.zeichneUnter(r.Oberflaechenbild(11), 434, kSpracheY + 27, name);
    r.textMittig(512, kSpracheY + 33, name);
}

// The next language of the list; the frame drawn already stays in the old one, the next
// pass speaks the new one.
void naechsteSprache(Rahmen& r)
{
    const std::vector<std::string> codes = sprachen();
    auto jetzt = std::find(codes.begin(), codes.end(), sprache());
    const std::size_t naechste = jetzt == codes.end() ? 0 : (jetzt - codes.begin() + 1) % codes.size();
    r.Sprache = codes[naechste];
    spracheWaehlen(r.Sprache);
}

}  // namespace

Text lautstaerkeText(int lautstaerke)
{
    return lautstaerke == 0 ? tr("Aus") : tr("{prozent}%", {{"prozent", lautstaerke}});
}

void optionsScreen(Rahmen& r, const std::string& zurueckZustand, const std::string& zurueckUnterzustand)
{
    Klang& k = r.klang;
    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    r.zeichneUnter(r.Oberflaechenbild(11), 434, 218, tr("Zur\x81" "ck"));
    r.textMittig(512, 224, tr("Zur\x81" "ck"));
    zeichneZeile(r, 272, tr("Musik Lautst\x84rke"), k.musikLautstaerke);
    zeichneZeile(r, 363, tr("Effekt Lautst\x84rke"), k.effektLautstaerke);
    zeichneSprache(r);
    r.platform.screenUnlock();

    if (r.Mausereignis != 1) return;
    const int x = r.MausX, y = r.MausY;
    Sound& sound = r.platform.sound();
    const Rahmen::Spanne zurueck = Rahmen::spanneUnter(434, kKnopfBreite, tr("Zur\x81" "ck"));
    const Rahmen::Spanne sprachwahl = Rahmen::spanneUnter(434, kKnopfBreite, spracheName(sprache()));
    if (inBox(x, y, zurueck.x1, zurueck.x2, 218, 243)) {
        r.Programmzustand = zurueckZustand;
        r.Unterzustand = zurueckUnterzustand;
        angenommen(r);
    } else if (k.musikLautstaerke > 0 && inBox(x, y, 458, 478, 304, 324)) {
        k.musikLautstaerke -= 5;
        sound.setVolume(k.musikKanal, k.musikLautstaerke);
        angenommen(r);
    } else if (k.musikLautstaerke < kPlusGrenze && inBox(x, y, 541, 561, 304, 324)) {
        k.musikLautstaerke += 5;
        sound.setVolume(k.musikKanal, k.musikLautstaerke);
        angenommen(r);
    } else if (k.effektLautstaerke > 0 && inBox(x, y, 458, 478, 395, 415)) {
        k.effektLautstaerke -= 5;
        angenommen(r);
    } else if (k.effektLautstaerke < kPlusGrenze && inBox(x, y, 541, 561, 395, 415)) {
        k.effektLautstaerke += 5;
        angenommen(r);
    } else if (inBox(x, y, sprachwahl.x1, sprachwahl.x2, kSpracheY + 27, kSpracheY + 52)) {
        naechsteSprache(r);
        angenommen(r);
    }
}

}  // namespace qz
