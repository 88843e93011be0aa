// The multiplayer screens on the headless backend with stand-in pictures. The test plays the
// request worker itself: it reads what a screen posted from the pair tables and hands replies
// back through Empfangsdaten, so every period and request is checked without threads.
#pragma once

#include "multiplayer/screens/multiplayer_screen.hpp"
#include "platform/headless/headless_platform.hpp"
#include "gezeichneter_text.hpp"

#include <gtest/gtest.h>

#include <map>

namespace qz {

struct MpFixture : ::testing::Test {
    HeadlessPlatform platform;
    Rahmen r{platform};
    Spielstand spiel;
    Serverdaten server;
    Mehrspieler mp;
    Bildquellen quellen{[](const std::string&) { return imageCreate(2560, 1600, 0xFF000010); },
                        [](const std::string&) { return imageCreate(32, 32, 0xFFFF0000); }};

    void SetUp() override
    {
        platform.screenOpen(1024, 768, 32);
        for (int k = 1; k <= 23; ++k) r.Oberflaechenbild(k) = imageCreate(k == 19 ? 400 : 156, k == 19 ? 400 : 30, 0xFF202020);
        for (int k = 1; k <= 18; ++k) r.Planetenbild(k) = imageCreate(64, 64, 0xFF606060);
        r.Programmzustand = "multiplayer";
    }

    // One pass with the given mouse event at (x, y) and key text.
    void pass(int event = 0, int x = -1, int y = -1, const std::string& taste = "")
    {
        r.Mausereignis = event;
        r.MausX = x;
        r.MausY = y;
        r.LetzteTaste = taste;
        multiplayerScreen(r, spiel, server, mp, quellen);
        if (r.Mausereignis == 42) r.Mausereignis = 0;
    }
    void click(int x, int y) { pass(1, x, y); }
    void type(const std::string& text)
    {
        for (char c : text) pass(0, -1, -1, std::string(1, c));
    }
    void tab()
    {
        platform.holdKey(scan::Tab);
        pass();
        platform.releaseKey(scan::Tab);
        pass();
    }

    // The worker's side: was a request posted, and with which pairs.
    bool offen() { return server.Anfrageoffen == 1; }
    std::map<std::string, std::string> gesendet()
    {
        std::map<std::string, std::string> paare;
        for (int e = 1; e <= 40; ++e)
            if (!server.PostKVP(e).Key.empty()) paare[server.PostKVP(e).Key] = server.PostKVP(e).Value;
        if (!server.GetKVP(1).Key.empty()) paare[server.GetKVP(1).Key] = server.GetKVP(1).Value;
        return paare;
    }
    // Completes the pending request with a reply (empty: the server was unreachable).
    void antworte(const std::string& antwort)
    {
        server.Anfrageoffen = 0;
        server.Empfangsdaten = antwort;
    }
    std::string infos() { return server.PostKVP(1).Value; }
    // True when exactly this white text is drawn at (x, y).
    bool zeigtText(int x, int y, const std::string& cp437) { return test::zeigtText(platform.screen(), x, y, cp437); }
    // Red text in the 16 rows from y, where the screens show the server's refusals.
    bool roteZeile(int y)
    {
        for (int yy = y; yy < y + 16; ++yy)
            for (int x = 200; x < 824; ++x)
                if ((point(&platform.screen(), x, yy) & 0xFFFFFFu) == 0xFF0000u) return true;
        return false;
    }
};

}  // namespace qz
