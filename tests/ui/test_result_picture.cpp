// Where a character's picture is looked for, and which file is used.
#include "caseless.h"
#include "picture_file.h"
#include "row_name.h"
#include "temp_dir.h"
#include "window_helpers.h"

#include <QString>

#include <string>

using kinsight::findPicture;
using kinsight::isPictureName;
using kinsight::test::rowName;
using kinsight::test::TempDir;

namespace {

struct NameCase {
    const char* name;
    std::string pictureName;
    bool allowed;
};

class AllowedNames : public testing::TestWithParam<NameCase> {};

TEST_P(AllowedNames, AreThoseWithoutAPathSeparatorOrNul) {
    EXPECT_EQ(isPictureName(GetParam().pictureName), GetParam().allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AllowedNames,
    testing::Values(NameCase{"Plain", "Bo", true}, NameCase{"BlanksAndCase", "Ann Lee", true},
                    NameCase{"OneDot", "St. Bo", true}, NameCase{"Empty", "", true},
                    NameCase{"Slash", "../Outside", false}, NameCase{"SlashInside", "a/b", false},
                    NameCase{"Backslash", "..\\Outside", false}, NameCase{"TwoDots", "..", true},
                    NameCase{"DotsInside", "Wait...what", true},
                    NameCase{"Nul", std::string(1, 0) + "Bo", false},
                    NameCase{"Absolute", "/etc/passwd", false}),
    rowName);

struct LookupCase {
    const char* name;
    std::string character;
    std::string found; // relative to the quiz folder, or empty
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
    EXPECT_EQ(result.expected, pictures / (GetParam().character + ".jpg"));
    EXPECT_EQ(result.found, GetParam().found.empty() ? std::filesystem::path()
                                                     : s_dir->path() / GetParam().found);
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

// The engine's Unicode tables against Qt's on every character both know,
// each followed by two marks out of their canonical order.
TEST(CaselessForm, ReadsAsQtDecomposesAndFolds) {
    auto qtForm = [](const QString& text) {
        QList<uint> folded = text.normalized(QString::NormalizationForm_D).toUcs4();
        for (uint& c : folded)
            c = QChar::toCaseFolded(c);
        return QString::fromUcs4(reinterpret_cast<const char32_t*>(folded.data()), folded.size())
            .normalized(QString::NormalizationForm_D);
    };
    for (char32_t c = 1; c <= QChar::LastValidCodePoint; ++c) {
        const QChar::UnicodeVersion version = QChar::unicodeVersion(c);
        // The CJK compatibility ideographs are kept as macOS keeps them.
        const bool kept = (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x2F800 && c <= 0x2FAFF);
        if (version == QChar::Unicode_Unassigned || version > QChar::Unicode_14_0 ||
            QChar::isSurrogate(c) || kept)
            continue;
        const QString text = QString::fromUcs4(&c, 1) + QStringLiteral("\u0301\u0323");
        ASSERT_EQ(kinsight::caselessForm(text.toStdString()), qtForm(text).toStdString())
            << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

} // namespace
