// The planet type table: fortification base and the inclusive ranges of the five planet
// value bases per type 1..17, and the home planet (type 42).
#pragma once

namespace qz {

constexpr int kHeimatTyp = 42;

struct Bereich {
    int von;
    int bis;  // inclusive
};

struct Planetentyp {
    int befestigung;
    Bereich einwohner, versorgung, forschung, handel, werft;
};

// Types 1..17; type 42 is the home planet.
const Planetentyp& planetentyp(int typ);

// The types a system can have and show: 1..18 (a picture each) and the home planet. Any other
// value from outside (a server, a file) is refused, since every screen of the system would
// fail on it.
inline bool planetentypGueltig(int typ) { return (typ >= 1 && typ <= 18) || typ == kHeimatTyp; }

// The planet picture of a type: its own number, 18 for the home planet.
inline int planetenbildNummer(int typ) { return typ == kHeimatTyp ? 18 : typ; }

}  // namespace qz
