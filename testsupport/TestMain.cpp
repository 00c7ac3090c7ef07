// The main of every test program: the separators the program sets at start, then GoogleTest.
// The widget tests also get their application object, on Qt's offscreen platform unless a
// display is asked for: test discovery runs the program without the test environment.

#include "text/FieldText.h"

#ifdef VELMARO_TEST_WIDGETS
#include <QApplication>
#include <QRegularExpression>
#endif

#include <gtest/gtest.h>

#ifdef VELMARO_TEST_WIDGETS
namespace {

QtMessageHandler qtHandler = nullptr;

// The plotting library tells of misuse (series of different lengths, a bad range) only on
// standard error, naming its own class ("QCPGraph::addData: ..."): in a test that is a failure.
void FailOnPlottingLibraryMessages(QtMsgType type, const QMessageLogContext &context,
                                   const QString &message)
{
    static const QRegularExpression library(QStringLiteral("\\bQC(P\\w*|ustomPlot)::"));
    if (library.match(message).hasMatch())
        ADD_FAILURE() << "the plotting library complained: " << message.toStdString();
    qtHandler(type, context, message);
}

} // namespace
#endif

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    velmaro::SetNumberFormat({'.', ','});
#ifdef VELMARO_TEST_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    qtHandler = qInstallMessageHandler(FailOnPlottingLibraryMessages);
#endif
    return RUN_ALL_TESTS();
}
