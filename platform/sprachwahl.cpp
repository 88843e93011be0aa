#include "platform/sprachwahl.hpp"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace qz {

namespace {

std::string variable(const char* name)
{
    const char* wert = std::getenv(name);
    return wert ? wert : "";
}

// One entry such as "de_AT.UTF-8@euro": the catalogue or German it names, nothing for any
// other language.
std::optional<std::string> entscheide(const std::string& eintrag, const std::vector<std::string>& kataloge)
{
    const std::string name = eintrag.substr(0, eintrag.find_first_of(".@"));
    if (name == "C" || name == "POSIX" || name.empty()) return "de";
    const std::string sprache = name.substr(0, name.find('_'));
    for (const std::string& code : {name, sprache})
        if (std::find(kataloge.begin(), kataloge.end(), code) != kataloge.end()) return code;
    if (sprache == "de") return "de";
    return std::nullopt;
}

}  // namespace

Sprachumgebung sprachumgebungLesen()
{
    return {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG"), systemsprache()};
}

std::string spracheAusUmgebung(const Sprachumgebung& u, const std::vector<std::string>& kataloge)
{
    for (std::size_t start = 0; start < u.language.size();) {
        std::size_t ende = std::min(u.language.find(':', start), u.language.size());
        const std::string eintrag = u.language.substr(start, ende - start);
        if (!eintrag.empty())
            if (auto code = entscheide(eintrag, kataloge)) return *code;
        start = ende + 1;
    }
    for (const std::string* wert : {&u.lcAll, &u.lcMessages, &u.lang})
        if (!wert->empty()) return entscheide(*wert, kataloge).value_or("en");
    if (!u.language.empty()) return "en";
    if (!u.system.empty()) return entscheide(u.system, kataloge).value_or("en");
    return "de";
}

}  // namespace qz
