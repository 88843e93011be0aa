// Until their screens are built these routines leave the game state untouched: the sandbox
// runs, settles its days and draws its map without research, shipbuilding, trade or fleets.
#include "game/later_routines.hpp"

namespace qz {

void SUB_FORSCHUNG(int, int&, int, int&, int, int, int, int&) {}

void SUB_STERNSYSTEM_FORSCHUNG(Rahmen&, int, int, int&, int&, const std::string&, int, int, int, int&, int) {}

void SUB_SCHIFFBAU(int, int, SchiffListen&, int, Feld2<int>&, Feld2<int>&, Feld2<int>&, int, int&) {}

void SUB_STERNSYSTEM_SCHIFFBAU(Rahmen&, int&, int, int, int, int&, int, int, int&, Feld2<int>&, Feld2<int>&,
                               Feld2<int>&, int&)
{
}

void SUB_STERNSYSTEM_HANGER(Rahmen&, int, int, int, int&, int&, int&, int&, int&, int&, int&, int&, int&, int&,
                            SchiffSatz&, int, int)
{
}

void SUB_SCHIFFEREPARIEREN(int, int, int, int, const std::string&, std::string&, std::string&, const std::string&) {}

void SUB_HANDELSABKOMMEN_BERECHNUNG(int, std::string&, int, int, Feld<int>&, Feld<int>&, Feld2<int>&, Feld<int>&,
                                    Feld<int>&, int, int&)
{
}

void SUB_STERNSYSTEM_SELECT(Rahmen&, Sternsysteme&, int, int, Kartenzustand&, int&, int&, int&) {}

void SUB_STERNSYSTEM_STATS(Rahmen&, Sternsysteme&, int, int) {}

void SUB_STERNSYSTEM_BESUCHT(Rahmen&, Sternsysteme&, int, int, SchiffSatz&, int&, int&, int&) {}

void SUB_FLOTTEN_WEG_BERECHNUNG(int&, int, int, int&, int&, int, int, std::string&) {}

void SUB_FLOTTEN(Rahmen&, Kartenzustand&, SchiffSatz&, Sternsysteme&, Spieler&, const Forschung&, int, int, int, int,
                 int, int, int, int)
{
}

void SUB_FLOTTE_ANDOCKEN(Rahmen&, Kartenzustand&, SchiffSatz&, Sternsysteme&, int, int, int, int) {}

}  // namespace qz
