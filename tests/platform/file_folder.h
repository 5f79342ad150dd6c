#pragma once
// A fresh folder of its own for each test of files, removed afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

class FileFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("trelvane_files_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void write(const std::string& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
    // The names in the folder, hidden ones included.
    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_)) names.insert(e.path().filename().string());
        return names;
    }
    std::filesystem::path dir_;
};
