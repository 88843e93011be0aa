#include "multiplayer/session/zuschauen.hpp"

namespace qz {

void Zuschauen::beginnen(std::string kanalName)
{
    *this = Zuschauen();
    kanal = std::move(kanalName);
}

}  // namespace qz
