// The generator is deterministic: painting or synthesising a file again in this process gives
// the very bytes the build wrote, so every build ships the same pictures and sounds.
#include "generated_files.hpp"

#include "assets/generate.hpp"

#include <gtest/gtest.h>

namespace qz::assets::test {
namespace {

TEST(Determinism, PicturesAreTheSameBytesEveryTime)
{
    EXPECT_EQ(interfacePictureFile(19), readBytes("material/1/19.orn-games"));
    EXPECT_EQ(planetFile(18), readBytes("material/3/18.orn-games"));
    EXPECT_EQ(shipFile(8, 7), readBytes("material/4/8/7.orn-games"));
    EXPECT_EQ(backgroundFile(13), readBytes("material/2/13.orn-games"));
}

TEST(Determinism, ClickIsTheSameBytesEveryTime)
{
    EXPECT_EQ(clickFile(), readBytes("sound/Klick.mp3"));
}

TEST(Determinism, DifferentNumbersGiveDifferentFiles)
{
    EXPECT_NE(planetFile(1), planetFile(2));
    EXPECT_NE(shipFile(1, 3), shipFile(2, 3));
}

}  // namespace
}  // namespace qz::assets::test
