# The Qt side of pictor's catalogue pages (native only): the page canvas over a QPainter, the text
# face from fontconfig, a whole job on a QPrinter, and the headless catalogue printer pictor-print.
find_package(Qt6 REQUIRED COMPONENTS Gui PrintSupport)
find_package(PkgConfig REQUIRED)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)

add_library(pictor_qt_canvas STATIC
  app/catalogue_fonts.cpp
  app/catalogue_printer.cpp
  app/qt_page_canvas.cpp
  app/text_face.cpp
)
target_include_directories(pictor_qt_canvas PUBLIC app)
target_link_libraries(pictor_qt_canvas PUBLIC pictor_platform Qt6::Gui Qt6::PrintSupport PRIVATE PkgConfig::FONTCONFIG)
toolkit_warnings(pictor_qt_canvas)

add_executable(pictor-print app/pictor_print.cpp app/print_options.cpp)
target_link_libraries(pictor-print PRIVATE pictor_qt_canvas)
target_compile_definitions(pictor-print PRIVATE PICTOR_VERSION="${PROJECT_VERSION}")
toolkit_warnings(pictor-print)
