// What the tests of orbisk-render share: a folder of their own for every test and a way to run
// the command as the shell would, keeping what it wrote on stderr.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/RenderCommand.h"

namespace orbisk {

class RenderCommandFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("orbisk-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  std::string writeData(const std::string& name, const std::string& text) const {
    std::ofstream(path(name), std::ios::binary) << text;
    return path(name);
  }

  static std::string bytesOf(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Runs the command; returns the exit status and keeps what it wrote on stderr.
  int run(std::vector<std::string> args) {
    args.insert(args.begin(), "orbisk-render");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::FILE* err = std::tmpfile();
    const int status = renderCommand(static_cast<int>(argv.size()), argv.data(), err);
    std::rewind(err);
    char buffer[4096] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, err);
    stderr_.assign(buffer, n);
    std::fclose(err);
    return status;
  }

  std::filesystem::path dir_;  // this test's folder, removed after it
  std::string stderr_;         // what the last run wrote on stderr
};

}  // namespace orbisk
