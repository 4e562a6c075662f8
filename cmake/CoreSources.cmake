# The Qt-free core: everything that decides a text, a file, a tree or a state.
# Listed bottom-up, as the folders depend on each other.
set(TAVEL_CORE_SOURCES
  platform/Paths.cpp
  platform/TextFile.cpp
  platform/TextLines.cpp
  platform/StagedFile.cpp
  platform/AtomicFileBatch.cpp
  platform/FolderListing.cpp
  menu/MenuTree.cpp
  menu/ScriptWriter.cpp
  menu/ScriptReader.cpp
  menu/ScriptLines.cpp
  menu/BracketIndex.cpp
  menu/TreeReport.cpp
  design/StyleRules.cpp
  design/ButtonLine.cpp
  design/ButtonStyleList.cpp
  design/JpegImage.cpp
  design/RuntimeComment.cpp
  design/GapLines.cpp
  design/ColourSchemeList.cpp
  design/PageDesignSettings.cpp
  project/EditHistory.cpp
  project/Workspace.cpp
  project/GenerateCode.cpp
  project/TreeCommands.cpp
  project/PageDesign.cpp
  project/ProjectOperations.cpp
  project/StartupLoad.cpp
  project/ExternalBrowserTarget.cpp
  project/StyleFile.cpp
  project/NewMenu.cpp
  tools/SitePages.cpp
  tools/CreateSite.cpp
  tools/PageIntegration.cpp
)
list(TRANSFORM TAVEL_CORE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../)
