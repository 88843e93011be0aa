// The host's star-map upload ("i1" = "42"): system names, positions, owners, types, base
// values, background, shields and fortification, every list over all systems.
#pragma once

#include "game/channel.hpp"
#include "base/form.hpp"

namespace qz::server {

// Throws BadRequest when a list is malformed, the lists differ in length, an owner is not a
// slot of a channel of maxPlayers, a planet type is none the game shows, or the background is
// not 1..13.
StarMap readMapUpload(const FormFields& form, int maxPlayers);

}  // namespace qz::server
