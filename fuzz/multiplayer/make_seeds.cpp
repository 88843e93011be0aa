// Writes seed replies for reply_fuzzer: a lobby reply with slots and a star map, and game
// replies with system lists, ship blocks, agreements, trade routes, battles and chat.
#include <fstream>
#include <string>

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
    };
    int n = 0;
    for (const std::string& seed : seeds) std::ofstream(ordner + "/seed" + std::to_string(++n), std::ios::binary) << seed;
    return 0;
}
