// Environment variables set or unset for one test: the old values come back when the guard
// goes, also when an assertion ends the test midway.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace qz::test {

class Umgebung {
public:
    Umgebung() = default;
    Umgebung(const std::string& name, const std::string& wert) { setzen(name, wert.c_str()); }
    ~Umgebung();
    Umgebung(const Umgebung&) = delete;
    Umgebung& operator=(const Umgebung&) = delete;

    // nullptr unsets the variable.
    void setzen(const std::string& name, const char* wert);
    void setzen(const std::string& name, const std::string& wert) { setzen(name, wert.c_str()); }

private:
    std::map<std::string, std::optional<std::string>> alt_;
};

}  // namespace qz::test
