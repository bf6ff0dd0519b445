#pragma once
// The voucher test database with a purchase screen the test opens and the fixture closes
// before the database goes.
#include "VoucherTestDb.h"

#include "vouchers/TradeVoucherScreens.h"

#include <memory>

class PurchaseScreenDbTest : public VoucherDbTest {
protected:
    void TearDown() override
    {
        screen.reset();
        VoucherDbTest::TearDown();
    }
    TForm8& open()
    {
        screen = std::make_unique<TForm8>();
        screen->show();
        return *screen;
    }

    std::unique_ptr<TForm8> screen;
};
