# The Qt-free core: everything that decides a text, a file, a tree or a state.
set(TAVEL_CORE_SOURCES
  platform/Paths.cpp
  platform/TextFile.cpp
  platform/TextLines.cpp
  menu/MenuTree.cpp
  menu/ScriptWriter.cpp
  menu/ScriptReader.cpp
  menu/ScriptLines.cpp
  menu/BracketIndex.cpp
  menu/TreeCommands.cpp
  menu/GenerateCode.cpp
  menu/TreeReport.cpp
  project/StartupLoad.cpp
  project/ExternalPage.cpp
  project/Workspace.cpp
  design/StyleRules.cpp
  design/ButtonLine.cpp
  design/ButtonStyleList.cpp
  design/JpegImage.cpp
)
list(TRANSFORM TAVEL_CORE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../)
