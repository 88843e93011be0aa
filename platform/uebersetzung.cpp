#include "platform/uebersetzung.hpp"

#include "platform/folders.hpp"
#include "platform/katalog.hpp"
#include "platform/sprachwahl.hpp"

#include <algorithm>
#include <exception>
#include <locale>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace qz {

namespace {

const char* const kDomain = "qz";

// One language: its catalogue (none for German) and every text looked up in it so far, by
// message id. The map's nodes never move, so a reference into it outlives any insertion.
struct Sprache {
    std::unique_ptr<Katalog> katalog;
    std::unordered_map<std::string, Text> texte;
};

struct Zustand {
    std::mutex mutex;
    std::map<std::string, Sprache, std::less<>> sprachen;  // kept for the whole run
    Sprache* aktiv = nullptr;
    std::string code = "de";
    unsigned generation = 0;
};

Zustand& zustand()
{
    static Zustand z;
    return z;
}

bool katalogDa(const std::string& code)
{
    std::error_code fehler;
    return std::filesystem::is_regular_file(katalogOrdner() / code / "LC_MESSAGES" / (std::string(kDomain) + ".mo"), fehler);
}

// The language by its code, its catalogue loaded on first use. Called with the mutex held.
Sprache& spracheLaden(Zustand& z, const std::string& code)
{
    auto [it, neu] = z.sprachen.try_emplace(code);
    Sprache& s = it->second;
    if (!neu || code == "de") return s;
    // A damaged catalogue leaves the language German rather than ending the game.
    s.katalog = Katalog::laden(katalogOrdner(), code, kDomain);
    return s;
}

// The text of a message id in a language: the catalogue's translation, else the German id.
// Called with the mutex held.
const Text& nachschlagen(Sprache& s, std::string_view kontext, std::string_view deutsch)
{
    std::string schluessel(kontext);
    if (!kontext.empty()) schluessel += '\x04';
    schluessel += deutsch;
    auto it = s.texte.find(schluessel);
    if (it != s.texte.end()) return it->second;
    Text text{cp437ZuUtf8(deutsch)};
    if (s.katalog) {
        const std::string kontextUtf8 = cp437ZuUtf8(kontext);
        const char* uebersetzt = s.katalog->uebersetzung(kontext.empty() ? nullptr : kontextUtf8.c_str(), text.utf8.c_str());
        if (uebersetzt && *uebersetzt) text.utf8 = uebersetzt;
    }
    return s.texte.emplace(std::move(schluessel), std::move(text)).first->second;
}

const Text& aktuell(std::string_view kontext, std::string_view deutsch)
{
    Zustand& z = zustand();
    std::lock_guard lock(z.mutex);
    if (!z.aktiv) z.aktiv = &spracheLaden(z, z.code);
    return nachschlagen(*z.aktiv, kontext, deutsch);
}

}  // namespace

const Text& tr(std::string_view deutsch) { return aktuell({}, deutsch); }

const Text& trc(std::string_view kontext, std::string_view deutsch) { return aktuell(kontext, deutsch); }

Text tr(std::string_view deutsch, std::initializer_list<Wert> werte) { return einsetzen(tr(deutsch), werte); }

Text einsetzen(const Text& vorlage, std::initializer_list<Wert> werte)
{
    const std::string& v = vorlage.utf8;
    Text out;
    out.utf8.reserve(v.size() + 16);
    for (std::size_t i = 0; i < v.size(); ++i) {
        const char c = v[i];
        if ((c == '{' || c == '}') && i + 1 < v.size() && v[i + 1] == c) {
            out.utf8 += c;
            ++i;
            continue;
        }
        const std::size_t zu = c == '{' ? v.find('}', i) : std::string::npos;
        if (zu != std::string::npos) {
            const std::string_view name(v.data() + i + 1, zu - i - 1);
            auto wert = std::find_if(werte.begin(), werte.end(), [&](const Wert& w) { return w.name == name; });
            if (wert != werte.end()) {
                out.utf8 += wert->utf8;
                i = zu;
                continue;
            }
        }
        out.utf8 += c;
    }
    return out;
}

std::filesystem::path katalogOrdner() { return folders().data / "locale"; }

std::vector<std::string> vorhandeneSprachen()
{
    std::vector<std::string> codes;
    std::error_code fehler;
    for (auto it = std::filesystem::directory_iterator(katalogOrdner(), fehler);
         !fehler && it != std::filesystem::directory_iterator(); it.increment(fehler)) {
        const std::string code = it->path().filename().string();
        if (code != "de" && katalogDa(code)) codes.push_back(code);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

void spracheWaehlen(std::string_view wunsch)
{
    std::string code(wunsch);
    if (code != "de" && (code.empty() || !katalogDa(code)))
        code = spracheAusUmgebung(sprachumgebungLesen(), vorhandeneSprachen());
    if (code != "de" && !katalogDa(code)) code = "de";
    Zustand& z = zustand();
    std::lock_guard lock(z.mutex);
    if (code == z.code && z.aktiv) return;
    z.code = code;
    z.aktiv = &spracheLaden(z, code);
    ++z.generation;
}

std::string sprache()
{
    Zustand& z = zustand();
    std::lock_guard lock(z.mutex);
    return z.code;
}

unsigned sprachGeneration()
{
    Zustand& z = zustand();
    std::lock_guard lock(z.mutex);
    return z.generation;
}

Text spracheName(std::string_view code)
{
    Zustand& z = zustand();
    std::lock_guard lock(z.mutex);
    Sprache& s = spracheLaden(z, std::string(code));
    // TRANSLATORS: the name of your language in your language, as "Sprache" in "Optionen" lists it.
    return nachschlagen(s, "Sprachname", trcMark("Sprachname", "Deutsch"));
}

}  // namespace qz
