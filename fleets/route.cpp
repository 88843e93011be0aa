#include "fleets/route.hpp"

#include "platform/errors.hpp"

#include <cstdlib>

namespace qz {

namespace {

// The digits in the order the neighbours of the current point are tried.
constexpr Richtung kSchritte[9] = {{0, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}};

char zifferVon(int dx, int dy)
{
    for (int d = 1; d <= 8; ++d)
        if (kSchritte[d].dx == dx && kSchritte[d].dy == dy) return static_cast<char>('0' + d);
    return '0';
}

}  // namespace

Richtung richtungVon(char ziffer)
{
    if (ziffer >= '1' && ziffer <= '8') return kSchritte[ziffer - '0'];
    return {0, 0};
}

char routenSchritt(int& status, int breite, int hoehe, int& cx, int& cy, int tx, int ty, std::string& route)
{
    // The map-sized line image of the reference method cannot be made for an empty map.
    if (breite < 1 || hoehe < 1) raiseError(kIllegalFunctionCall);
    const long long px = static_cast<long long>(cx) + 16, py = static_cast<long long>(cy) + 16;
    char ziffer = '0';
    if (px != tx || py != ty) {
        // The second pixel of the integer line from the current point: the line's only pixel
        // among the eight neighbours. It counts only where the line could be drawn (inside the map).
        const long long dx = std::llabs(tx - px), dy = -std::llabs(ty - py);
        const long long err2 = 2 * (dx + dy);
        long long nx = px, ny = py;
        if (err2 >= dy) nx += tx > px ? 1 : -1;
        if (err2 <= dx) ny += ty > py ? 1 : -1;
        if (nx >= 0 && ny >= 0 && nx < breite && ny < hoehe) ziffer = zifferVon(static_cast<int>(nx - px), static_cast<int>(ny - py));
    }
    if (ziffer == '0') {
        if (px == tx && py == ty) {
            route += '9';
            status = 2;
            return '9';
        }
        // Off the line (a target outside the map): step toward the target axis by axis.
        if (py > ty) ziffer = '1';
        else if (px < tx) ziffer = '2';
        else if (py < ty) ziffer = '3';
        else ziffer = '4';
    }
    const Richtung r = richtungVon(ziffer);
    cx += r.dx;
    cy += r.dy;
    route += ziffer;
    return ziffer;
}

void SUB_FLOTTEN_WEG_BERECHNUNG(int& status, int kartenBreite, int kartenHoehe, int& cx, int& cy, int tx, int ty,
                                std::string& route)
{
    guarded([&] { routenSchritt(status, kartenBreite, kartenHoehe, cx, cy, tx, ty, route); });
}

}  // namespace qz
