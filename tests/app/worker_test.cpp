// The fallback branch and the worker: one round trip per signal, the reply cut, clean shutdown.
#include "frame_fixture.hpp"

#include <chrono>
#include <thread>

namespace qz {
namespace {

using Worker = FrameFixture;

bool waitFor(const std::function<bool()>& done)
{
    for (int i = 0; i < 2000; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

TEST_F(Worker, FallbackSignalsEveryTwoSecondsAndMarksTheServerOnline)
{
    r.Programmzustand = "unbekannt";
    ASSERT_TRUE(waitFor([&] {
        std::lock_guard lock(programm->server.Datenmutex);
        return programm->server.Anfragezaehler == 1;
    }));
    pass(0, 0);  // timer passed Signalzeit 0: signal
    ASSERT_TRUE(waitFor([&] { return roundTrips == 1; }));
    ASSERT_TRUE(waitFor([&] {
        std::lock_guard lock(programm->server.Datenmutex);
        return programm->server.Anfragezaehler == 2;
    }));
    pass(0, 0);  // the reply is picked up; no new signal before two seconds
    EXPECT_EQ(programm->server.Serveronline, 1);
    EXPECT_TRUE(programm->server.Empfangsdaten.empty());
    platform.advance(1.9);
    pass(0, 0);
    {
        // A signal would show at once: posted and still open, or already answered.
        std::lock_guard lock(programm->server.Datenmutex);
        EXPECT_EQ(programm->server.Anfrageoffen, 0);
        EXPECT_EQ(programm->server.Anfragezaehler, 2);
    }
    EXPECT_EQ(roundTrips, 1);
    platform.advance(0.2);
    pass(0, 0);
    EXPECT_TRUE(waitFor([&] { return roundTrips == 2; }));
    EXPECT_EQ(r.Programmzustand, "unbekannt");
}

TEST_F(Worker, ClosingTheWindowPostsNothing)
{
    // The fallback's signal is due (Signalzeit 0) when the closing pass runs.
    ASSERT_TRUE(waitFor([&] {
        std::lock_guard lock(programm->server.Datenmutex);
        return programm->server.Anfragezaehler == 1;
    }));
    platform.closeWindow();
    EXPECT_FALSE(pass(0, 0));
    stopWorker(*programm);
    // Joined: a posted request was either sent or is still marked open.
    EXPECT_EQ(roundTrips, 0);
    EXPECT_EQ(programm->server.Anfrageoffen, 0);
}

TEST_F(Worker, AFailureOnTheWorkersThreadReachesTheMainHandler)
{
    roundTripFails = true;
    r.Programmzustand = "unbekannt";
    bool weitergegeben = false;
    ASSERT_TRUE(waitFor([&] {
        try {
            pass(0, 0);
        } catch (const std::bad_alloc&) {
            weitergegeben = true;
        }
        return weitergegeben;
    }));
}

TEST(WorkerAlone, CutsTheReplyAndClearsTheRequestFlag)
{
    Serverdaten daten;
    std::atomic<int> calls{0};
    std::thread worker(THREAD1, std::ref(daten), [&](const Feld<KVP>& get, const Feld<KVP>& post, Abbruch&) {
        ++calls;
        return "junk CODE:loginok:EDOC more " + get(1).Key + post(1).Value;
    });
    auto asleep = [&](int n) {
        return waitFor([&] {
            std::lock_guard lock(daten.Datenmutex);
            return daten.Anfragezaehler == n;
        });
    };
    ASSERT_TRUE(asleep(1));
    {
        std::lock_guard lock(daten.Datenmutex);
        daten.PostKVP(1) = {"infos", "login"};
        daten.Anfrageoffen = 1;
        daten.Datenbedingung.notify_one();
    }
    ASSERT_TRUE(asleep(2));
    {
        std::lock_guard lock(daten.Datenmutex);
        EXPECT_EQ(daten.Empfangsdaten, "loginok");
        EXPECT_EQ(daten.Anfrageoffen, 0);
        daten.ThreadEnde = 1;
        daten.Datenbedingung.notify_one();
    }
    worker.join();
    EXPECT_EQ(calls, 1);
}

TEST(WorkerAlone, AWakeUpWithoutAPostedRequestSendsNothing)
{
    Serverdaten daten;
    std::atomic<int> calls{0};
    std::thread worker(THREAD1, std::ref(daten), [&](const Feld<KVP>&, const Feld<KVP>&, Abbruch&) {
        ++calls;
        return std::string("CODE:chat:EDOC");
    });
    auto asleep = [&](int n) {
        return waitFor([&] {
            std::lock_guard lock(daten.Datenmutex);
            return daten.Anfragezaehler == n;
        });
    };
    ASSERT_TRUE(asleep(1));
    {
        // What a spurious wake-up looks like to the worker: the condition without a request.
        std::lock_guard lock(daten.Datenmutex);
        daten.Datenbedingung.notify_one();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(calls, 0) << "the last tables are not sent again";
    {
        std::lock_guard lock(daten.Datenmutex);
        daten.Anfrageoffen = 1;
        daten.Datenbedingung.notify_one();
    }
    ASSERT_TRUE(asleep(2));
    {
        std::lock_guard lock(daten.Datenmutex);
        EXPECT_EQ(daten.Anfrageoffen, 0);
        daten.ThreadEnde = 1;
        daten.Datenbedingung.notify_one();
    }
    worker.join();
    EXPECT_EQ(calls, 1);
}

TEST(WorkerAlone, ARequestPostedBeforeTheWorkerFirstWaitsIsSent)
{
    // The screens post their first request as soon as the worker is started, often before it
    // has reached its wait; that request must not be lost (the client would hang at the
    // online check for good, since nothing is posted while a request is open).
    Serverdaten daten;
    daten.Anfrageoffen = 1;
    std::atomic<int> calls{0};
    std::thread worker(THREAD1, std::ref(daten), [&](const Feld<KVP>&, const Feld<KVP>&, Abbruch&) {
        ++calls;
        return std::string("CODE:onlinecheck;;online:EDOC");
    });
    const bool answered = waitFor([&] {
        std::lock_guard lock(daten.Datenmutex);
        return daten.Anfrageoffen == 0;
    });
    {
        std::lock_guard lock(daten.Datenmutex);
        daten.ThreadEnde = 1;
        daten.Datenbedingung.notify_one();
    }
    worker.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(daten.Empfangsdaten, "onlinecheck;;online");
}

TEST(WorkerAlone, ShutdownDuringARoundTripFinishesItFirst)
{
    Serverdaten daten;
    std::atomic<bool> inFlight{false};
    std::thread worker(THREAD1, std::ref(daten), [&](const Feld<KVP>&, const Feld<KVP>&, Abbruch&) {
        inFlight = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return std::string("CODE:x:EDOC");
    });
    ASSERT_TRUE(waitFor([&] {
        std::lock_guard lock(daten.Datenmutex);
        return daten.Anfragezaehler == 1;
    }));
    {
        std::lock_guard lock(daten.Datenmutex);
        daten.Anfrageoffen = 1;
        daten.Datenbedingung.notify_one();
    }
    ASSERT_TRUE(waitFor([&] { return inFlight.load(); }));
    {
        std::lock_guard lock(daten.Datenmutex);
        daten.ThreadEnde = 1;
        daten.Datenbedingung.notify_one();
    }
    worker.join();
    EXPECT_EQ(daten.Empfangsdaten, "x");
}

TEST(CutReply, MissingMarkersGiveTheEmptyText)
{
    EXPECT_EQ(cutReply("a CODE:onlinecheck;;online:EDOC b"), "onlinecheck;;online");
    EXPECT_EQ(cutReply("CODE:no end"), "");
    EXPECT_EQ(cutReply("no start:EDOC"), "");
    EXPECT_EQ(cutReply(":EDOC CODE:x"), "");
    EXPECT_EQ(cutReply(""), "");
}

}  // namespace
}  // namespace qz
