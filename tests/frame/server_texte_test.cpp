// What the server sends for players to read, in the reader's language: every fixed refusal the
// server can give is known to the game and translated, and the chat lines the server writes,
// made by the server's own functions, come out translated with their names filled in; what the
// game does not know is shown as it came.
#include "frame/server_texte.hpp"
#include "platform/uebersetzung.hpp"
#include "server/base/refusals.hpp"
#include "server/game/chat_lines.hpp"
#include "sprache.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace qz {
namespace {

TEST(ServerTexte, EveryRefusalOfTheServerIsKnownAndReadsInEnglish)
{
    const auto bekannt = bekannteAblehnungen();
    for (std::string_view grund : server::kRefusals)
        EXPECT_NE(std::find(bekannt.begin(), bekannt.end(), grund), bekannt.end()) << grund << " is not known to the game";
    EXPECT_EQ(bekannt.size(), server::kRefusals.size()) << "the game knows a refusal the server never gives";

    {
        test::SpracheFuerTest deutsch(QZ_RUNTIME_DIR, "de");
        for (std::string_view grund : server::kRefusals) EXPECT_EQ(ablehnungText(grund), textAusCp437(grund));
    }
    test::SpracheFuerTest englisch(QZ_RUNTIME_DIR, "en");
    ASSERT_EQ(sprache(), "en");
    for (std::string_view grund : server::kRefusals) {
        EXPECT_NE(ablehnungText(grund), textAusCp437(grund)) << grund << " has no English";
        EXPECT_EQ(ablehnungText(grund), tr(grund));
    }
    EXPECT_EQ(ablehnungText("Spiel laeuft bereits").utf8, "The game is already running");
    // Put together at run time, or from a newer server: as it came.
    for (std::string_view fremd : {"Keine Zahl in i5", "Spielername zu lang", "Gesperrt bis morgen", ""})
        EXPECT_EQ(ablehnungText(fremd), textAusCp437(fremd));
}

TEST(ServerTexte, TheServersChatLinesReadInTheReadersLanguageWithTheirNames)
{
    struct Fall {
        std::string zeile;     // as the server writes it, code page 437
        std::string englisch;  // UTF-8
    };
    const Fall faelle[] = {
        {server::joinedLine("anna"), "anna joined."},
        {server::connectionLostLine("J\x94rg M"), "J\u00f6rg M lost the connection"},
        {server::backLine("bert"), "bert is back"},
        {server::conqueredLine("dora", "Vega Prime"), "dora conquered Vega Prime."},
        // A name holding the wording's own words: the first place the wording fits names the player.
        {server::conqueredLine("Kai", "hat erobert."), "Kai conquered hat erobert.."},
        // Not the server's wording: as it came.
        {"Willkommen, anna", "Willkommen, anna"},
        {" ist beigetreten.", " ist beigetreten."},
        {"anna ist beigetreten", "anna ist beigetreten"},
    };
    for (const Fall& f : faelle) {
        {
            test::SpracheFuerTest deutsch(QZ_RUNTIME_DIR, "de");
            EXPECT_EQ(serverzeileText(f.zeile), textAusCp437(f.zeile)) << f.zeile;
        }
        test::SpracheFuerTest englisch(QZ_RUNTIME_DIR, "en");
        EXPECT_EQ(serverzeileText(f.zeile).utf8, f.englisch) << f.zeile;
    }
    // Every wording the game knows is one the server writes: each table entry was met above.
    EXPECT_EQ(bekannteServerzeilen().size(), 4u);
}

}  // namespace
}  // namespace qz
