// The two pre-drawn overlays of the star map, shared by both modes: the outer edge of the
// union of the scan circles around the own systems, and the trade lines between linked systems.
#pragma once

#include "platform/errors.hpp"
#include "state/spielstand.hpp"

namespace qz {

// Replaces the scan overlay: rings around every own system, then their insides cut away.
void scanOverlayNeu(Spielstand& spiel);

// Replaces the trade overlay: one line per pair of systems in the cut trade list.
void handelOverlayNeu(Spielstand& spiel);

// Grows the content rectangle of an overlay by the box from (x1, y1) to (x2, y2), both included.
void inhaltErweitern(SourceRect& inhalt, int x1, int y1, int x2, int y2);

// Blits the part of the view at the scroll position that holds the overlay's content: the
// overlays are mostly mask colour, and a transparent blit of the whole view costs about as much
// as the rest of the frame.
void overlayZeichnen(Image& bildschirm, const ImagePtr& overlay, const SourceRect& inhalt, int scrollX, int scrollY,
                     Quellort wo = Quellort::current());

}  // namespace qz
