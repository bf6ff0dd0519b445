#pragma once
// A fresh database in a temporary folder with every table created and seeded, and the
// seeded administrator logged in.
#include <gtest/gtest.h>

#include <QTemporaryDir>

class InitializedDbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QTemporaryDir m_dir;
};
