#include "design/ButtonLine.h"
#include "design/ButtonStyleList.h"
#include "design/JpegImage.h"

#include "TestSupport.h"
#include "platform/FileError.h"

#include <gtest/gtest.h>

#include <optional>

#include <filesystem>

namespace tavel {
namespace {

const std::string kBlue = "table{ background-image: url(\"../buttons/blue.jpg\");}/*blue*/";

TEST(ButtonLine, TheTwoFormsAndTheExampleChangeOfButton) {
    EXPECT_EQ(ButtonLine(ButtonLineForm::DefaultProject, "blue"), kBlue);
    EXPECT_EQ(ButtonLine(ButtonLineForm::ProjectFolder, "red"),
              "table{ background-image: url(\"table_bgcolor.jpg\");}/*red*/");

    std::string css = "A.menu {}\r\n" + kBlue + "\r\n";
    EXPECT_EQ(ReadButtonLine(css).name, "blue");
    SetButtonLine(css, ButtonLineForm::DefaultProject, "red");
    EXPECT_EQ(css, "A.menu {}\r\ntable{ background-image: url(\"../buttons/red.jpg\");}/*red*/\r\n");
    SetButtonLine(css, ButtonLineForm::ProjectFolder, "red");
    EXPECT_EQ(css, "A.menu {}\r\ntable{ background-image: url(\"table_bgcolor.jpg\");}/*red*/\r\n");
}

TEST(ButtonLine, TheNameIsBetweenTheCommentMarksOfThatLine) {
    // Without a final line break, and with further lines after it, the name
    // still reads whole.
    EXPECT_EQ(ReadButtonLine("A {}\r\n" + kBlue).name, "blue");
    EXPECT_EQ(ReadButtonLine(kBlue + "\r\nP {} /*other*/\r\n").name, "blue");
    EXPECT_EQ(ReadButtonLine("table{ background-image: url(\"x.jpg\");}/**/").name, "");
    // No "/*" or no "*/" on the line names nothing; no marker at all says so.
    EXPECT_FALSE(ReadButtonLine("table{ background-image: url(\"x.jpg\");}\r\n/*x*/").name);
    EXPECT_FALSE(ReadButtonLine("table{ background-image: url(\"x.jpg\");}/*x").name);
    EXPECT_TRUE(ReadButtonLine("table{ background-image: url(\"x.jpg\");}/*x").hasMarker);
    EXPECT_FALSE(ReadButtonLine("table{background-image: url(\"x.jpg\");}/*x*/").hasMarker);

    // The line is replaced or removed where it stands, and the user's own
    // rules after it stay; a sheet without one gets it at its end.
    const struct {
        std::string sheet;
        std::optional<std::string_view> entry;
        std::string expected;
    } cases[] = {
        {"A {}\r\n" + kBlue + "\r\nP {}\r\n", "x", "A {}\r\n" + ButtonLine(ButtonLineForm::ProjectFolder, "x") + "\r\nP {}\r\n"},
        {"A {}\r\n" + kBlue + "\r\nP {}\r\n", std::nullopt, "A {}\r\nP {}\r\n"},
        {"A {}\n" + kBlue + "\nP {}", std::nullopt, "A {}\nP {}"},
        {"A {} " + kBlue + "\r\nP {}", std::nullopt, "A {} \r\nP {}"},
        {"A {}", "x", "A {}\r\n" + ButtonLine(ButtonLineForm::ProjectFolder, "x")},
        {"A {}\r\n" + kBlue, "x", "A {}\r\n" + ButtonLine(ButtonLineForm::ProjectFolder, "x") + "\r\n"},
        {"", std::nullopt, ""},
        // A second button line goes either way: the sheet holds one.
        {kBlue + "\r\nP {}\r\n" + kBlue + "\r\n", std::nullopt, "P {}\r\n"},
        {kBlue + "\r\nP {}\r\n" + kBlue + "\r\n", "x", ButtonLine(ButtonLineForm::ProjectFolder, "x") + "\r\nP {}\r\n"},
    };
    for (const auto& c : cases) {
        std::string css = c.sheet;
        SetButtonLine(css, ButtonLineForm::ProjectFolder, c.entry);
        EXPECT_EQ(css, c.expected) << c.sheet;
    }
}

class ButtonStyleListTest : public ::testing::Test {
protected:
    ButtonStyleListTest() {
        for (const char* name : {"red.jpg", "Blue.JPG", "azure.jpg", "notes.txt"}) folder.Write(name, std::string("img:") + name);
        std::filesystem::create_directory(folder.File("dir.jpg"));
        list.Fill(folder.path() + "/");
    }
    test::TempFolder folder;
    ButtonStyleList list;
};

TEST_F(ButtonStyleListTest, ListsTheImagesByNameInAlphabeticalOrder) {
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"[none]", "azure", "Blue", "red"}));
    EXPECT_FALSE(list.Selected());
    ButtonStyleList missing;
    EXPECT_THROW(missing.Fill(folder.File("nowhere")), FileError);
    EXPECT_EQ(missing.Entries(), std::vector<std::string>{"[none]"});
}

