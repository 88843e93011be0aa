// The "Credits" screen: six pages that follow each other by their own showing times, with a
// page footer and a "Zurück" button.
#pragma once

#include "frame/rahmen.hpp"

#include <string>
#include <vector>

namespace qz {

constexpr int kCreditsSeiten = 6;

// Showing time of page 1..6 in seconds.
double creditsAnzeigedauer(int seite);

// One line of a page: its text (code page 437) and its y position on the screen.
struct CreditsZeile {
    std::string text;
    int y;
};
// The lines of page 1..6; page 0 (shown after re-entering early) has none.
std::vector<CreditsZeile> creditsZeilen(int seite);

void creditsScreen(Rahmen& rahmen);

}  // namespace qz
