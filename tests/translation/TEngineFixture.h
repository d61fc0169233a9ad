#pragma once

#include "TTolkar2000.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

// Runs each test in a fresh current directory, where the engine writes its learning file.
class TEngineFixture : public testing::Test {
protected:
    void SetUp() override
    {
        FOldDir = std::filesystem::current_path();
        const auto* Info = testing::UnitTest::GetInstance()->current_test_info();
        FDir = std::filesystem::path(testing::TempDir()) / (std::string("fokalis_") + Info->name());
        std::filesystem::remove_all(FDir);
        std::filesystem::create_directories(FDir);
        std::filesystem::current_path(FDir);
    }

    void TearDown() override
    {
        std::filesystem::current_path(FOldDir);
        std::filesystem::remove_all(FDir);
    }

    static void Load(TTolkar2000& Engine, const std::string& Bytes)
    {
        std::istringstream In(Bytes);
        Engine.LoadFromStream(In);
    }

    std::filesystem::path FDir;

private:
    std::filesystem::path FOldDir;
};
