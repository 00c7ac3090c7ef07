#include <QApplication>

#include <gtest/gtest.h>

// One application object for every test: the view, the fonts of the RTF reader and the
// printer all need it. Off screen unless a display is asked for explicitly.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
