#include "app/programm.hpp"
#include "multiplayer/screens/computer_kanal.hpp"

#include "app/frame_pacing.hpp"
#include "app/gemerkte_einstellungen.hpp"
#include "app/picture_loading.hpp"
#include "frame/klang.hpp"
#include "sandbox/sandkasten.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/private/computerspiel.hpp"
#include "multiplayer/screens/multiplayer_screen.hpp"
#include "platform/errors.hpp"
#include "platform/folders.hpp"

#include <new>

namespace qz {

namespace {

Platform* gReportPlatform = nullptr;

void clearReportScreen()
{
    if (gReportPlatform && gReportPlatform->screenIsOpen()) clear(gReportPlatform->screen());
}

// Set-1 scan code and Tastencode, in the order in which the first held key wins.
constexpr int kTasten[][2] = {{scan::A, 1},     {scan::D, 4},      {scan::S, 19},   {scan::W, 23}, {scan::Left, 27},
                              {scan::Right, 28}, {scan::Up, 29}, {scan::Down, 30}, {scan::Tab, 31}};

}  // namespace

void startUp(Programm& programm, Anbindung anbindung, const Startoptionen& optionen)
{
    Rahmen& rahmen = programm.rahmen;
    Platform& platform = rahmen.platform;
    platform.windowTitle("ORN\xB4s QZ");
    platform.screenOpen(1024, 768, 32);
    gReportPlatform = &platform;
    setErrorScreenClear(clearReportScreen);
    loadStartPictures(rahmen, anbindung.bildLaden);
    soundStart(rahmen);
    if (!folders().settings.empty()) {
        programm.gespeichert = einstellungenLaden(folders().settings);
        einstellungenAnwenden(programm, programm.gespeichert);
    }
    if (optionen.server) programm.server.Serveradresse = *optionen.server;
    programm.mehrspieler.Servertext = serverAddressText(programm.server.Serveradresse);
    // No wake-up here: the worker may already be waiting, and a signal now would send a request
    // with empty tables. It sleeps until the first request is posted.
    if (optionen.aufnahme) {
        programm.wiedergabe = std::make_unique<WiedergabeSchirm>(*optionen.aufnahme, programm.bildquellen, "hauptmenu");
        rahmen.Programmzustand = "wiedergabe";
        wiedergabeBeginnen(rahmen, *programm.wiedergabe);
    }
    RoundTrip roundTrip = anbindung.server ? anbindung.server(programm.server) : RoundTrip{};
    programm.worker = std::thread(THREAD1, std::ref(programm.server), std::move(roundTrip));
}

void readInput(Rahmen& r)
{
    Platform& platform = r.platform;
    r.LetzteTaste = platform.inkey();
    MouseState mouse = platform.getMouse();
    r.MausX = mouse.x;
    r.MausY = mouse.y;
    r.MausRad = mouse.wheel;
    r.MausTasten = mouse.x < 0 && mouse.y < 0 ? 0 : mouse.buttons;

    if (r.MausTasten == 1) {
        r.Mausereignis = 5;
    } else if (r.MausTasten == 2) {
        r.Mausereignis = 6;
    } else if (r.MausRad < r.MausRadAlt) {
        r.Mausereignis = 7;
        r.MausRadAlt = r.MausRad;
    } else if (r.MausRad > r.MausRadAlt) {
        r.Mausereignis = 8;
        r.MausRadAlt = r.MausRad;
    }
    if (r.MausTasten < 1 && r.Mausereignis > 4) {
        switch (r.Mausereignis) {
        case 5: r.Mausereignis = 1; break;
        case 6: r.Mausereignis = 2; break;
        case 7: r.Mausereignis = 3; break;
        case 8: r.Mausereignis = 4; break;
        default: r.Mausereignis = 0; break;
        }
    }

    for (const auto& [key, code] : kTasten) {
        if (platform.keyDown(key)) {
            r.Tastencode = code;
            break;
        }
    }
}

void hauptmenuScreen(Rahmen& r)
{
    static const std::string_view kLabels[5] = {trMark("Sandkasten"), trMark("Mehrspieler"), trMark("Option"),
                                                 trMark("Credits"), trMark("Beenden")};
    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    for (int i = 0; i < 5; ++i) {
        int y = 218 + 54 * i;
        const Text& label = tr(kLabels[i]);
        r.zeichneUnter(r.Oberflaechenbild(11), 434, y, label);
        r.textMittig(512, y + 6, label);
    }
    r.platform.screenUnlock();

    if (r.Mausereignis == 1) {
        const int y = r.MausY;
        // The row under the pointer ("Credits" reaches down to the top of "Beenden"), then
        // its button's drawn width.
        int zeile = y > 218 && y < 243   ? 0
                    : y > 272 && y < 297 ? 1
                    : y > 326 && y < 351 ? 2
                    : y > 380 && y < 434 ? 3
                    : y > 434 && y < 459 ? 4
                                         : -1;
        if (zeile >= 0) {
            const Rahmen::Spanne s = Rahmen::spanneUnter(434, kKnopfBreite, tr(kLabels[zeile]));
            if (r.MausX <= s.x1 || r.MausX >= s.x2) zeile = -1;
        }
        const bool hit = zeile >= 0;
        if (zeile == 0) {
            r.Programmzustand = "sandkasten";
            r.Unterzustand = "hauptmenu";
        } else if (zeile == 1) {
            r.Programmzustand = "multiplayer";
            r.Unterzustand = "login";
        } else if (zeile == 2) {
            r.Programmzustand = "option";
        } else if (zeile == 3) {
            r.Programmzustand = "credits";
            r.klang.creditsSeite = 0;
        } else if (zeile == 4) {
            r.Programmzustand = "close";
        }
        if (hit) {
            r.Mausereignis = 0;
            playClick(r);
            if (r.Programmzustand == "close") r.platform.sleepUntilKey(1500);
        }
    }
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

void fallbackBranch(Rahmen& r, Serverdaten& server)
{
    {
        std::lock_guard lock(server.Datenmutex);
        if (!server.Empfangsdaten.empty()) {
            std::vector<std::string> teile;
            STRINGSPLIT(server.Empfangsdaten, ";;", teile);
            server.Empfangsdaten.clear();
            if (teile.size() > 1 && teile[0] == "onlinecheck" && teile[1] == "online") server.Serveronline = 1;
        }
    }
    if (r.platform.timer() >= server.Signalzeit) {
        {
            // The worker sends only a posted request: the signal posts the tables as they are.
            std::lock_guard lock(server.Datenmutex);
            server.Anfrageoffen = 1;
            server.Datenbedingung.notify_one();
        }
        server.Signalzeit = r.platform.timer() + 2.0;
    }
}

bool mainLoopPass(Programm& programm)
{
    Rahmen& r = programm.rahmen;
    workerfehlerWeitergeben(programm.server);
    musikTick(r);
    readInput(r);
    if (r.platform.quitRequested()) r.Programmzustand = "close";

    if (hilfePass(programm.hilfe, r, hilfeSeiteFuer(r, programm.spiel))) {
        // The help covers the screen; its handler rests like behind a menu, and a multiplayer
        // game goes on behind it as behind its menu.
        mehrspielerHintergrund(r, programm.spiel, programm.server, programm.mehrspieler);
    } else if (r.Programmzustand == "hauptmenu") hauptmenuScreen(r);
    else if (r.Programmzustand == "sandkasten") sandkastenScreen(r, programm.spiel, programm.bildquellen, programm.speichermenue);
    else if (r.Programmzustand == "multiplayer")
        multiplayerScreen(r, programm.spiel, programm.server, programm.mehrspieler, programm.bildquellen);
    else if (r.Programmzustand == "option") optionsScreen(r, "hauptmenu", r.Unterzustand);
    else if (r.Programmzustand == "credits") creditsScreen(r);
    else if (r.Programmzustand == "wiedergabe" && programm.wiedergabe) {
        if (!wiedergabeScreen(r, *programm.wiedergabe)) programm.wiedergabe.reset();
    }
    // The last pass of a closing game posts nothing: the tables still hold the last "spiel"
    // request, and sending them again would repeat its chat line or its attack.
    else if (r.Programmzustand != "close") fallbackBranch(r, programm.server);
    computerspielPruefen(r, programm.spiel, programm.server, programm.mehrspieler);

    if (r.Mausereignis == 42) {
        playClick(r);
        r.Mausereignis = 0;
    }
    einstellungenSichern(programm);
    waitForNextFrame(r.platform, programm.frameFaellig);
    return r.Programmzustand != "close";
}

void stopWorker(Programm& programm)
{
    workerBeenden(programm.server);
    if (programm.worker.joinable()) programm.worker.join();
}

void shutDown(Programm& programm)
{
    soundShutdown(programm.rahmen);
    stopWorker(programm);
    releasePictures(programm.rahmen);
}

namespace {

// The main handler's end: the report, the worker joined, exit code 1.
int mitBerichtEnden(Programm* programm, const LaufzeitFehler& fehler)
{
    clearReportScreen();
    writeErrorReport("Fehler: ", fehler);
    if (programm) stopWorker(*programm);
    return 1;
}

// A failure that is no runtime error of the game: reported with the handler's own place.
LaufzeitFehler fremderFehler(int nummer, Quellort wo = Quellort::current())
{
    return LaufzeitFehler(nummer, wo.line(), moduleName(wo.file_name()));
}

}  // namespace

int runProgram(Platform& platform, Anbindung anbindung, const Startoptionen& optionen)
{
    std::unique_ptr<Programm> programm;
    // Every failure reaches the report, not only the game's runtime errors: out of memory, a
    // thread that could not start, anything else.
    try {
        programm = std::make_unique<Programm>(platform);
        startUp(*programm, std::move(anbindung), optionen);
        while (mainLoopPass(*programm)) {
        }
        shutDown(*programm);
        return 0;
    } catch (const LaufzeitFehler& fehler) {
        return mitBerichtEnden(programm.get(), fehler);
    } catch (const std::bad_alloc&) {
        return mitBerichtEnden(programm.get(), fremderFehler(kOutOfMemory));
    } catch (...) {
        return mitBerichtEnden(programm.get(), fremderFehler(0));
    }
}

}  // namespace qz
