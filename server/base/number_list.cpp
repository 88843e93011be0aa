#include "base/number_list.hpp"

#include "base/bad_request.hpp"
#include "base/limits.hpp"

#include <charconv>

namespace qz::server {

std::optional<int> parseInt(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

int requireInt(std::string_view text, std::string_view field) {
    const std::optional<int> value = parseInt(text);
    if (!value) throw BadRequest("Keine Zahl in " + std::string(field));
    return *value;
}

int requireIntInRange(std::string_view text, std::string_view field, int low, int high) {
    const int value = requireInt(text, field);
    if (value < low || value > high) throw BadRequest("Wert ausserhalb in " + std::string(field));
    return value;
}

std::vector<std::string_view> splitList(std::string_view list, std::string_view field) {
    std::vector<std::string_view> entries;
    if (list.empty()) return entries;
    if (list.front() != ',') throw BadRequest("Liste ohne Komma in " + std::string(field));
    std::size_t start = 1;
    while (true) {
        if (entries.size() >= kMaxListEntries) throw BadRequest("Liste zu lang in " + std::string(field));
        const std::size_t comma = list.find(',', start);
        if (comma == std::string_view::npos) {
            entries.push_back(list.substr(start));
            break;
        }
        entries.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return entries;
}

std::vector<int> parseIntList(std::string_view list, std::string_view field) {
    const std::vector<std::string_view> entries = splitList(list, field);
    std::vector<int> values;
    values.reserve(entries.size());
    for (std::string_view entry : entries) values.push_back(requireInt(entry, field));
    return values;
}

std::vector<int> parseIntListInRange(std::string_view list, std::string_view field, int low, int high) {
    std::vector<int> values = parseIntList(list, field);
    for (int value : values) {
        if (value < low || value > high) throw BadRequest("Wert ausserhalb in " + std::string(field));
    }
    return values;
}

std::vector<std::string_view> parseRouteList(std::string_view list, std::string_view field) {
    std::vector<std::string_view> entries = splitList(list, field);
    for (std::string_view entry : entries) {
        if (entry.empty() || entry.size() > kMaxRouteDigits ||
            entry.find_first_not_of("0123456789") != std::string_view::npos) {
            throw BadRequest("Ungueltige Route in " + std::string(field));
        }
    }
    return entries;
}

void appendIntList(std::string& out, const std::vector<int>& values) {
    char buffer[16];
    for (int value : values) {
        out += ',';
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
        out.append(buffer, end);
    }
}

}  // namespace qz::server
