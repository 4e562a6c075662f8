#include "project/ExternalBrowserTarget.h"

#include "TestSupport.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavel {
namespace {

TEST(ExternalBrowserTarget, TemplatePathOrTheProjectsPageLocation) {
    test::TempFolder program;
    std::filesystem::create_directory(program.File("system"));
    Workspace workspace(program.path());
    EXPECT_EQ(ExternalBrowserTarget(workspace), program.File("system/index.htm"));
    for (const char* folder : {"/menus/Shop", "/menus/Shop/"}) {
        workspace.SetProject(folder, "Shop");
        EXPECT_EQ(ExternalBrowserTarget(workspace), "file:\\\\\\/menus/Shop/index.htm");
    }
}

}  // namespace
}  // namespace tavel
