// The catalogue layer: which language the environment chooses, what tr() gives in German and
// in a catalogue's language, placeholders, and that German texts draw exactly as their code
// page 437 bytes while other characters come from Unifont or show the replacement mark.
#include "platform/image.hpp"
#include "platform/sprachwahl.hpp"
#include "platform/uebersetzung.hpp"
#include "sprache.hpp"
#include "temporary_directory.hpp"
#include "umgebung.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace qz {
namespace {

namespace fs = std::filesystem;

TEST(Sprachwahl, TheFirstVariableSetDecidesBetweenCatalogueGermanAndEnglish)
{
    const std::vector<std::string> kataloge = {"en", "pt_BR", "ru"};
    struct Fall {
        Sprachumgebung umgebung;
        std::string erwartet;
    };
    const Fall faelle[] = {
        {{"", "", "", "", ""}, "de"},                            // nothing set
        {{"", "", "", "C", ""}, "de"},
        {{"", "", "", "POSIX", ""}, "de"},
        {{"", "C.UTF-8", "", "ru_RU.UTF-8", ""}, "de"},          // LC_ALL before LANG
        {{"", "", "", "de_AT.UTF-8@euro", ""}, "de"},
        {{"", "", "", "ru_RU.UTF-8", ""}, "ru"},                 // language of a catalogue
        {{"", "", "", "en_US.UTF-8", ""}, "en"},
        {{"", "", "", "fr_FR.UTF-8", ""}, "en"},                 // any other language
        {{"", "", "", "pt_BR.UTF-8", ""}, "pt_BR"},              // the country's catalogue first
        {{"", "", "", "pt_PT.UTF-8", ""}, "en"},
        {{"", "", "ru_RU.UTF-8", "de_DE.UTF-8", ""}, "ru"},      // LC_MESSAGES before LANG
        {{"fr:ru", "", "", "de_DE.UTF-8", ""}, "ru"},            // LANGUAGE's first with a catalogue
        {{"fr:de", "", "", "ru_RU.UTF-8", ""}, "de"},            // ... or German
        {{"fr", "", "", "de_DE.UTF-8", ""}, "de"},               // none: the next variable decides
        {{"fr", "", "", "", ""}, "en"},
        {{"ru", "C", "", "", ""}, "ru"},                         // LANGUAGE before LC_ALL
        {{"", "", "", "", "ru_RU"}, "ru"},                       // no variable: the system's language
        {{"", "", "", "", "de_CH"}, "de"},
        {{"", "", "", "", "fr_FR"}, "en"},
        {{"", "", "", "de_DE.UTF-8", "ru_RU"}, "de"},            // a variable before the system
        {{"fr", "", "", "", "ru_RU"}, "en"},
    };
    for (const Fall& f : faelle) {
        const Sprachumgebung& u = f.umgebung;
        EXPECT_EQ(spracheAusUmgebung(u, kataloge), f.erwartet)
            << "LANGUAGE=" << u.language << " LC_ALL=" << u.lcAll << " LC_MESSAGES=" << u.lcMessages << " LANG=" << u.lang
            << " system=" << u.system;
    }
}

// A data folder with catalogues made by msgfmt from the given PO texts, by language code.
class Katalogordner {
public:
    void hinzu(const std::string& code, const std::string& eintraege)
    {
        const fs::path ordner = fs::path(tmp_.path()) / "locale" / code / "LC_MESSAGES";
        fs::create_directories(ordner);
        const fs::path po = fs::path(tmp_.path()) / (code + ".po");
        std::ofstream(po) << "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n" << eintraege;
        const std::string befehl = std::string(QZ_MSGFMT) + " -o " + (ordner / "qz.mo").string() + " " + po.string();
        ASSERT_EQ(std::system(befehl.c_str()), 0) << befehl;
    }
    fs::path pfad() const { return tmp_.path(); }

private:
    test::TemporaryDirectory tmp_;
};

const char* const kRussisch =
    "msgid \"Zurück\"\nmsgstr \"Назад\"\n\n"
    "msgid \"Seite: {seite} von {seiten}\"\nmsgstr \"{seiten}: {seite}\"\n\n"
    "msgid \"{name} baut {{x}}\"\nmsgstr \"{name} строит {{x}}\"\n\n"
    "msgctxt \"Sprachname\"\nmsgid \"Deutsch\"\nmsgstr \"Русский\"\n\n";

TEST(Uebersetzung, GermanIsTheIdItselfAndACatalogueGivesItsTranslation)
{
    Katalogordner k;
    k.hinzu("ru", kRussisch);
    k.hinzu("en", "msgid \"Zurück\"\nmsgstr \"Back\"\n");
    test::SpracheFuerTest schutz(k.pfad(), "de");
    const Text& deutsch = tr("Zur\x81" "ck");
    EXPECT_EQ(deutsch.utf8, "Zur\xC3\xBC" "ck");
    EXPECT_EQ(vorhandeneSprachen(), (std::vector<std::string>{"en", "ru"}));

    const unsigned vorher = sprachGeneration();
    spracheWaehlen("ru");
    EXPECT_EQ(sprache(), "ru");
    EXPECT_EQ(sprachGeneration(), vorher + 1);
    EXPECT_EQ(tr("Zur\x81" "ck").utf8, "Назад");
    // A text the catalogue lacks stays German.
    EXPECT_EQ(tr("Musik Lautst\x84rke").utf8, "Musik Lautst\xC3\xA4rke");
    // Placeholders in the translation's order; a name in code page 437 arrives as UTF-8.
    EXPECT_EQ(tr("Seite: {seite} von {seiten}", {{"seite", 2}, {"seiten", 6}}).utf8, "6: 2");
    EXPECT_EQ(tr("{name} baut {{x}}", {{"name", "J\x94rg"}}).utf8, "J\xC3\xB6rg строит {x}");
    EXPECT_EQ(spracheName("ru").utf8, "Русский");
    EXPECT_EQ(spracheName("de").utf8, "Deutsch");

    // The text of an id is looked up once per language and stays where it is: the same object
    // after the language went away and came back, and the German one untouched meanwhile.
    const Text* russisch = &tr("Zur\x81" "ck");
    spracheWaehlen("de");
    EXPECT_EQ(&tr("Zur\x81" "ck"), &deutsch);
    spracheWaehlen("ru");
    EXPECT_EQ(&tr("Zur\x81" "ck"), russisch);
    EXPECT_EQ(deutsch.utf8, "Zur\xC3\xBC" "ck");
}

TEST(Uebersetzung, WithoutASettingTheEnvironmentChoosesAndNeedsNoLocaleOfTheSystem)
{
    Katalogordner k;
    k.hinzu("en", "msgid \"Zurück\"\nmsgstr \"Back\"\n");
    test::Umgebung umgebung;
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) umgebung.setzen(name, nullptr);
    // A locale this machine never generated.
    umgebung.setzen("LANG", "en_US.UTF-8");
    test::SpracheFuerTest schutz(k.pfad(), "");
    EXPECT_EQ(sprache(), "en");
    EXPECT_EQ(tr("Zur\x81" "ck").utf8, "Back");
    // A setting whose catalogue is gone falls back to the environment too.
    spracheWaehlen("ru");
    EXPECT_EQ(sprache(), "en");
    umgebung.setzen("LANG", "ru_RU.UTF-8");
    spracheWaehlen("");
    EXPECT_EQ(sprache(), "en");  // any other language without a catalogue is English
    umgebung.setzen("LANG", "de_DE.UTF-8");
    spracheWaehlen("");
    EXPECT_EQ(sprache(), "de");
}

