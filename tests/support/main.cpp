// Test main: the program's application object (so escaped errors show in the error box,
// which the modal watchdog reports) and the offscreen platform unless one is chosen.
#include "support/ModalScript.h"
#include "widgets/ErrorHandler.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    JxcApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ModalDriver::instance().start();
    return RUN_ALL_TESTS();
}
