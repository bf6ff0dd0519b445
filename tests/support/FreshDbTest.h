#pragma once
// Each test on its own empty database file sjk.mdb in a temporary program directory.
#include <QTemporaryDir>
#include <gtest/gtest.h>

class FreshDbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The program directory, with a final separator.
    QString dir() const;

    QTemporaryDir m_dir;
};

// Puts the program-wide variables back to their start-up values.
void resetProgramVariables();
