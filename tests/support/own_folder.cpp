// CTest runs the test cases of a program as parallel processes in one folder, and several of
// them write or look for ./fehlerbericht.txt, the report of a runtime error. Each process
// therefore works in a folder of its own, removed again at the end, so that no report stays
// behind in the build folder and none is read by another process.
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
