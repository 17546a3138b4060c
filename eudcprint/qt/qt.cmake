# The Qt side of pictor's catalogue pages (native only): the page canvas over a QPainter, a whole
# job on a QPrinter, the headless catalogue printer pictor-print, and the program's window.
find_package(Qt6 REQUIRED COMPONENTS Gui PrintSupport)

add_library(pictor_qt_canvas STATIC
  qt/catalogue_fonts.cpp
  qt/eudc_font_file.cpp
  qt/qt_page_canvas.cpp
  qt/qt_print_target.cpp
)
target_link_libraries(pictor_qt_canvas PUBLIC pictor_platform pictor_qt_text Qt6::Gui Qt6::PrintSupport)
toolkit_warnings(pictor_qt_canvas)

add_executable(pictor-print cli/pictor_print.cpp cli/paper_sizes.cpp)
target_link_libraries(pictor-print PRIVATE pictor_qt_canvas pictor_cli_options toolkit_version)
toolkit_warnings(pictor-print)

# The Qt canvas and a job on a PDF printer, under the offscreen platform.
toolkit_add_test(pictor_qt_canvas_tests
  SOURCES tests/qt/qt_page_canvas_test.cpp
  LIBS pictor_qt_canvas pictor_fixtures
  ENV QT_QPA_PLATFORM=offscreen
)

# pictor-print end to end: a generated font lacking a few codes, the PDF read back with poppler.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME pictor_print_cli
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/tests/cli/pictor_print_test.py $<TARGET_FILE_DIR:pictor-print>)
set_tests_properties(pictor_print_cli PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# The program: the frame with its menu, accelerators and view, the preview and the printing box.
add_library(pictor_shell_qt STATIC
  qt/catalogue_view.cpp
  qt/main_frame.cpp
  qt/preview_window.cpp
  qt/printing_box.cpp
  qt/qt_window_canvas.cpp
  qt/termination_watch.cpp
)
set_target_properties(pictor_shell_qt PROPERTIES AUTOMOC ON)
target_link_libraries(pictor_shell_qt PUBLIC pictor_dialogs pictor_qt_canvas Qt6::Widgets Qt6::PrintSupport)
toolkit_warnings(pictor_shell_qt)

add_executable(pictor qt/pictor_main.cpp)
target_link_libraries(pictor PRIVATE pictor_shell_qt)
toolkit_warnings(pictor)

find_package(Qt6 REQUIRED COMPONENTS Test)
toolkit_add_test(pictor_window_tests
  SOURCES tests/qt/pictor_window_test.cpp
  LIBS pictor_shell_qt pictor_fixtures Qt6::Test
  ENV QT_QPA_PLATFORM=offscreen
)
