// A started program on the headless backend with plain stand-in pictures.
#pragma once

#include "app/programm.hpp"
#include "platform/headless/headless_platform.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <new>

namespace qz {

struct FrameFixture : ::testing::Test {
    HeadlessPlatform platform;
    std::unique_ptr<Programm> programm = std::make_unique<Programm>(platform);
    std::atomic<int> roundTrips{0};
    std::atomic<bool> roundTripFails{false};  // the round trip then throws on the worker's thread
    Rahmen& r = programm->rahmen;
    Startoptionen optionen;  // what the command line asked for

    void SetUp() override
    {
        Anbindung anbindung;
        anbindung.server = [this](Serverdaten&) -> RoundTrip {
            return [this](const Feld<KVP>&, const Feld<KVP>&, Abbruch&) {
                if (roundTripFails) throw std::bad_alloc();
                ++roundTrips;
                return std::string("HTTP/1.1 200 OK\r\n\r\nCODE:onlinecheck;;online:EDOC");
            };
        };
        anbindung.bildLaden = [](const std::string&) { return imageCreate(32, 32, 0xFF404040); };
        startUp(*programm, anbindung, optionen);
    }
    void TearDown() override { stopWorker(*programm); }

    // One pass with the pointer at (x, y) and the given buttons held.
    bool pass(int x, int y, int buttons = 0)
    {
        platform.moveMouse(x, y);
        platform.setButtons(buttons);
        return mainLoopPass(*programm);
    }
    bool click(int x, int y)
    {
        pass(x, y, 1);
        return pass(x, y, 0);
    }
};

}  // namespace qz
