# The Qt shell: windows, dialogs, the preview, and the program itself.
find_package(Qt6 REQUIRED COMPONENTS Widgets WebEngineWidgets PrintSupport Svg)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

add_library(tavel_ui STATIC
  ui/AboutBox.cpp
  ui/AboutPicture.cpp
  ui/AccessibleComboBox.cpp
  ui/AccessibleNames.cpp
  ui/ActionTable.cpp
  ui/BrowserTab.cpp
  ui/ButtonStylePage.cpp
  ui/CommandRunner.cpp
  ui/DataFolderLookup.cpp
  ui/FocusFrameStyle.cpp
  ui/FolderTreePicker.cpp
  ui/FormNames.cpp
  ui/ItemDialog.cpp
  ui/JpegPixmap.cpp
  ui/LinkLabel.cpp
  ui/LocalText.cpp
  ui/MainWindow.cpp
  ui/MenuTreeEditor.cpp
  ui/MenuTreeModel.cpp
  ui/MenuTreeView.cpp
  ui/NewMenuCommand.cpp
  ui/NewMenuDialog.cpp
  ui/PageDesignDialog.cpp
  ui/ProjectFileCommands.cpp
  ui/ProjectSaveDialog.cpp
  ui/ProjectTextTabs.cpp
  ui/SchemeAndGapsPage.cpp
  ui/SiteProgressDialog.cpp
  ui/StartupTiming.cpp
  ui/StyleMasterDialog.cpp
  ui/StylePicture.cpp
  ui/StyleRulesPage.cpp
  ui/TavelApplication.cpp
  ui/ToolsWindow.cpp
  ui/TreeReportPrinter.cpp
  ui/UiServices.cpp
  ui/WebPreview.cpp
  ui/icons.qrc
)
target_link_libraries(tavel_ui PUBLIC tavel_core Qt6::Widgets Qt6::WebEngineWidgets Qt6::PrintSupport Qt6::Svg)

add_executable(tavel app/Tavel.cpp)
target_link_libraries(tavel PRIVATE tavel_ui)
# The program folder is the executable's folder: keep it beside data/'s copy.
set_target_properties(tavel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(TARGET tavel_data)
  add_dependencies(tavel tavel_data)
endif()
include(cmake/Package.cmake)
