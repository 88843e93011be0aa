#include "app/picture_loading.hpp"
#include "platform/folders.hpp"

namespace qz {

std::string materialFile(int set, int number)
{
    return dataFile("material/" + std::to_string(set) + "/" + std::to_string(number) + ".orn-games");
}

void loadStartPictures(Rahmen& rahmen, const BildLader& laden)
{
    for (int k = 1; k <= 23; ++k) rahmen.Oberflaechenbild(k) = laden ? laden(materialFile(1, k)) : nullptr;
    for (int k = 1; k <= 18; ++k) rahmen.Planetenbild(k) = laden ? laden(materialFile(3, k)) : nullptr;
}

void releasePictures(Rahmen& rahmen)
{
    rahmen.Hintergrundbild.reset();
    for (int k = 1; k <= 23; ++k) rahmen.Oberflaechenbild(k).reset();
    for (int k = 1; k <= 18; ++k) rahmen.Planetenbild(k).reset();
    for (int p = 1; p <= 4; ++p)
        for (int t = 1; t <= 8; ++t) rahmen.Schiffbild(p, t).reset();
}

}  // namespace qz
