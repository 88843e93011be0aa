#include "multiplayer/screens/chat.hpp"

#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "frame/server_texte.hpp"

#include <algorithm>

namespace qz {

namespace {

constexpr int kZeilenAbstand = 12;
constexpr int kErsteZeile = 693;

bool leer(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

}  // namespace

bool chatSichtbar(const Mehrspieler& mp, bool flottenleiste) { return !flottenleiste || mp.chatFokus == kChatFokus; }

void chatEingabe(Rahmen& r, Mehrspieler& mp, bool flottenleiste)
{
    Sendedaten& s = mp.senden;
    const bool enter = r.LetzteTaste == "\r";
    if (mp.chatFokus == kChatFokus) {
        if (r.Mausereignis == 2) {
            mp.chatFokus = 0;
            s.chatZeile.clear();
            s.chatSenden = 0;
            r.Mausereignis = 0;
            return;
        }
        if (enter) {
            if (!leer(s.chatZeile)) {
                s.chatSenden = 1;
                mp.chatFokus = 0;
            }
            return;
        }
        if (s.chatSenden == 0) SUB_EINGABE(r.LetzteTaste, s.chatZeile, "chat");
        return;
    }
    if (mp.Eingabefokus != 0 || s.chatSenden == 1) return;
    if (enter) {
        mp.chatFokus = kChatFokus;
    } else if (!flottenleiste && r.Mausereignis == 1 && inBox(r.MausX, r.MausY, 570, 703, 667, 692)) {
        mp.chatFokus = kChatFokus;
        r.Mausereignis = 42;
    }
}

Text chatZeile(const Mehrspieler& mp, int paar)
{
    const Feld<std::string>& z = mp.senden.chatZeilen;
    const int sender = textToInt(z(2 * paar));
    const std::string& text = z(2 * paar + 1);
    if (sender < 1 || sender > 4) return serverzeileText(text);
    // TRANSLATORS: a chat line: the sender's name, then what they typed.
    return tr("{spieler}: {text}", {{"spieler", mp.SpielerName(sender)}, {"text", text}});
}

void chatZeichnen(Rahmen& r, const Mehrspieler& mp)
{
    const Sendedaten& s = mp.senden;
    // The field holds 16 characters: the end of the line being typed, or "...Sende...", for
    // which a longer translation widens it to the left (the status bar is on its right).
    const Text feld = s.chatSenden == 1 ? tr("...Sende...")
                                        : textAusCp437(s.chatZeile.size() > 16 ? s.chatZeile.substr(s.chatZeile.size() - 16)
                                                                               : s.chatZeile);
    const int links = std::min(570, 702 - textBreite(feld) - 7);
    filledBox(r.screen(), links, 667, 702, 691, 0xFF101820);
    box(r.screen(), links, 667, 702, 691, mp.chatFokus == kChatFokus ? 0xFFFFFFFF : 0xFF4A6A8A);
    r.text(links + 4, 672, feld);

    const int paare = (s.chatAnzahl + 1) / 2;
    const int platz = (768 - kErsteZeile) / kZeilenAbstand;
    const int erstes = paare > platz ? paare - platz : 0;
    for (int k = erstes; k < paare && 2 * k + 1 <= s.chatZeilen.hi(); ++k)
        r.text(10, kErsteZeile + kZeilenAbstand * (k - erstes), chatZeile(mp, k));
}

}  // namespace qz