TEST(Uebersetzung, PlaceholdersTakeNumbersNamesAndOtherTexts)
{
    const Text vorlage{"{a}+{b}={c} {unbekannt} {{}}"};
    EXPECT_EQ(einsetzen(vorlage, {{"a", -4}, {"b", std::string("\x81")}, {"c", Text{"Ж"}}}).utf8,
              "-4+ü=Ж {unbekannt} {}");
}

std::vector<Farbe> gezeichnet(const Text& text)
{
    ImagePtr bild = imageCreate(textBreite(text) + 8, 16, 0xFF000001);
    drawText(*bild, 0, 0, text, 0xFFFFFFFF);
    return bild->pixels;
}

std::vector<Farbe> gezeichnetCp437(std::string_view cp437)
{
    ImagePtr bild = imageCreate(static_cast<int>(cp437.size()) * 8 + 8, 16, 0xFF000001);
    drawText(*bild, 0, 0, cp437, 0xFFFFFFFF);
    return bild->pixels;
}

// The glyph of a code point as GNU Unifont's hex file has it, drawn as drawText would.
std::vector<Farbe> unifontReferenz(char32_t zeichen)
{
    std::ifstream hex(QZ_UNIFONT_HEX);
    std::ostringstream schluessel;
    schluessel << std::hex << std::uppercase;
    schluessel.width(4);
    schluessel.fill('0');
    schluessel << static_cast<unsigned>(zeichen) << ':';
    std::string zeile;
    while (std::getline(hex, zeile) && zeile.rfind(schluessel.str(), 0) != 0) {
    }
    std::vector<Farbe> px(16 * 16, 0xFF000001);
    const std::string rows = zeile.substr(schluessel.str().size());
    EXPECT_EQ(rows.size(), 32u) << "no half-width glyph for " << schluessel.str();
    for (int r = 0; r < 16 && rows.size() == 32; ++r) {
        const unsigned bits = std::stoul(rows.substr(2 * r, 2), nullptr, 16);
        for (int b = 0; b < 8; ++b)
            if (bits & (0x80u >> b)) px[r * 16 + b] = 0xFFFFFFFF;
    }
    return px;
}

TEST(DrawTextUtf8, GermanDrawsExactlyItsCodePage437Bytes)
{
    std::string alle;
    for (int b = 1; b < 256; ++b) alle += static_cast<char>(b);
    const Text text = textAusCp437(alle);
    EXPECT_EQ(zeichenzahl(text), 255u);
    EXPECT_EQ(gezeichnet(text), gezeichnetCp437(alle));
    EXPECT_EQ(centredX(512, text), centredX(512, alle.size()));
}

TEST(DrawTextUtf8, OtherCharactersComeFromUnifontAndUnknownOnesShowTheReplacementMark)
{
    for (const char* zeichen : {"Ж", "ą", "ł", "ψ"}) {
        std::size_t pos = 0;
        EXPECT_EQ(gezeichnet(Text{zeichen}), unifontReferenz(naechstesZeichen(zeichen, pos))) << zeichen;
    }
    // A character of both fonts takes the game's own glyph.
    EXPECT_EQ(gezeichnet(Text{"Ω"}), gezeichnetCp437("\xEA"));
    const auto ersatz = unifontReferenz(0xFFFD);
    EXPECT_EQ(gezeichnet(Text{"一"}), ersatz);        // a script not compiled in
    EXPECT_EQ(gezeichnet(Text{"\xFF"}), ersatz);      // a byte that is no UTF-8
    EXPECT_EQ(gezeichnet(Text{"\xC3"}), ersatz);      // a sequence cut short
    EXPECT_EQ(zeichenzahl(Text{"aЖ\xFF" "b"}), 4u);
}

}  // namespace
}  // namespace qz
