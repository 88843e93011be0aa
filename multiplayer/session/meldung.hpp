// What the server refused, and a game that was lost, shown in red over the multiplayer screens
// for a few seconds: a refused request must not pass unseen.
#pragma once

#include "multiplayer/session/mehrspieler.hpp"
#include "platform/uebersetzung.hpp"

#include <string>
#include <string_view>

namespace qz {

inline constexpr double kMeldungsdauer = 5.0;
inline constexpr int kMeldungMenueY = 160;  // above the menu panel
inline constexpr int kMeldungKarteY = 645;  // above the status bar of the running map

// The server's reason when it no longer knows the session a request named.
inline constexpr std::string_view kUnbekannteSitzung = "Unbekannte Sitzung";
// The server took a request but had no room for the own part it carried, and keeps none.
inline constexpr std::string_view kTeilNichtGesichert = trMark("Server voll: eigener Spielstand dort nicht gesichert");

// The text in the reader's language: tr() of a message id, or ablehnungText() of what the server sent.
void meldungZeigen(Mehrspieler& mp, const Text& text, double jetzt);

// For the reply "fehler" + ";;" + reason: shows the server's reason in the reader's language
// (server_texte.hpp) and returns it as it came; the empty text for every other reply.
std::string fehlerMelden(std::string_view antwort, Mehrspieler& mp, double jetzt);

}  // namespace qz
