#include "umgebung.hpp"

#include <cstdlib>

namespace qz::test {

Umgebung::~Umgebung()
{
    for (const auto& [name, wert] : alt_) {
        if (wert) ::setenv(name.c_str(), wert->c_str(), 1);
        else ::unsetenv(name.c_str());
    }
}

void Umgebung::setzen(const std::string& name, const char* wert)
{
    if (!alt_.count(name)) {
        const char* jetzt = std::getenv(name.c_str());
        alt_[name] = jetzt ? std::optional<std::string>(jetzt) : std::nullopt;
    }
    if (wert) ::setenv(name.c_str(), wert, 1);
    else ::unsetenv(name.c_str());
}

}  // namespace qz::test
