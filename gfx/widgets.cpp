#include "gfx/widgets.hpp"

#include "platform/errors.hpp"
#include "platform/platform.hpp"

#include <cstring>

namespace qz {

void SUB_CIRCLE(int x, int y, int radius, int red, int green, int blue, Image* image, int mode)
{
    guarded([&] {
        if (!image) raiseError(kNullPointer);
        Farbe colour = rgb(red, green, blue);
        if (mode == 1) {
            circle(*image, x, y, radius - 1, colour, false);
            circle(*image, x, y, radius, colour, false);
        } else if (mode == 2) {
            circle(*image, x, y, radius - 2, colour, true);
        }
    });
}

void SUB_LINE(int x1, int y1, int x2, int y2, int red, int green, int blue, Image* image)
{
    guarded([&] {
        if (!image) raiseError(kNullPointer);
        line(*image, x1, y1, x2, y2, rgb(red, green, blue));
    });
}

void SCROLLING(Platform& platform, const std::string& /*keyText*/, int mouseX, int mouseY, int& scrollX, int& scrollY,
               int step, int rangeX, int rangeY)
{
    guarded([&] {
        const int maxY = rangeY + 111;
        if (platform.keyDown(scan::A) && scrollX > 0) { scrollX -= step; return; }
        if (platform.keyDown(scan::W) && scrollY > 0) { scrollY -= step; return; }
        if (platform.keyDown(scan::D) && scrollX < rangeX) { scrollX += step; return; }
        if (platform.keyDown(scan::S) && scrollY < maxY) { scrollY += step; return; }
        if (platform.keyDown(scan::Left) && scrollX > 0) { scrollX -= step; return; }
        if (platform.keyDown(scan::Up) && scrollY > 0) { scrollY -= step; return; }
        if (platform.keyDown(scan::Right) && scrollX < rangeX) { scrollX += step; return; }
        if (platform.keyDown(scan::Down) && scrollY < maxY) { scrollY += step; return; }
        if (mouseX < 0 && mouseY < 0) return;
        const bool left = mouseX < 10, right = mouseX > 1014, top = mouseY < 10, bottom = mouseY > 758;
        const bool canLeft = scrollX > 0, canRight = scrollX < rangeX, canUp = scrollY > 0, canDown = scrollY < maxY;
        if (top && canUp && right && canRight) { scrollX += step; scrollY -= step; }
        else if (bottom && canDown && right && canRight) { scrollX += step; scrollY += step; }
        else if (left && canLeft && top && canUp) { scrollX -= step; scrollY -= step; }
        else if (left && canLeft && bottom && canDown) { scrollX -= step; scrollY += step; }
        else if (left && canLeft) scrollX -= step;
        else if (top && canUp) scrollY -= step;
        else if (right && canRight) scrollX += step;
        else if (bottom && canDown) scrollY += step;
    });
}

int inputFieldLimit(std::string_view fieldName)
{
    if (fieldName == "loginname" || fieldName == "channelname" || fieldName == "channelpasswort") return 15;
    if (fieldName == "passwort") return 255;
    if (fieldName == "chat") return 40;
    if (fieldName == "server") return 64;
    return 0;
}

void SUB_EINGABE(const std::string& keyText, std::string& fieldText, std::string_view fieldName)
{
    guarded([&] {
        int k = keyText.empty() ? 0 : static_cast<unsigned char>(keyText[0]);
        if (k < 32 || k > 255) {
            if (k == 8 && !fieldText.empty()) fieldText.pop_back();
            return;
        }
        if (static_cast<int>(fieldText.size()) >= inputFieldLimit(fieldName)) return;
        // What the server refuses is refused while typing, or the whole request would be lost:
        // names travel in comma lists and records, the chat line in a record.
        const bool name = fieldName == "loginname" || fieldName == "channelname" || fieldName == "channelpasswort";
        if (name && keyText.find_first_of(",;#:") != std::string::npos) return;
        // A server address holds a host name, an IPv4 or IPv6 address and a port.
        if (fieldName == "server" && keyText.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                               "0123456789.-:[]") != std::string::npos)
            return;
        if (fieldName == "chat") {
            if (keyText.find_first_of(";#") != std::string::npos) return;
            if ((fieldText + keyText).find(":EDOC") != std::string::npos) return;
        }
        fieldText += keyText;
    });
}

int STRINGSPLIT(std::string_view text, std::string_view separator, std::vector<std::string>& array)
{
    if (text.empty() && separator.empty()) return -1;
    // Reuse the strings already in the array: the ship lists are split every frame.
    std::size_t n = 0;
    auto assign = [&](std::string_view piece) {
        if (n < array.size()) array[n].assign(piece);
        else array.emplace_back(piece);
        ++n;
    };
    if (separator.empty()) {
        assign(text);
        array.resize(n);
        return 0;
    }
    std::size_t start = 0;
    if (separator.size() == 1) {
        // The ship lists are single-character lists of thousands of short values: memchr is
        // several times faster than the general search.
        const char* base = text.data();
        const char* end = base + text.size();
        for (const char* p; (p = static_cast<const char*>(std::memchr(base + start, separator[0],
                                                                   static_cast<std::size_t>(end - base) - start)));) {
            assign(text.substr(start, static_cast<std::size_t>(p - base) - start));
            start = static_cast<std::size_t>(p - base) + 1;
        }
    } else {
        for (std::size_t p = text.find(separator); p != std::string_view::npos; p = text.find(separator, start)) {
            assign(text.substr(start, p - start));
            start = p + separator.size();
        }
    }
    assign(text.substr(start));
    array.resize(n);
    return static_cast<int>(n) - 1;
}

int STRINGSPLIT(std::string_view text, std::string_view separator, Feld<std::string>& array)
{
    int n = STRINGSPLIT(text, separator, array.values());
    if (n >= 0) array.rebound(0);
    return n;
}

void PRINTARRAY(int& count, std::string_view text, std::string_view separator, Feld<std::string>& array, int /*flag*/)
{
    count = STRINGSPLIT(text, separator, array);
}

}  // namespace qz
