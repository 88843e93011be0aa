// Child programs on Windows: CreateProcess, never through a shell, in one job object that the
// system closes when the game ends, however it ends, taking the children with it. Asked to
// end, a child first gets its event (ende_ereignis_windows.hpp) and time to finish.
#include "platform/kindprozess.hpp"
#include "platform/ende_ereignis_windows.hpp"

#include <windows.h>

#include <cwchar>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qz {

namespace {

// One argument as the C runtime of the child splits its command line again: quoted when it
// holds a space, a tab or a quote (or is empty), each quote escaped, and the backslashes
// before a quote or the closing quote doubled.
std::wstring zitiert(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
    std::wstring text = L"\"";
    std::size_t schraegstriche = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++schraegstriche;
            continue;
        }
        text.append(c == L'"' ? schraegstriche * 2 + 1 : schraegstriche, L'\\');
        schraegstriche = 0;
        text += c;
    }
    text.append(schraegstriche * 2, L'\\');
    return text + L"\"";
}

std::wstring breit(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring breit(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), breit.data(), n);
    return breit;
}

std::string systemMeldung(DWORD fehler)
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, fehler, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string meldung = text ? text : "error " + std::to_string(fehler);
    LocalFree(text);
    while (!meldung.empty() && (meldung.back() == '\n' || meldung.back() == '\r' || meldung.back() == '.'))
        meldung.pop_back();
    return meldung;
}

// The game's job object: made with the first child, closed only by the system when the game
// ends, which then ends every process still in it.
HANDLE spielJob()
{
    static const HANDLE job = [] {
        HANDLE h = CreateJobObjectW(nullptr, nullptr);
        if (h) {
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION grenzen{};
            grenzen.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            SetInformationJobObject(h, JobObjectExtendedLimitInformation, &grenzen, sizeof grenzen);
        }
        return h;
    }();
    return job;
}

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle()
    {
        if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

// The environment block of the child: the game's own, with the entries of `umgebung`
// ("NAME=VALUE") added or put in place of those of the same name.
std::wstring umgebungsBlock(const std::vector<std::string>& umgebung)
{
    std::vector<std::wstring> eintraege;
    for (const std::string& e : umgebung) eintraege.push_back(breit(e));
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* e = block; e && *e; e += std::wcslen(e) + 1) {
        const std::wstring_view vorhanden(e);
        const std::wstring_view name = vorhanden.substr(0, vorhanden.find(L'=', 1) + 1);  // "NAME="
        bool ersetzt = false;
        for (const std::wstring& neu : eintraege) ersetzt = ersetzt || neu.starts_with(name);
        if (!ersetzt) eintraege.emplace_back(vorhanden);
    }
    if (block) FreeEnvironmentStringsW(block);
    std::wstring text;
    for (const std::wstring& e : eintraege) text += e + L'\0';
    return text + L'\0';
}

}  // namespace

Kindprozess::Kindprozess(const std::filesystem::path& programm, const std::vector<std::string>& argumente,
                         const std::filesystem::path& protokoll, const std::vector<std::string>& umgebung)
{
    std::wstring befehl = zitiert(programm.wstring());
    for (const std::string& a : argumente) befehl += L" " + zitiert(breit(a));

    SECURITY_ATTRIBUTES erben{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const Handle leer(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &erben, OPEN_EXISTING, 0, nullptr));
    const Handle log(CreateFileW(protokoll.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 &erben, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = leer.get();
    start.hStdOutput = log.get();
    start.hStdError = log.get();
    PROCESS_INFORMATION info{};
    // Suspended until it is in the job, so not even its first instruction runs outside it; a
    // console of its own that nobody sees, so no window opens beside the game.
    std::wstring block = umgebungsBlock(umgebung);
    if (!CreateProcessW(nullptr, befehl.data(), nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr,
                        &start, &info))
        throw std::runtime_error(programm.string() + ": " + systemMeldung(GetLastError()));
    const HANDLE job = spielJob();
    if (!job || !AssignProcessToJobObject(job, info.hProcess)) {
        const DWORD fehler = GetLastError();
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        throw std::runtime_error(programm.string() + ": " + systemMeldung(fehler));
    }
    // Made before the child runs, so it finds the event at its start.
    ende_ = CreateEventW(nullptr, TRUE, FALSE, endeEreignisName(info.dwProcessId).c_str());
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    prozess_ = info.hProcess;
    pid_ = static_cast<pid_t>(info.dwProcessId);
}

Kindprozess::~Kindprozess() { beenden(); }

Kindprozess::Kindprozess(Kindprozess&& anderer) noexcept
    : pid_(anderer.pid_), status_(anderer.status_), prozess_(anderer.prozess_), ende_(anderer.ende_)
{
    anderer.pid_ = -1;
    anderer.prozess_ = nullptr;
    anderer.ende_ = nullptr;
}

Kindprozess& Kindprozess::operator=(Kindprozess&& anderer) noexcept
{
    if (this != &anderer) {
        beenden();
        pid_ = anderer.pid_;
        status_ = anderer.status_;
        prozess_ = anderer.prozess_;
        ende_ = anderer.ende_;
        anderer.pid_ = -1;
        anderer.prozess_ = nullptr;
        anderer.ende_ = nullptr;
    }
    return *this;
}

bool Kindprozess::laeuft()
{
    if (!prozess_) return false;
    if (WaitForSingleObject(prozess_, 0) != WAIT_OBJECT_0) return true;
    DWORD code = 1;
    GetExitCodeProcess(prozess_, &code);
    status_ = static_cast<int>(code);
    CloseHandle(prozess_);
    prozess_ = nullptr;
    if (ende_) CloseHandle(ende_);
    ende_ = nullptr;
    pid_ = -1;
    return false;
}

void Kindprozess::anstossen()
{
    if (!laeuft()) return;
    if (!ende_ || !SetEvent(ende_)) TerminateProcess(prozess_, 1);
}

bool Kindprozess::beenden(std::chrono::milliseconds frist)
{
    if (laeuft()) {
        anstossen();
        if (WaitForSingleObject(prozess_, static_cast<DWORD>(frist.count())) != WAIT_OBJECT_0) {
            TerminateProcess(prozess_, 1);
            WaitForSingleObject(prozess_, INFINITE);
        }
        laeuft();
    }
    return status_ == 0;
}

}  // namespace qz
