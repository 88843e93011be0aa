// The route computation: one call adds one direction digit to a fleet's route toward its
// target, following the straight line from the current point; "9" marks the arrival.
#pragma once

#include <string>

namespace qz {

// Direction digits: 1 north, 2 east, 3 south, 4 west, 5 north-east, 6 south-east,
// 7 south-west, 8 north-west, 9 arrival.
struct Richtung {
    int dx;
    int dy;
};
Richtung richtungVon(char ziffer);  // (0, 0) for "9" and anything that is not a step

// One step: (cx, cy) is the top-left corner of the 32 x 32 icon, whose centre travels to
// (tx, ty) on a map of breite x hoehe pixels. Appends the digit, moves (cx, cy) and sets
// status to 2 on arrival. Returns the digit appended.
char routenSchritt(int& status, int breite, int hoehe, int& cx, int& cy, int tx, int ty, std::string& route);

void SUB_FLOTTEN_WEG_BERECHNUNG(int& status, int kartenBreite, int kartenHoehe, int& cx, int& cy, int tx, int ty,
                                std::string& route);

}  // namespace qz
