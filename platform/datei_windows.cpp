// Whole files in and out on Windows: the new content goes to a file of its own beside the
// target, flushed to the disk, and is moved over the target with write-through, so the move
// itself is on the disk when the call returns.
#include "platform/datei.hpp"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

namespace qz {

namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle()
    {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool close()
    {
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

}  // namespace

bool dateiErsetzen(const std::filesystem::path& ziel, std::string_view inhalt)
{
    // A name of its own for every save: two games saving the same slot at once must not write
    // into one file, or each would move the other's half-written bytes into place.
    static std::atomic<unsigned> zaehler{0};
    std::filesystem::path temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int versuch = 0; versuch < 100 && h == INVALID_HANDLE_VALUE; ++versuch) {
        temp = ziel.wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++zaehler);
        h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (h == INVALID_HANDLE_VALUE) return false;
    Handle datei(h);
    bool ok = true;
    std::size_t geschrieben = 0;
    while (ok && geschrieben < inhalt.size()) {
        const DWORD stueck = static_cast<DWORD>(std::min<std::size_t>(inhalt.size() - geschrieben, 1u << 30));
        DWORD n = 0;
        ok = WriteFile(datei.get(), inhalt.data() + geschrieben, stueck, &n, nullptr) != 0 && n > 0;
        geschrieben += n;
    }
    ok = ok && FlushFileBuffers(datei.get()) != 0;
    ok = datei.close() && ok;
    ok = ok && MoveFileExW(temp.c_str(), ziel.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

std::optional<std::filesystem::path> neueDatei(const std::filesystem::path& ordner, std::string_view stamm)
{
    static std::atomic<unsigned> zaehler{0};
    for (int versuch = 0; versuch < 100; ++versuch) {
        const std::filesystem::path pfad =
            ordner / (std::string(stamm) + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++zaehler));
        const HANDLE h = CreateFileW(pfad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return pfad;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> dateiLesen(const std::filesystem::path& pfad)
{
    Handle datei(CreateFileW(pfad.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (datei.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string inhalt;
    LARGE_INTEGER groesse{};
    if (GetFileSizeEx(datei.get(), &groesse) && groesse.QuadPart > 0)
        inhalt.reserve(static_cast<std::size_t>(groesse.QuadPart));
    char puffer[1 << 16];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(datei.get(), puffer, sizeof puffer, &n, nullptr)) return std::nullopt;
        if (n == 0) break;
        inhalt.append(puffer, n);
    }
    return inhalt;
}

}  // namespace qz
