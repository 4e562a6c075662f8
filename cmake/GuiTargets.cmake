# The Qt shell: windows, dialogs, the preview, and the program itself.
find_package(Qt6 REQUIRED COMPONENTS Widgets WebEngineWidgets PrintSupport Svg Network)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

add_library(tavel_ui STATIC
  ui/about/AboutBox.cpp
  ui/about/AboutPicture.cpp
  ui/common/AccessibleComboBox.cpp
  ui/common/AccessibleNames.cpp
  ui/common/AccessibleTabBar.cpp
  ui/common/DataFolderLookup.cpp
  ui/common/FocusFrameStyle.cpp
  ui/common/FormNames.cpp
  ui/common/JpegPixmap.cpp
  ui/common/LinkLabel.cpp
  ui/common/LocalText.cpp
  ui/common/NetworkLinkRequester.cpp
  ui/common/StartupTiming.cpp
  ui/common/TavelApplication.cpp
  ui/common/UiServices.cpp
  ui/importpage/NavigationChooser.cpp
  ui/item/ItemDialog.cpp
  ui/linkcheck/LinkCheckModel.cpp
  ui/linkcheck/LinkCheckWindow.cpp
  ui/main/ActionTable.cpp
  ui/main/BrowserTab.cpp
  ui/main/CommandActions.cpp
  ui/main/CommandRunner.cpp
  ui/main/ImportMenuCommand.cpp
  ui/main/MainWindow.cpp
  ui/main/MenuTreeEditor.cpp
  ui/main/MenuTreeModel.cpp
  ui/main/MenuTreeView.cpp
  ui/main/NewMenuCommand.cpp
  ui/main/PreviewPage.cpp
  ui/main/ProjectFileCommands.cpp
  ui/main/ProjectTextTabs.cpp
  ui/main/RecentProjectsMenu.cpp
  ui/main/TreeReportPrinter.cpp
  ui/main/WebPreview.cpp
  ui/newmenu/FolderTreePicker.cpp
  ui/newmenu/NewMenuDialog.cpp
  ui/newmenu/StyleMasterDialog.cpp
  ui/newmenu/StylePicture.cpp
  ui/pagedesign/ButtonStylePage.cpp
  ui/pagedesign/PageDesignDialog.cpp
  ui/pagedesign/SchemeAndGapsPage.cpp
  ui/pagedesign/StyleRulesPage.cpp
  ui/save/ProjectSaveDialog.cpp
  ui/tools/SiteProgressDialog.cpp
  ui/tools/ToolsWindow.cpp
  ui/common/icons.qrc
)
target_link_libraries(tavel_ui PUBLIC tavel_core Qt6::Widgets Qt6::WebEngineWidgets Qt6::PrintSupport Qt6::Svg Qt6::Network)

# The command line: the site tools and the link check without a window.
add_library(tavel_cli STATIC
  cli/CommandLine.cpp
  cli/LinkCheckRun.cpp
  cli/TerminalProgress.cpp
)
target_link_libraries(tavel_cli PUBLIC tavel_ui)

add_executable(tavel app/Tavel.cpp)
target_link_libraries(tavel PRIVATE tavel_cli tavel_ui)
# The program folder is the executable's folder: keep it beside data/'s copy.
set_target_properties(tavel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(TARGET tavel_data)
  add_dependencies(tavel tavel_data)
endif()
include(cmake/Package.cmake)
