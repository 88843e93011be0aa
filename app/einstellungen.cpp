#include "app/einstellungen.hpp"

#include "net/server_address.hpp"
#include "platform/datei.hpp"
#include "platform/errors.hpp"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace qz {

namespace {

// A settings file is a few lines; anything much larger is not one.
constexpr std::size_t kHoechstensBytes = 64 * 1024;

std::string_view ohneRand(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

bool lautstaerke(std::string_view wert, int& ziel)
{
    if (wert.empty() || wert.size() > 3) return false;
    int zahl = 0;
    for (char c : wert) {
        if (c < '0' || c > '9') return false;
        zahl = zahl * 10 + (c - '0');
    }
    if (zahl > 100 || zahl % 5 != 0) return false;
    ziel = zahl;
    return true;
}

// What the login field accepts: at most 15 characters, none the server would refuse.
bool loginName(std::string_view wert)
{
    if (wert.size() > 15) return false;
    for (unsigned char c : wert)
        if (c < 32 || c == ',' || c == ';' || c == '#' || c == ':') return false;
    return true;
}

// A language code as catalogues are named: "en", "pt_BR", "sr@latin".
bool sprachcode(std::string_view wert)
{
    if (wert.size() > 16) return false;
    for (char c : wert)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '@'))
            return false;
    return true;
}

bool zeileLesen(std::string_view schluessel, std::string_view wert, Einstellungen& e)
{
    if (schluessel == "musiklautstaerke") return lautstaerke(wert, e.musikLautstaerke);
    if (schluessel == "effektlautstaerke") return lautstaerke(wert, e.effektLautstaerke);
    if (schluessel == "vollbild") {
        if (wert != "ja" && wert != "nein") return false;
        e.vollbild = wert == "ja";
        return true;
    }
    if (schluessel == "server") {
        if (!wert.empty() && !parseServerAddress(wert)) return false;
        e.server = wert;
        return true;
    }
    if (schluessel == "name") {
        if (!loginName(wert)) return false;
        e.name = wert;
        return true;
    }
    if (schluessel == "sprache") {
        if (!sprachcode(wert)) return false;
        e.sprache = wert;
        return true;
    }
    return false;
}

}  // namespace

std::optional<Einstellungen> einstellungenLesen(std::string_view text, int& zeile)
{
    Einstellungen e;
    zeile = 0;
    while (!text.empty()) {
        ++zeile;
        const std::size_t ende = text.find('\n');
        const std::string_view roh = text.substr(0, ende);
        text.remove_prefix(ende == std::string_view::npos ? text.size() : ende + 1);
        const std::string_view inhalt = ohneRand(roh);
        if (inhalt.empty() || inhalt.front() == '#') continue;
        const std::size_t gleich = inhalt.find('=');
        if (gleich == std::string_view::npos || roh.find('\0') != std::string_view::npos ||
            !zeileLesen(ohneRand(inhalt.substr(0, gleich)), ohneRand(inhalt.substr(gleich + 1)), e))
            return std::nullopt;
    }
    zeile = 0;
    return e;
}

std::string einstellungenText(const Einstellungen& e)
{
    return "# QZ: settings kept between runs, one \"key = value\" per line.\n"
           "# Volumes 0 to 100 in steps of 5; vollbild ja or nein; server HOST or HOST:PORT\n"
           "# (an IPv6 address in brackets), empty for the built-in server; name: the login name;\n"
           "# sprache: de, en or another catalogue's code, empty for the environment's language.\n"
           "musiklautstaerke = " + std::to_string(e.musikLautstaerke) + "\n"
           "effektlautstaerke = " + std::to_string(e.effektLautstaerke) + "\n"
           "vollbild = " + (e.vollbild ? "ja" : "nein") + "\n"
           "server = " + e.server + "\n"
           "name = " + e.name + "\n"
           "sprache = " + e.sprache + "\n";
}

Einstellungen einstellungenLaden(const std::filesystem::path& datei)
{
    std::error_code fehler;
    if (!std::filesystem::exists(datei, fehler) && !fehler) return {};
    std::ifstream in(datei, std::ios::binary);
    std::string text;
    if (in) {
        text.resize(kHoechstensBytes + 1);
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
    }
    int zeile = 0;
    std::optional<Einstellungen> werte;
    if (in.bad() || (!in.eof() && !in)) {
        writeReportLine("Einstellungen nicht lesbar: " + datei.string());
    } else if (text.size() > kHoechstensBytes) {
        writeReportLine("Einstellungen ignoriert, keine Einstellungsdatei: " + datei.string());
    } else if (!(werte = einstellungenLesen(text, zeile))) {
        writeReportLine("Einstellungen ignoriert, Zeile " + std::to_string(zeile) + ": " + datei.string());
    }
    return werte.value_or(Einstellungen{});
}

bool einstellungenSchreiben(const std::filesystem::path& datei, const Einstellungen& werte)
{
    std::error_code fehler;
    if (datei.has_parent_path()) std::filesystem::create_directories(datei.parent_path(), fehler);
    // As a save is written: two running copies never share a temporary file, and a power cut
    // leaves the old settings or the new ones, never an empty file.
    return dateiErsetzen(datei, einstellungenText(werte));
}

}  // namespace qz
