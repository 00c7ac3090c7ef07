// The main of every test program: the separators the program sets at start, then GoogleTest.
// The widget tests also get their application object, on Qt's offscreen platform unless a
// display is asked for: test discovery runs the program without the test environment.

#include "text/FieldText.h"

#ifdef VELMARO_TEST_WIDGETS
#include <QApplication>
#endif

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    velmaro::SetNumberFormat({'.', ','});
#ifdef VELMARO_TEST_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
