// A fresh IDE folder for one test: lib\Tarvolin.fne and the theme tree of
// the build, linked in; removed again at the end.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim_ide.h"

std::string makeRunFolder();
void removeRunFolder(const std::string& folder);
// Host path of a file in the run folder.
std::string readHostFile(const std::string& path);
void writeHostFile(const std::string& path, const std::string& content);
bool hostFileExists(const std::string& path);

// A simulated IDE in a fresh run folder.
class IdeTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = makeRunFolder();
        ide = std::make_unique<trvsim::SimIde>(folder);
    }
    void TearDown() override {
        ide.reset();
        removeRunFolder(folder);
    }

    std::string folder;
    std::unique_ptr<trvsim::SimIde> ide;
};
