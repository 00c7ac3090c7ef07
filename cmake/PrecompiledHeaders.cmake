# Precompiled headers. The Qt Widgets headers are most of what compiling one of our widget files
# reads, and GoogleTest's of what a plain test reads: precompiled, each is read once. One target
# precompiles them and the others with the same compile definitions take its result; GCC
# checks that they match and otherwise reads the headers as usual (-Winvalid-pch says so).
#
# A compiler cache cannot store a file compiled with a precompiled header (ccache counts it as
# "could not use precompiled header"), so a build through a compiler launcher goes without.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(pch_default OFF)
else()
  set(pch_default ON)
endif()
option(VELMARO_PCH "Precompile the Qt and GoogleTest headers" ${pch_default})

# Who takes which: the Qt headers precompiled in velmaro_controls, the window's tests' own in
# ui_parts_tests, GoogleTest's in velmaro_test_main.
set(qt_takers
  velmaro_tables velmaro_report velmaro_plot velmaro_rainfall_dialog velmaro_ui_parts
  velmaro_window velmaro velmaro_help_notes_writer velmaro_widget_test_main velmaro_test_support
  controls_tests tables_tests tables_screenshots report_tests plot_tests rainfall_dialog_tests)
set(ui_test_takers ui_tests)
set(gtest_takers engine_tests text_tests rainfall_tests)
# Checked in every build, also those that go without, so that a renamed target shows at once.
foreach(target velmaro_controls ui_parts_tests velmaro_test_main
    ${qt_takers} ${ui_test_takers} ${gtest_takers})
  if(NOT TARGET ${target})
    message(FATAL_ERROR "cmake/PrecompiledHeaders.cmake names ${target}, which is no target")
  endif()
endforeach()
if(NOT VELMARO_PCH)
  return()
endif()

# The Qt headers that the widget files include most, with what they bring of QtCore and QtGui.
set(qt_headers
  <QAbstractTableModel> <QApplication> <QComboBox> <QDialog> <QFileDialog> <QHeaderView>
  <QLabel> <QLineEdit> <QPainter> <QPushButton> <QString> <QTableView> <QTextDocument>
  <QWidget>)
target_precompile_headers(velmaro_controls PRIVATE ${qt_headers})
foreach(target IN LISTS qt_takers)
  target_precompile_headers(${target} REUSE_FROM velmaro_controls)
endforeach()

# The window's tests, the most of all, read QtTest and GoogleTest besides. QtTest's definitions
# name the test program's folder, so what is precompiled here serves ui/tests alone.
target_precompile_headers(ui_parts_tests PRIVATE ${qt_headers} <QSignalSpy> <QTest> <gtest/gtest.h>)
foreach(target IN LISTS ui_test_takers)
  target_precompile_headers(${target} REUSE_FROM ui_parts_tests)
endforeach()

# The tests without Qt.
target_precompile_headers(velmaro_test_main PRIVATE <gtest/gtest.h>)
foreach(target IN LISTS gtest_takers)
  target_precompile_headers(${target} REUSE_FROM velmaro_test_main)
endforeach()
