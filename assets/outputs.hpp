// Where each generated file goes, relative to the folder of the game executable.
#pragma once

#include <string>

namespace qz::assets {

constexpr int kBackgroundCount = 13;
constexpr int kPlanetPictureCount = 18;
constexpr int kShipColours = 8;
constexpr int kShipTypes = 8;

inline std::string interfacePath(int k) { return "material/1/" + std::to_string(k) + ".orn-games"; }
inline std::string backgroundPath(int k) { return "material/2/" + std::to_string(k) + ".orn-games"; }
inline std::string planetPath(int k) { return "material/3/" + std::to_string(k) + ".orn-games"; }
inline std::string shipPath(int colour, int type)
{
    return "material/4/" + std::to_string(colour) + "/" + std::to_string(type) + ".orn-games";
}
// The desktop icon in the layout of an icon theme, so it installs by copying the folder.
inline std::string iconPath(int size)
{
    return "icons/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/qz.png";
}
inline std::string soundPath(const std::string& name) { return "sound/" + name + ".mp3"; }

}  // namespace qz::assets
