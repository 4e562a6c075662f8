#include "project/StartupLoad.h"

#include "menu/ScriptReader.h"
#include "platform/FileError.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WriteJournal.h"
#include "project/Preview.h"
#include "project/ProgramFolder.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"

namespace tavel {

StartupLoadResult LoadDefaultProject(Workspace& workspace, Preview& preview) {
    StartupLoadResult result;
    workspace.SetProject("", "");
    workspace.MarkSaved();
    preview.Navigate(FileLocation(workspace.UserPath(programpath::kTemplatePage)));

    if (std::string repaired = RecoverInterruptedWrites(FolderOfPath(workspace.UserPath(programpath::kTemplatePage)));
        !repaired.empty())
        AddWriteNotice(std::move(repaired));
    ProjectTexts& texts = workspace.Texts();
    const struct {
        std::string_view relative;
        std::string* text;
    } files[] = {
        {programpath::kTemplateScript, &texts.script},
        {programpath::kTemplatePage, &texts.page},
        {programpath::kTemplateStyleSheet, &texts.styleSheet},
        {programpath::kTemplateRuntime, &texts.runtime},
    };
    bool scriptRead = false;
    for (const auto& file : files) {
        try {
            *file.text = ReadTextFile(workspace.UserPath(file.relative));
            if (file.text == &texts.script) scriptRead = true;
        } catch (const FileError& error) {
            file.text->clear();
            result.failures.push_back(error.what());
        }
    }
    if (scriptRead) {
        const std::string path = workspace.UserPath(programpath::kTemplateScript);
        const ScriptReadResult read = workspace.RebuildTreeFromScript(path);
        result.treeBuilt = true;
        for (std::string& warning : ScriptReadWarnings(read, texts.script, path))
            result.failures.push_back(std::move(warning));
    } else {
        workspace.Tree().Clear();
        workspace.ClearHistory();
        workspace.ForgetPartlyRead();
    }
    return result;
}

std::string StartupFailureMessage(const std::vector<std::string>& failures) {
    std::string message = "These template files could not be read in full:";
    for (const std::string& failure : failures) message += "\n\n" + failure;
    return message;
}

}  // namespace tavel
