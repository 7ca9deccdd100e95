#pragma once
// A test fixture whose cases each get a temporary folder of their own (TMP
// and TEMP point at a fresh folder for the case, and back afterwards), so
// the package file there is the case's alone even when cases run side by
// side. ThePC is set for the case.
#include <gtest/gtest.h>

#include <string>

#include "platform/pc/pc.h"
#include "support/temp_dir.h"

class OwnTempFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // <the case's temporary folder>\OrvNet.txt
    std::string TempPackage() const { return temp_ / "OrvNet.txt"; }
    const TempDir& temp() const { return temp_; }

private:
    PC pc_;
    TempDir temp_;
    std::string savedTmp_;
    std::string savedTemp_;
    bool hadTmp_ = false;
    bool hadTemp_ = false;
};

bool FileExists(const std::string& path);
