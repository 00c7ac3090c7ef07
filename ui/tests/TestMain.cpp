#include "ApplicationLook.h"
#include "NumberText.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    velmaro::SetNumberFormat({'.', ','});
    QApplication application(argc, argv);
    velmaro::ApplyApplicationLook();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
