#include "datei_inhalt.hpp"

#include <fstream>
#include <sstream>

namespace qz::test {

std::string dateiInhalt(const std::filesystem::path& datei)
{
    std::ifstream in(datei, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace qz::test
