// The catalogues as the Windows build ships them (locale\ beside the executables), read through
// the part of Boost.Locale built from Debian's sources, and the language chosen by the
// environment or, with no variable set, by Windows' display language.
#include "platform/folders.hpp"
#include "platform/sprachwahl.hpp"
#include "platform/uebersetzung.hpp"
#include "sprache.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>

namespace qz {
namespace {

// C runtime variables changed for one test (getenv reads those, not the process block that
// SetEnvironmentVariable changes) and put back when it ends.
class Variablen {
public:
    Variablen() = default;
    Variablen(const Variablen&) = delete;
    Variablen& operator=(const Variablen&) = delete;
    ~Variablen()
    {
        for (const auto& [name, wert] : alt_) _putenv_s(name.c_str(), wert ? wert->c_str() : "");
    }
    // An empty value removes the variable.
    void setzen(const std::string& name, const char* wert)
    {
        if (!alt_.count(name)) {
            const char* jetzt = std::getenv(name.c_str());
            alt_[name] = jetzt ? std::optional<std::string>(jetzt) : std::nullopt;
        }
        _putenv_s(name.c_str(), wert);
    }

private:
    std::map<std::string, std::optional<std::string>> alt_;
};

// The translation of a one-line message id as the English catalogue's source has it. The
// sources lie on Wine's drive for the build machine's root, as the test's working folder does.
std::string englischLautPo(const std::string& id)
{
    std::ifstream po(QZ_ENGLISH_PO);
    std::string zeile;
    bool gefunden = false;
    while (std::getline(po, zeile)) {
        if (gefunden && zeile.rfind("msgstr \"", 0) == 0 && zeile.back() == '"') return zeile.substr(8, zeile.size() - 9);
        gefunden = zeile == "msgid \"" + id + "\"";
    }
    return "";
}

TEST(WindowsSprache, TheShippedEnglishCatalogueIsReadAndTheEnvironmentOrWindowsChoosesIt)
{
    const std::string englisch = englischLautPo("Mehrspieler");
    ASSERT_FALSE(englisch.empty()) << QZ_ENGLISH_PO;
    ASSERT_NE(englisch, "Mehrspieler");
    test::SpracheFuerTest schutz(desktopFolders().data, "de");
    const auto sprachen = vorhandeneSprachen();
    ASSERT_NE(std::find(sprachen.begin(), sprachen.end(), "en"), sprachen.end()) << katalogOrdner().string();

    // Windows names its display language as the variables do ("en_US", not "en-US").
    const std::string system = systemsprache();
    ASSERT_FALSE(system.empty());
    EXPECT_EQ(system.find('-'), std::string::npos) << system;
    // With no variable set that language decides, by the same rule as a variable's.
    const std::string ohneVariable = system.rfind("de", 0) == 0 ? "de" : "en";

    Variablen variablen;
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) variablen.setzen(name, "");
    const struct {
        const char* lang;
        std::string erwartet;
    } faelle[] = {{"en_US.UTF-8", "en"}, {"de_AT.UTF-8", "de"}, {"fr_FR.UTF-8", "en"}, {"C", "de"}, {"", ohneVariable}};
    for (const auto& f : faelle) {
        variablen.setzen("LANG", f.lang);
        spracheWaehlen("");
        EXPECT_EQ(sprache(), f.erwartet) << "LANG=" << f.lang << " system=" << system;
        EXPECT_EQ(tr("Mehrspieler").utf8, f.erwartet == "en" ? englisch : "Mehrspieler") << "LANG=" << f.lang;
    }
}

}  // namespace
}  // namespace qz
