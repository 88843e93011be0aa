// qz-bot: one computer player on the headless platform, against any qz-server.
#include "bot/befehlszeile.hpp"
#include "bot/sitzung.hpp"
#include "bot/zugang.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/private/privater_server.hpp"
#include "platform/ende_wunsch.hpp"
#include "platform/headless/headless_platform.hpp"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <thread>

namespace {

std::atomic<bool> gAufhoeren{false};

// Passes per second: above the fleets' movement clock (one tick in 0.12 s at most per pass)
// and the route steps (four of 0.03 s per pass), so the game runs at its own speed.
constexpr double kPassDauer = 0.05;

}  // namespace

int main(int argc, char** argv)
{
    using namespace qz;
    std::string fehler;
    const auto einstellungen = befehlszeileLesen(std::vector<std::string>(argv + 1, argv + argc), fehler);
    if (!einstellungen) {
        std::cerr << "qz-bot: " << fehler << "\nusage: " << kBotAufruf << "\n";
        return 2;
    }
    const std::string name = einstellungen->name;
    auto protokoll = [&name](const std::string& zeile) {
        const std::time_t jetzt = std::time(nullptr);
        char zeit[32];
        std::strftime(zeit, sizeof zeit, "%Y-%m-%d %H:%M:%S", std::gmtime(&jetzt));
        std::cerr << zeit << " qz-bot " << name << ": " << zeile << std::endl;
    };
    const auto passwort = botPasswort(name, fehler);
    if (!passwort) {
        protokoll("error: " + fehler);
        return 1;
    }
    endeWunschMelden(gAufhoeren);

    // The headless clock follows the wall clock: the star map a host makes is seeded from it.
    HeadlessPlatform platform;
    const auto echt = [] {
        return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    };
    platform.advance(echt() - platform.timer());

    Serverdaten server;
    // A private server's key comes through the environment, never the command line.
    const char* schluessel = std::getenv(kSchluesselVariable);
    std::thread worker(THREAD1, std::ref(server),
                       makeServerRoundTrip(einstellungen->server.host, einstellungen->server.port, kServerTimeout,
                                           schluessel != nullptr ? schluessel : ""));
    BotSitzung bot(*einstellungen, *passwort, platform, server, protokoll);
    protokoll("starts, level " + std::string(einstellungen->stufe == Stufe::leicht   ? "leicht"
                                             : einstellungen->stufe == Stufe::mittel ? "mittel"
                                                                                     : "schwer"));
    auto takt = std::chrono::steady_clock::now();
    while (bot.schritt()) {
        if (gAufhoeren) {
            protokoll("leaves: asked to stop");
            break;
        }
        takt += std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(kPassDauer));
        const auto jetzt = std::chrono::steady_clock::now();
        if (takt < jetzt) takt = jetzt;  // a late pass restarts the count instead of hurrying
        std::this_thread::sleep_until(takt);
        platform.advance(std::max(0.0, echt() - platform.timer()));
    }
    // A request still in flight is cut off: a silent server must not hold the bot (and the game
    // that waits for it to end) for the round trip's whole timeout.
    workerBeenden(server);
    worker.join();
    return bot.fehlgeschlagen() ? 1 : 0;
}
