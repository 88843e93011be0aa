// qz's command line: the server option in both spellings, and what ends the program instead.
#include "app/kommandozeile.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(Kommandozeile, NamesTheServerOrSaysWhatIsWrong)
{
    struct Fall {
        std::vector<std::string> argumente;
        const char* server;  // serverAddressText of the option; nullptr: none
        bool fehler;
    };
    const Fall faelle[] = {
        {{}, nullptr, false},
        {{"--server", "localhost:8080"}, "localhost:8080", false},
        {{"--server=[::1]:4000"}, "[::1]:4000", false},
        {{"--server"}, nullptr, true},
        {{"--server", "host:0"}, nullptr, true},
        {{"--port", "80"}, nullptr, true},
    };
    for (const Fall& f : faelle) {
        const Kommandozeile k = kommandozeileLesen(f.argumente);
        const std::string zeile = f.argumente.empty() ? "(none)" : f.argumente[0];
        EXPECT_EQ(!k.fehler.empty(), f.fehler) << zeile;
        EXPECT_EQ(k.optionen.server ? serverAddressText(*k.optionen.server) : "", f.server ? f.server : "") << zeile;
    }
    EXPECT_TRUE(kommandozeileLesen({"--help"}).hilfe);
}

}  // namespace
}  // namespace qz
