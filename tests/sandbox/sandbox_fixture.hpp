// The sandbox on the headless backend: the main menu and the sandbox screen driven pass by
// pass like the main loop does, with plain stand-in pictures and the manual clock. A test that
// needs two runs side by side (a game saved in one and loaded in the other) takes two Sitzungen.
#pragma once

#include "frame/klang.hpp"
#include "app/programm.hpp"
#include "sandbox/sandkasten.hpp"
#include "platform/headless/headless_platform.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qz {

// Stand-in background: a dark blue map whose red channel marks the background number.
inline ImagePtr standInBackground(const std::string& datei)
{
    const int nummer = std::stoi(datei.substr(datei.rfind('/') + 1));
    return imageCreate(2560, 1600, rgb(nummer, 0, 60));
}

// One run of the game: its window, state and pictures, driven pass by pass.
struct Sitzung {
    HeadlessPlatform platform;
    Rahmen r{platform};
    Spielstand spiel;
    Speichermenue speicher;
    std::vector<std::string> geladen;
    Bildquellen quellen{
        [this](const std::string& datei) {
            geladen.push_back(datei);
            return standInBackground(datei);
        },
        [this](const std::string& datei) {
            geladen.push_back(datei);
            return imageCreate(32, 32, 0xFF00FF00);
        },
    };

    Sitzung()
    {
        platform.screenOpen(1024, 768, 32);
        for (int k = 1; k <= 23; ++k) r.Oberflaechenbild(k) = imageCreate(156, 25, 0xFF202020);
        for (int k = 1; k <= 18; ++k) r.Planetenbild(k) = imageCreate(100, 100, 0xFF505050);
    }

    // One pass of the main loop with the pointer at (x, y) and the given buttons held.
    void pass(int x, int y, int buttons = 0)
    {
        platform.moveMouse(x, y);
        platform.setButtons(buttons);
        readInput(r);
        if (r.Programmzustand == "hauptmenu") hauptmenuScreen(r);
        else if (r.Programmzustand == "sandkasten") sandkastenScreen(r, spiel, quellen, speicher);
        if (r.Mausereignis == 42) {
            playClick(r);
            r.Mausereignis = 0;
        }
        platform.sleepMs(1);
    }
    void click(int x, int y)
    {
        pass(x, y, 1);
        pass(x, y, 0);
    }
    // Escape on the map: the sandbox menu.
    void escape()
    {
        platform.holdKey(scan::Escape);
        pass(512, 500);
        platform.releaseKey(scan::Escape);
    }
    // Passes with the pointer resting in the middle of the map until the clock has moved on.
    void warte(double sekunden, double schritt = 0.05)
    {
        const double ende = platform.timer() + sekunden;
        while (platform.timer() < ende) {
            pass(512, 500);
            platform.advance(schritt);
        }
    }
    int klicks()
    {
        int n = 0;
        for (const auto& c : platform.recordedSound().calls) n += c.what == "play";
        return n;
    }
    Farbe pixel(int x, int y) { return r.screen().row(y)[x] & 0xFFFFFF; }

    // From the main menu through "Sandkasten", "Neues Spiel" and "Spiel Starten".
    void starteSpiel()
    {
        click(512, 230);  // Sandkasten
        click(512, 230);  // Neues Spiel
        click(512, 461);  // Spiel Starten
    }
    int heimat()
    {
        for (int i = 1; i <= spiel.Sternanzahl; ++i)
            if (spiel.systeme.typ(i) == 42 && spiel.systeme.besitzer(i) == 1) return i;
        return 0;
    }
};

struct SandboxFixture : ::testing::Test, Sitzung {
    void SetUp() override { std::filesystem::remove("fehlerbericht.txt"); }
};

}  // namespace qz
