// CTest runs the test cases of this program as parallel processes in one folder, and several
// of them write or look for ./fehlerbericht.txt. Each process therefore works in a folder of
// its own, removed again at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class OwnFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        home_ = std::filesystem::current_path();
        folder_ = home_ / ("process-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    void TearDown() override
    {
        std::filesystem::current_path(home_);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    std::filesystem::path home_;
    std::filesystem::path folder_;
};

const auto* const kOwnFolder = ::testing::AddGlobalTestEnvironment(new OwnFolder);

}  // namespace
