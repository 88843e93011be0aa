// A fresh folder under the system's temporary folder (TMPDIR, else /tmp) for one test's
// databases and logs. It goes with everything in it when the object goes, also when an
// assertion ends the test midway, so that a run leaves nothing behind. When the test has
// failed by then, the tail of each log in it is written to the test's output first: the
// reason of the failure stays readable without the folder.
#pragma once

#include <string>

namespace qz::test {

class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace qz::test
