#include "bot/befehlszeile.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace qz {

namespace {

bool ganzeZahl(const std::string& text, long long min, long long max, long long& wert)
{
    const char* ende = text.data() + text.size();
    const auto [p, fehler] = std::from_chars(text.data(), ende, wert);
    return fehler == std::errc{} && p == ende && !text.empty() && wert >= min && wert <= max;
}

// The login name and the channel name travel in comma and record lists: the same characters
// the game's fields refuse are refused here.
bool namensZeichenErlaubt(const std::string& text)
{
    return !text.empty() && text.size() <= 15 && text.find_first_of(",;#:") == std::string::npos;
}

}  // namespace

std::optional<BotEinstellungen> befehlszeileLesen(const std::vector<std::string>& argumente, std::string& fehler)
{
    BotEinstellungen e;
    bool server = false;
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        const std::string& a = argumente[i];
        if (i + 1 >= argumente.size()) {
            fehler = a.rfind("--", 0) == 0 ? a + " needs a value" : "unexpected argument " + a;
            return std::nullopt;
        }
        const std::string& wert = argumente[++i];
        long long zahl = 0;
        if (a == "--server") {
            const auto adresse = parseServerAddress(wert);
            if (!adresse) {
                fehler = "--server takes HOST[:PORT]";
                return std::nullopt;
            }
            e.server = *adresse;
            server = true;
        } else if (a == "--channel") {
            if (!namensZeichenErlaubt(wert)) {
                fehler = "--channel takes a name of 1 to 15 characters without , ; # :";
                return std::nullopt;
            }
            e.kanal = wert;
        } else if (a == "--channel-password") {
            if (wert.size() > 15 || wert.find_first_of(",;#:") != std::string::npos) {
                fehler = "--channel-password takes at most 15 characters without , ; # :";
                return std::nullopt;
            }
            e.kanalPasswort = wert;
        } else if (a == "--session") {
            // The server's session ids are letters and digits.
            const bool gut = !wert.empty() && wert.size() <= 64 &&
                             std::all_of(wert.begin(), wert.end(), [](unsigned char z) { return std::isalnum(z); });
            if (!gut) {
                fehler = "--session takes the channel's session id: 1 to 64 letters and digits";
                return std::nullopt;
            }
            e.sitzung = wert;
        } else if (a == "--level") {
            if (wert == "leicht") e.stufe = Stufe::leicht;
            else if (wert == "mittel") e.stufe = Stufe::mittel;
            else if (wert == "schwer") e.stufe = Stufe::schwer;
            else {
                fehler = "--level takes leicht, mittel or schwer";
                return std::nullopt;
            }
        } else if (a == "--name") {
            if (!namensZeichenErlaubt(wert)) {
                fehler = "--name takes a name of 1 to 15 characters without , ; # :";
                return std::nullopt;
            }
            e.name = wert;
        } else if (a == "--create") {
            if (!ganzeZahl(wert, 2, 4, zahl)) {
                fehler = "--create takes the seats, 2 to 4";
                return std::nullopt;
            }
            e.sitze = static_cast<int>(zahl);
        } else if (a == "--seed") {
            if (!ganzeZahl(wert, 1, 2147483647, zahl)) {
                fehler = "--seed takes a whole number from 1 to 2147483647";
                return std::nullopt;
            }
            e.kartenSeed = zahl;
        } else if (a == "--minutes") {
            if (!ganzeZahl(wert, 1, 1000000, zahl)) {
                fehler = "--minutes takes a whole number of minutes, at least 1";
                return std::nullopt;
            }
            e.minuten = static_cast<double>(zahl);
        } else {
            fehler = "unknown option " + a;
            return std::nullopt;
        }
    }
    if (!server || e.kanal.empty() == e.sitzung.empty()) {
        fehler = "--server and one of --channel and --session are needed";
        return std::nullopt;
    }
    if (!e.sitzung.empty() && e.sitze > 0) {
        fehler = "--session joins a channel; --create needs --channel";
        return std::nullopt;
    }
    if (e.kartenSeed && e.sitze == 0) {
        fehler = "--seed needs --create: only the host makes the star map";
        return std::nullopt;
    }
    return e;
}

}  // namespace qz
