#include "temporary_directory.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace qz::test {

namespace {

// A server log of a long flow runs to thousands of lines; the end holds the failure.
constexpr std::size_t kLogLinesShown = 200;

void showLogs(const std::string& directory) {
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory, error)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".log") continue;
        std::ifstream in(entry.path());
        std::deque<std::string> tail;
        std::size_t lines = 0;
        for (std::string line; std::getline(in, line); ++lines) {
            tail.push_back(std::move(line));
            if (tail.size() > kLogLinesShown) tail.pop_front();
        }
        std::cerr << "--- " << entry.path().filename().string() << " (last " << tail.size() << " of " << lines
                  << " lines)\n";
        for (const std::string& line : tail) std::cerr << line << '\n';
    }
}

}  // namespace

TemporaryDirectory::TemporaryDirectory() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/qz-test-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed for " + pattern);
    path_ = pattern;
}

TemporaryDirectory::~TemporaryDirectory() {
    if (::testing::Test::HasFailure()) showLogs(path_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace qz::test