TEST_F(ButtonStyleListTest, DoubleClickLoadsTheFileAndNoneEmptiesThePicture) {
    list.Select(3);
    list.LoadSelected();
    EXPECT_EQ(list.CurrentImagePath(), folder.File("red.jpg"));
    EXPECT_EQ(list.Picture(), "img:red.jpg");
    EXPECT_EQ(list.ImageToEdit(), folder.File("red.jpg"));

    test::TempFolder out;
    list.WritePicture(out.File("table_bgcolor.jpg"));
    EXPECT_EQ(out.Read("table_bgcolor.jpg"), "img:red.jpg");

    list.Select(0);
    list.LoadSelected();
    EXPECT_FALSE(list.HasPicture());
    EXPECT_EQ(list.CurrentImagePath(), folder.File("[none].jpg"));
    EXPECT_FALSE(list.ImageToEdit());  // "Please, select button image!"
    list.WritePicture(out.File("nothing.jpg"));
    EXPECT_FALSE(std::filesystem::exists(out.File("nothing.jpg")));
}

TEST_F(ButtonStyleListTest, TheStyleSheetLineSelectsItsEntry) {
    list.FromStyleSheet("A {}\r\ntable{ background-image: url(\"../buttons/red.jpg\");}/*red*/\r\n");
    EXPECT_EQ(list.Selected(), 3u);
    EXPECT_EQ(list.Picture(), "img:red.jpg");

    // A name that matches no entry (case counts) leaves selection and picture.
    list.FromStyleSheet("table{ background-image: url(\"x\");}/*RED*/\r\n");
    EXPECT_EQ(list.Selected(), 3u);
    EXPECT_EQ(list.Picture(), "img:red.jpg");

    list.FromStyleSheet("A {}\r\n");
    EXPECT_EQ(list.Selected(), 0u);
    EXPECT_FALSE(list.HasPicture());
}

TEST(JpegImage, DecodesAShippedButtonAndNamesABrokenOne) {
    const std::string path = std::string(TAVEL_SOURCE_DIR) + "/data/buttons/blue.jpg";
    const std::string bytes = test::ReadBinary(path);
    RgbImage image = DecodeJpeg(bytes, path);
    EXPECT_EQ(image.width, 150);
    EXPECT_EQ(image.height, 15);
    ASSERT_EQ(image.pixels.size(), 150u * 15u * 3u);
    // The middle row is clearly blue.
    const uint8_t* mid = &image.pixels[(7 * 150 + 75) * 3];
    EXPECT_GT(mid[2], mid[0] + 40);

    for (const std::string& broken : {std::string(), std::string("not a picture"), bytes.substr(0, bytes.size() / 2),
                                      bytes.substr(0, 200)}) {
        try {
            DecodeJpeg(broken, "buttons/broken.jpg");
            // libjpeg fills a cut-off picture with grey and warns; that is a picture.
            EXPECT_GE(broken.size(), 200u);
        } catch (const ImageError& e) {
            EXPECT_NE(std::string(e.what()).find("buttons/broken.jpg"), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(DecodeJpeg(bytes, "big.jpg", 100), ImageError);
}

}  // namespace
}  // namespace tavel
