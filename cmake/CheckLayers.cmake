# Fails when a source below the window includes anything of the window: a
# header of src/app (mainform.h, frames/, widgets/, ...), a path into app/, or
# a Qt Widgets header. Run by CTest:
#   cmake -DSOURCE_DIR=<repository> -P CheckLayers.cmake
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(lower_layers platform device dsp settings coeffs entry threads)

# Every header of the window, by its file name and by its path inside src/app.
file(GLOB_RECURSE app_headers RELATIVE ${SOURCE_DIR}/src/app ${SOURCE_DIR}/src/app/*.h)
set(window_names "")
foreach(header IN LISTS app_headers)
  get_filename_component(name ${header} NAME)
  list(APPEND window_names ${header} ${name})
endforeach()

# Qt Widgets headers the code base could reach for.
set(widget_headers QtWidgets QApplication QWidget QLabel QComboBox QCheckBox
  QPushButton QToolButton QLineEdit QGroupBox QTabWidget QTabBar QMessageBox
  QMainWindow QDialog QTableWidget QPlainTextEdit QProgressBar QStyle QLayout
  QBoxLayout QSplitter QScrollArea QMenu QAction QToolTip QFileDialog QFrame
  QAbstractButton QRadioButton QSpinBox QStyledItemDelegate QHeaderView)

set(failures "")
foreach(layer IN LISTS lower_layers)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/src/${layer}/*.h ${SOURCE_DIR}/src/${layer}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" included "${line}")
      set(bad FALSE)
      if(included MATCHES "^app/" OR included MATCHES "^QtWidgets/")
        set(bad TRUE)
      endif()
      list(FIND window_names "${included}" window_index)
      list(FIND widget_headers "${included}" widget_index)
      if(window_index GREATER -1 OR widget_index GREATER -1)
        set(bad TRUE)
      endif()
      if(bad)
        file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
        list(APPEND failures "${shown}: ${included}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " listed)
  message(FATAL_ERROR "Layers below the window include window code:\n  ${listed}")
endif()
message(STATUS "No layer below src/app includes window code")
