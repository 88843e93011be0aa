// Writes seed replies for reply_fuzzer: a lobby reply with slots and a star map, game
// replies with system lists, ship blocks, agreements, trade routes, battles and chat, and a
// spectator's reply with a whole state and the changes after it.
#include "net/base64.hpp"
#include "replay/state_codec.hpp"

#include <fstream>
#include <string>

namespace {

// An entry as the server sends it: base64 without padding.
std::string eintrag(const std::string& bytes)
{
    std::string text = qz::base64Kodieren(bytes);
    while (!text.empty() && text.back() == '=') text.pop_back();
    return text;
}

std::string zuschauerAntwort()
{
    qz::replay::ReplayState vorher;
    for (int i = 1; i <= 3; ++i) vorher.systems.push_back({"Planet " + std::to_string(i), 40 * i, 30 * i, 42, i, 0, 800, 0});
    vorher.seats[0] = {"anna", 3, false, {}};
    vorher.seats[0].texts[qz::replay::type] = ",3,7";
    vorher.seats[0].texts[qz::replay::x] = ",10,20";
    qz::replay::ReplayState nachher = vorher;
    nachher.seats[0].texts[qz::replay::x] = ",12,20";
    qz::replay::appendChat(nachher, {1, "hallo"});
    return "zuschauen;;60;;65000;;0;;,7:0:" + eintrag(qz::replay::encodeFull(vorher)) + ",8:1:" +
           eintrag(qz::replay::encodeChanges(vorher, nachher));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return 1;
    const std::string ordner = argv[2];
    const std::string seeds[] = {
        std::string("\x04") + "channel;;1;;3;;#sid-abc-sid##SP1-,1,anna,3,1-SP1##SP2-,2,-SP2##SP3-,3,bert,5,0-SP3#"
                              "#NAM-,Heimatplanet,Planet X2,Planet X3-NAM##POX-,100,900,30-POX##POY-,50,60,70-POY#"
                              "#BES-,1,0,3-BES##TYP-,42,13,5-TYP##ENW-,80,30,9-ENW##STK-7-STK#",
        std::string("\x01") + "#BES-,1,2,0-BES##TYP-,42,42,3-TYP##SLD-,5,6,7-SLD##BFG-,8,9,10-BFG##PAG-,0,1,0-PAG#"
                              "#si1typ-,3,7-si1typ##si1pox-,10,20-si1pox##si1poy-,11,21-si1poy##si1fid-,1,2-si1fid#"
                              "#si1bwg-,2229,0-si1bwg##si1doc-,0,0-si1doc##si1uml-,0,3-si1uml##si1fig-2-si1fig#"
                              "#s1hvtg-2-s1hvtg##s1hweg-,1,3-s1hweg##chat-1;-;hallo;-;5;-;Server-chat#",
        std::string("\x00", 1) + "#kuml3-#sp1ksid-,1,2-sp1ksid##sp1klbp-,100,100-sp1klbp##sp2ksid-,1-sp2ksid#"
                                 "#sp2kfkt-,300-sp2kfkt#-3kuml##si2typ-,1-si2typ#",
        std::string("\x08") + zuschauerAntwort(),
    };
    int n = 0;
    for (const std::string& seed : seeds) std::ofstream(ordner + "/seed" + std::to_string(++n), std::ios::binary) << seed;
    return 0;
}
