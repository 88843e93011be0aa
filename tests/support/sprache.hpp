// For one test: the game's data folder (and so its catalogues) at a given folder, and a
// language chosen; when the test ends the folders are as they were and the game speaks German,
// as every other test expects.
#pragma once

#include "platform/folders.hpp"
#include "platform/uebersetzung.hpp"

#include <filesystem>
#include <string_view>

namespace qz::test {

class SpracheFuerTest {
public:
    SpracheFuerTest(const std::filesystem::path& daten, std::string_view code) : alt_(folders())
    {
        Folders f = alt_;
        f.data = daten;
        setFolders(f);
        spracheWaehlen(code);
    }
    SpracheFuerTest(const SpracheFuerTest&) = delete;
    SpracheFuerTest& operator=(const SpracheFuerTest&) = delete;
    ~SpracheFuerTest()
    {
        spracheWaehlen("de");
        setFolders(alt_);
    }

private:
    Folders alt_;
};

}  // namespace qz::test
