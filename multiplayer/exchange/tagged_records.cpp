#include "multiplayer/exchange/tagged_records.hpp"

#include "gfx/widgets.hpp"

namespace qz {

bool textZwischen(std::string_view text, std::string_view open, std::string_view close, std::string& inhalt)
{
    const auto start = text.find(open);
    if (start == std::string_view::npos) return false;
    const auto von = start + open.size();
    const auto ende = text.find(close, von);
    if (ende == std::string_view::npos) return false;
    inhalt.assign(text.substr(von, ende - von));
    return true;
}

bool recordLesen(std::string_view text, std::string_view tag, std::string& inhalt)
{
    std::string open = "#";
    open += tag;
    open += '-';
    std::string close = "-";
    close += tag;
    close += '#';
    std::string gelesen;
    if (!textZwischen(text, open, close, gelesen) || gelesen.empty()) return false;
    inhalt = std::move(gelesen);
    return true;
}

bool kampfRecordLesen(std::string_view text, int system, std::string& inhalt)
{
    const std::string nummer = std::to_string(system);
    std::string gelesen;
    if (!textZwischen(text, "#kuml" + nummer + "-", "-" + nummer + "kuml#", gelesen) || gelesen.empty()) return false;
    inhalt = std::move(gelesen);
    return true;
}

int listenRecordLesen(std::string_view text, std::string_view tag, std::vector<std::string>& werte)
{
    werte.clear();
    std::string inhalt;
    if (!recordLesen(text, tag, inhalt)) return 0;
    return STRINGSPLIT(inhalt, ",", werte);
}

}  // namespace qz
