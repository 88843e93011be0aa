// The routines of star-system management and fleets that the sandbox loop calls in their
// places: research, shipbuilding, hangar and repair, trade, the system screens, fleet
// movement, routes and docking. They live in systems/ and fleets/, below the loop.
#pragma once

#include "fleets/andocken.hpp"
#include "fleets/flotten.hpp"
#include "fleets/route.hpp"
#include "systems/forschung.hpp"
#include "systems/handel.hpp"
#include "systems/hangar.hpp"
#include "systems/schiffbau.hpp"
#include "systems/sternsystem_bildschirm.hpp"
