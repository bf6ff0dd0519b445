#pragma once
// A fresh database with every table created and seeded, and the seeded administrator
// logged in.
#include "support/FreshDbTest.h"

class InitializedDbTest : public FreshDbTest {
protected:
    void SetUp() override;
};
