// Where a character's picture is looked for, and which file is used.
#include "result_picture.h"
#include "row_name.h"
#include "temp_dir.h"
#include "window_helpers.h"

#include <QString>

#include <string>

using kinsight::findPicture;
using kinsight::isPictureNameAllowed;
using kinsight::test::rowName;
using kinsight::test::TempDir;

namespace {

struct NameCase {
    const char* name;
    QString pictureName;
    bool allowed;
};

class AllowedNames : public testing::TestWithParam<NameCase> {};

TEST_P(AllowedNames, AreThoseWithoutAPathSeparatorOrNul) {
    EXPECT_EQ(isPictureNameAllowed(GetParam().pictureName), GetParam().allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AllowedNames,
    testing::Values(NameCase{"Plain", "Bo", true}, NameCase{"BlanksAndCase", "Ann Lee", true},
                    NameCase{"OneDot", "St. Bo", true}, NameCase{"Empty", "", true},
                    NameCase{"Slash", "../Outside", false}, NameCase{"SlashInside", "a/b", false},
                    NameCase{"Backslash", "..\\Outside", false}, NameCase{"TwoDots", "..", true},
                    NameCase{"DotsInside", "Wait...what", true},
                    NameCase{"Nul", QString(QChar(0)) + "Bo", false},
                    NameCase{"Absolute", "/etc/passwd", false}),
    rowName);

struct LookupCase {
    const char* name;
    QString character;
    QString found; // relative to the quiz folder, or empty
};

class Lookup : public testing::TestWithParam<LookupCase> {
protected:
    // One quiz folder for the whole table.
    static void SetUpTestSuite() {
        s_dir = new TempDir;
        for (const char* file :
             {"Pictures/Ann Lee.jpg", "Pictures/bo.JPG", "Pictures/Cy.jpeg", "Pictures/Di.jpg.bak",
              "Pictures/Ed.png", "Outside.jpg", "Pictures/Dr..Who.jpg"})
            s_dir->write(file, "");
        // A folder, not a picture.
        std::filesystem::create_directory(s_dir->path() / "Pictures" / "Fay.jpg");
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }

    static TempDir* s_dir;
};
TempDir* Lookup::s_dir = nullptr;

TEST_P(Lookup, FindsTheJpegWhateverItsCaseAndNothingElse) {
    const std::filesystem::path pictures = s_dir->path() / "Pictures";
    const auto result = findPicture(pictures, GetParam().character);
    EXPECT_EQ(result.expected, pictures / (GetParam().character + ".jpg").toStdString());
    EXPECT_EQ(result.found, GetParam().found.isEmpty()
                                ? std::filesystem::path()
                                : s_dir->path() / GetParam().found.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, Lookup,
    testing::Values(LookupCase{"ExactNameWithABlank", "Ann Lee", "Pictures/Ann Lee.jpg"},
                    LookupCase{"CaseDiffers", "Bo", "Pictures/bo.JPG"},
                    LookupCase{"CaseDiffersInTheName", "ann lee", "Pictures/Ann Lee.jpg"},
                    LookupCase{"BlankKeptNotDropped", "AnnLee", ""},
                    LookupCase{"OtherExtension", "Cy", ""}, LookupCase{"OnlyALongerName", "Di", ""},
                    LookupCase{"PngIsNotLookedFor", "Ed", ""},
                    LookupCase{"AFolderIsNoPicture", "Fay", ""},
                    LookupCase{"OutsideTheFolder", "../Outside", ""},
                    LookupCase{"DotsInTheName", "Dr..Who", "Pictures/Dr..Who.jpg"},
                    LookupCase{"Nobody", "Gil", ""}),
    rowName);

} // namespace
