// Small routines many screens share: the map overlays' circle and line, map scrolling, the
// text input fields and the splitter every list and server reply goes through.
#pragma once

#include "platform/feld.hpp"
#include "platform/image.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace qz {

class Platform;

void SUB_CIRCLE(int x, int y, int radius, int red, int green, int blue, Image* image, int mode);
void SUB_LINE(int x1, int y1, int x2, int y2, int red, int green, int blue, Image* image);

// Moves the view by one step: keys first (only one rule per call), then the screen edges.
void SCROLLING(Platform& platform, const std::string& keyText, int mouseX, int mouseY, int& scrollX, int& scrollY,
               int step, int rangeX, int rangeY);

// Applies one key of the keyboard buffer to a named input field. Keys the server would refuse
// are not taken: "," ";" "#" ":" in the login name and the channel's name and password, ";"
// and "#" in the chat line, which also never ends up holding ":EDOC".
void SUB_EINGABE(const std::string& keyText, std::string& fieldText, std::string_view fieldName);
int inputFieldLimit(std::string_view fieldName);

// Splits text at separator into array (element 0 onwards) and returns the number of separators
// found; -1, array untouched, when both text and separator are empty.
int STRINGSPLIT(std::string_view text, std::string_view separator, std::vector<std::string>& array);
int STRINGSPLIT(std::string_view text, std::string_view separator, Feld<std::string>& array);
void PRINTARRAY(int& count, std::string_view text, std::string_view separator, Feld<std::string>& array, int flag);

}  // namespace qz
