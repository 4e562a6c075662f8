#pragma once

#include <string>

namespace tavel {

// The two places the program keeps data: `shipped` holds what comes with it
// (templates, styles, colour schemes, buttons, help) and is only read;
// `user` is where it writes what is its own (the default project's texts in
// "system\", user styles in "Styles\User\"). Both end with a separator.
// Run from a build, or from any folder with the data beside the executable,
// the two are that one folder: the run is portable.
struct DataFolders {
    std::string shipped;
    std::string user;
    bool Portable() const { return shipped == user; }
};

// What the program knows of where it stands, gathered before it decides.
struct InstallFacts {
    std::string executableFolder;
    bool dataBesideExecutable = false;  // <exe>/system holds the templates
    bool dataInShare = false;           // <exe>/../share/tavel-builder holds them
    std::string userDataHome;           // $XDG_DATA_HOME or its default; may be empty
};

// The folder an installed copy keeps its shipped data in, for the
// executable's folder: <exe>/../share/tavel-builder/.
std::string InstalledDataFolder(const std::string& executableFolder);

// Decides by layout alone, never by trying a write (as root every write
// would succeed): data beside the executable wins, so a build is portable;
// data in the share folder means installed, writing into
// <userDataHome>/tavel-builder/; with neither, the executable's folder
// serves as both, as in a build. Without a user data home an installed run
// falls back to the shipped folder for both, and its writes fail there,
// naming the file.
DataFolders ChooseDataFolders(const InstallFacts& facts);

// Looks at the disk for the facts about `executableFolder` and decides.
DataFolders FindDataFolders(const std::string& executableFolder, const std::string& userDataHome);

}  // namespace tavel
