// Runtime errors of the game: every failed check raises one, carrying the error number,
// the source line and the module. Routines catch it at their boundary (RoutineGuard),
// write the one-line report (folders().errorReport) and return; main writes it and ends.
#pragma once

#include <exception>
#include <string>

namespace qz {

// Where a check stands: file and line of the caller, taken from the compiler's built-ins in a
// default argument (the standard source_location needs a newer clang than our fuzzing toolchain has).
class Quellort {
public:
    static constexpr Quellort current(const char* file = __builtin_FILE(), int line = __builtin_LINE()) noexcept
    {
        return Quellort(file, line);
    }
    constexpr const char* file_name() const noexcept { return file_; }
    constexpr int line() const noexcept { return line_; }

private:
    constexpr Quellort(const char* file, int line) : file_(file), line_(line) {}
    const char* file_;
    int line_;
};

// Error numbers of the report.
enum Fehlernummer : int {
    kIllegalFunctionCall = 1,
    kFileNotFound = 2,
    kFileIoError = 3,
    kOutOfMemory = 4,
    kOutOfBounds = 6,
    kNullPointer = 7,
};

class LaufzeitFehler : public std::exception {
public:
    LaufzeitFehler(int nummer, int zeile, std::string modul);
    int nummer() const { return nummer_; }
    int zeile() const { return zeile_; }
    const std::string& modul() const { return modul_; }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    int nummer_;
    int zeile_;
    std::string modul_;
    std::string text_;
};

// Module name as it appears in the report: the source file's base name.
std::string moduleName(const char* fileName);

[[noreturn]] void raiseError(int nummer, Quellort where = Quellort::current());

// Index check: raises error 6 at the caller's line when i is outside [lo, hi].
inline void checkIndex(long long i, long long lo, long long hi,
                       Quellort where = Quellort::current())
{
    if (i < lo || i > hi) raiseError(kOutOfBounds, where);
}

// The report line without quotes: prefix + number + ", " + module + ", " + line.
std::string reportText(const char* prefix, const LaufzeitFehler& fehler);

// Replaces the report file (folders().errorReport, ./fehlerbericht.txt unless the program
// chose another) with `text` as one quoted line and CR LF, making its folder when missing.
// Returns false when the file could not be written; the report is then lost.
bool writeReportLine(const std::string& text);

// The report line of an error, written as above.
bool writeErrorReport(const char* prefix, const LaufzeitFehler& fehler);

// Called by the handlers before the report is written ("clear the screen"); the platform
// backend installs it when the screen opens.
void setErrorScreenClear(void (*clear)());

// Handler of a routine: clears the screen, writes the report, swallows the error.
void handleRoutineError(const char* prefix, const LaufzeitFehler& fehler);

// Runs body under the routine handler: an error ends the body, the report is written and
// control returns to the caller. The reset routines pass their numbered prefixes.
template <class Body>
void guarded(const char* prefix, Body&& body)
{
    try {
        body();
    } catch (const LaufzeitFehler& fehler) {
        handleRoutineError(prefix, fehler);
    }
}

template <class Body>
void guarded(Body&& body)
{
    guarded("Fehler: ", static_cast<Body&&>(body));
}

}  // namespace qz
