#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// The button images a menu can use: "[none]" and one entry per JPEG file of
// the program folder's buttons folder, with the selection, the picture
// last loaded (kept as the file's bytes, to be written back unchanged) and
// the path of the image last chosen.
class ButtonStyleList {
public:
    static constexpr const char* kNone = "[none]";

    ButtonStyleList();

    // Lists the "*.jpg" files of `folder` by name less the extension, in
    // alphabetical order without regard to case. Throws FileError when the
    // folder cannot be listed; the list then holds "[none]" alone.
    void Fill(const std::string& folder);

    const std::vector<std::string>& Entries() const { return entries_; }
    std::optional<size_t> Selected() const { return selected_; }
    void Select(size_t entry);
    std::optional<size_t> Find(std::string_view name) const;

    // Loads the selected entry's image (a double-click on the list): the
    // current image path becomes the entry's file, its bytes the picture;
    // "[none]" empties the picture.
    void LoadSelected();

    // Selects the entry that the style sheet's button line names and loads
    // it; a sheet without the line selects "[none]". A name that matches no
    // entry changes nothing.
    void FromStyleSheet(std::string_view styleSheet);

    bool HasPicture() const { return !picture_.empty(); }
    const std::string& Picture() const { return picture_; }
    const std::string& CurrentImagePath() const { return currentPath_; }

    // Writes the picture unchanged; writes nothing when there is none.
    void WritePicture(const std::string& path) const;

    // "Edit button": the image to open, or none when there is no file.
    std::optional<std::string> ImageToEdit() const;

private:
    std::string folder_;
    std::vector<std::string> entries_;
    std::optional<size_t> selected_;
    std::string picture_;
    std::string currentPath_;
};


inline constexpr const char* kSelectButtonImage = "Please, select button image!";

}  // namespace tavel
