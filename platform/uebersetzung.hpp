// Every text a player reads passes through tr(). Its argument is the German text exactly as
// the sources have always written it, in code page 437 bytes ("Zur\x81" "ck"): that is the
// message id of the catalogues in po/ (extracted into po/qz.pot as UTF-8, "Zurück"). German
// needs no catalogue: its Text is the id itself, so it draws exactly as before. Any other
// language reads the catalogue <data>/locale/<code>/LC_MESSAGES/qz.mo (made from po/<code>.po at
// build time); a text it lacks stays German.
//
// Numbers and names never get glued to translated pieces: the text names them in braces and
// the call fills them in, so a translation can move them:
//     r.textMittig(512, 552, tr("Seite: {seite}/6", {{"seite", seite}}));
// A value is a whole number, code page 437 bytes (a player's or a system's name, converted for
// drawing) or a Text (another translated text). "{{" and "}}" stand for the braces themselves.
//
// A text kept in a table and translated where it is drawn is marked with trMark() where it is
// written, so that the extraction finds it, and passed to tr() where it is drawn. trc() is
// tr() with a context, for a German word that needs two different translations (trcMark() marks
// one for later). A comment starting "TRANSLATORS:" right above a call goes into the catalogues.
//
// A lookup in the catalogue happens once per text and language; after that tr() finds the
// Text in a table, and the reference it returns stays valid for the whole run.
#pragma once

#include "platform/text.hpp"

#include <concepts>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

const Text& tr(std::string_view deutsch);
const Text& trc(std::string_view kontext, std::string_view deutsch);
constexpr std::string_view trMark(std::string_view deutsch) { return deutsch; }
constexpr std::string_view trcMark(std::string_view, std::string_view deutsch) { return deutsch; }

// One placeholder's value.
struct Wert {
    template <std::integral Zahl>
    Wert(std::string_view n, Zahl zahl) : name(n), utf8(std::to_string(zahl)) {}
    Wert(std::string_view n, std::string_view cp437) : name(n), utf8(cp437ZuUtf8(cp437)) {}
    Wert(std::string_view n, const Text& text) : name(n), utf8(text.utf8) {}

    std::string_view name;
    std::string utf8;
};

Text tr(std::string_view deutsch, std::initializer_list<Wert> werte);

// The placeholders of a translated text filled in; an unknown name stays as it stands.
Text einsetzen(const Text& vorlage, std::initializer_list<Wert> werte);

// Where the catalogues are: locale/ in the data folder (folders.hpp).
std::filesystem::path katalogOrdner();

// The codes of the languages with a catalogue there, sorted (German is not among them).
std::vector<std::string> vorhandeneSprachen();

// Chooses the language: "de" for German, a code with a catalogue for that language, and the
// empty text (or a code whose catalogue is missing) for the environment's language
// (sprachwahl.hpp). Takes effect for every text from the next tr() on.
void spracheWaehlen(std::string_view code);

// The language shown: "de" or the code of the catalogue in use.
std::string sprache();

// Grows by one with every change of the language: a screen that keeps composed texts makes
// them again when it differs from the one they were made under.
unsigned sprachGeneration();

// A language's own name, as its catalogue translates "Deutsch" in the context "Sprachname".
Text spracheName(std::string_view code);

}  // namespace qz
