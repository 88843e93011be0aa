// The runtime error, its report line and the report file.
#include "platform/errors.hpp"

#include "platform/folders.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace qz {

namespace {
void (*gClearScreen)() = nullptr;
}

LaufzeitFehler::LaufzeitFehler(int nummer, int zeile, std::string modul)
    : nummer_(nummer), zeile_(zeile), modul_(std::move(modul))
{
    text_ = "Fehler " + std::to_string(nummer_) + " in " + modul_ + ", Zeile " + std::to_string(zeile_);
}

std::string moduleName(const char* fileName)
{
    std::string name = fileName ? fileName : "";
    auto slash = name.find_last_of('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

void raiseError(int nummer, Quellort where)
{
    throw LaufzeitFehler(nummer, static_cast<int>(where.line()), moduleName(where.file_name()));
}

std::string reportText(const char* prefix, const LaufzeitFehler& fehler)
{
    return std::string(prefix) + std::to_string(fehler.nummer()) + ", " + fehler.modul() + ", " +
           std::to_string(fehler.zeile());
}

bool writeReportLine(const std::string& text)
{
    const std::filesystem::path& file = folders().errorReport;
    // The state folder of a new account does not exist yet.
    std::error_code missing;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), missing);
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f << '"' << text << "\"\r\n";
    f.close();
    return !f.fail();
}

bool writeErrorReport(const char* prefix, const LaufzeitFehler& fehler)
{
    return writeReportLine(reportText(prefix, fehler));
}

void setErrorScreenClear(void (*clear)()) { gClearScreen = clear; }

void handleRoutineError(const char* prefix, const LaufzeitFehler& fehler)
{
    if (gClearScreen) gClearScreen();
    writeErrorReport(prefix, fehler);
}

}  // namespace qz
