// Trade: trading posts where one post links at least two own systems (the post itself no
// longer earns its own 20 G); agreements offered or accepted with a co-player whose known
// systems an own post reaches (each such link pays 20 G a day), and broken off with a player
// it is at war with. Offers are repeated no sooner than kAngebotsPause. A player that plans
// less than kHandelsHorizont days ahead builds no posts (a new colony's trade value needs
// months to reach a neighbour).
#pragma once

#include "bot/strategy/entscheidungen.hpp"

namespace qz {

constexpr double kAngebotsPause = 60.0;
constexpr int kHandelsHorizont = 40;

// Systems of player p that are discovered and lie within reach of an own trading post.
int erreichbareHandelspartner(const Lage& lage, int spieler);

std::vector<Entscheidung> handelPlanen(const Lage& lage, const StufenWerte& stufe, Gedaechtnis& g);

}  // namespace qz
