// The runtime error: numbers, module and line of the failing check, and the report file's bytes.
#include "platform/errors.hpp"
#include "datei_inhalt.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qz {
namespace {

std::string readReport() { return test::dateiInhalt("./fehlerbericht.txt"); }

TEST(ErrorReport, IsOneQuotedLineWithCrLfNamingNumberModuleAndLine)
{
    std::filesystem::remove("./fehlerbericht.txt");
    int line = 0;
    guarded([&] {
        line = __LINE__ + 1;
        checkIndex(7, 1, 6);
    });
    EXPECT_EQ(readReport(), "\"Fehler: 6, errors_test.cpp, " + std::to_string(line) + "\"\r\n");
}

TEST(ErrorReport, ASecondErrorReplacesTheFirstAndResetRoutinesUseTheirPrefixes)
{
    guarded([] { raiseError(kNullPointer); });
    guarded("Fehler3: ", [] { raiseError(kOutOfBounds); });
    std::string report = readReport();
    EXPECT_EQ(report.rfind("\"Fehler3: 6, errors_test.cpp, ", 0), 0u);
    EXPECT_EQ(report.find("Fehler: 7"), std::string::npos);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1);
}

TEST(ErrorReport, TheRoutineStopsAtTheFailingStatementAndTheCallerGoesOn)
{
    int steps = 0;
    guarded([&] {
        ++steps;
        checkIndex(0, 1, 500);
        ++steps;
    });
    ++steps;
    EXPECT_EQ(steps, 2);
}

TEST(ErrorReport, ClearsTheScreenBeforeWriting)
{
    static int cleared;
    cleared = 0;  // the test may run more than once in a process
    setErrorScreenClear([] { ++cleared; });
    guarded([] { raiseError(kIllegalFunctionCall); });
    setErrorScreenClear(nullptr);
    EXPECT_EQ(cleared, 1);
}

TEST(ErrorReport, UnwritableReportIsLostWithoutCrashing)
{
    std::filesystem::remove("./fehlerbericht.txt");
    std::filesystem::create_directory("./fehlerbericht.txt");
    LaufzeitFehler fehler(6, 10, "x.cpp");
    EXPECT_FALSE(writeErrorReport("Fehler: ", fehler));
    std::filesystem::remove("./fehlerbericht.txt");
    EXPECT_TRUE(writeErrorReport("Fehler: ", fehler));
    EXPECT_EQ(reportText("Fehler4: ", fehler), "Fehler4: 6, x.cpp, 10");
}

}  // namespace
}  // namespace qz
