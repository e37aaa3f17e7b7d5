# The grid's cells and styles, in standard C++: the document keeps its texts in them, and the grid
# shows them.
add_library(verbaria_gridcells STATIC GridCells.cpp GridCells.h)
add_library(Verbaria::GridCells ALIAS verbaria_gridcells)
target_include_directories(verbaria_gridcells PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(verbaria_gridcells PRIVATE verbaria_options)
set_target_properties(verbaria_gridcells PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)

# The Qt side of the grid: model, view, editor and header, plus the menu style of the main window.
add_library(verbaria_widgets STATIC
    CodePageValidator.cpp CodePageValidator.h
    MenuStyle.cpp MenuStyle.h
    StringGrid.cpp StringGrid.h
    StringGridDelegate.cpp StringGridDelegate.h
    StringGridHeader.cpp StringGridHeader.h
    StringGridModel.cpp StringGridModel.h)
add_library(Verbaria::Widgets ALIAS verbaria_widgets)
target_include_directories(verbaria_widgets PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(verbaria_widgets PUBLIC Qt6::Widgets verbaria_gridcells verbaria_codepage PRIVATE verbaria_options)
