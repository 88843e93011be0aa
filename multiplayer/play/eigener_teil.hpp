// The own part of a running multiplayer game (state/eigener_spielstand.hpp) on its two ways:
// out with the first "spiel" request after each day tick and into the local copy, one file per
// server, channel and login in the data folder (folders().mehrspieler); and back when the player
// rejoins, where the newer of the two copies is taken over, with the own ships and systems as
// the server holds them.
#pragma once

#include "state/eigener_spielstand.hpp"
#include "state/spielstand.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "multiplayer/exchange/server_worker.hpp"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qz {

// The local copy's file for a server (as serverAddressText writes it), a channel's session id
// and a login; every byte but letters, digits, "." and "-" is written as "_" and two hex
// digits, so any name makes one file name of its own. Empty while the program keeps no copies.
std::filesystem::path eigeneKopie(std::string_view server, std::string_view sitzung, std::string_view login);

// Writes the file on a thread of its own (the previous write is waited for first), and removes
// every file of the folder not written for kKopieVeraltet.
void eigeneKopieSchreiben(Mehrspieler& mp, const std::filesystem::path& kopie, std::string datei);
inline constexpr std::chrono::hours kKopieVeraltet{7 * 24};

// The request of a player back in a running game: the name and "privatholen" = 1, nothing
// else, so that nothing of the fresh start replaces what the server keeps of the player.
void wiedereinstiegAnfrageSchreiben(Feld<KVP>& GetKVP, Feld<KVP>& PostKVP, const Mehrspieler& mp);

// The newer of the two copies by game day (the local one when both are of one day); null
// when there is neither.
const EigenerSpielstand* neuererTeil(const std::optional<EigenerSpielstand>& lokal,
                                     const std::optional<EigenerSpielstand>& vomServer);

// The reply to that request, after it was applied as any reply: the own ships from the own
// slot's lists (their places, routes, fleets and types as the server holds them; hull, shield,
// firepower and target from the own part where its ship is the same, else a whole ship of its
// type standing where it is), and the newer of the server's copy ("#privat-") and the local
// copy taken over; an own system the taken copy does not list (a colony founded after its day)
// starts as a new colony. A copy that is damaged, of a newer version or of another game is left out
// with a line in the error report; nothing of it is taken.
void wiedereinstiegAnwenden(std::string_view antwort, Spielstand& spiel, Mehrspieler& mp,
                            const std::filesystem::path& kopie);

}  // namespace qz
