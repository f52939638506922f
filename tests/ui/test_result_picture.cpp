// Where a character's picture is looked for, which file is used, and how
// names are compared to file names.
#include "caseless.h"
#include "picture_file.h"
#include "row_name.h"
#include "temp_dir.h"
#include "window_helpers.h"

#include <QString>

#include <algorithm>
#include <string>

using kinsight::findPicture;
using kinsight::test::rowName;
using kinsight::test::TempDir;

namespace {

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
             {"Pictures/Ann Lee.jpg", "Pictures/Cy.jpeg", "Pictures/Di.jpg.bak", "Pictures/Ed.png",
              "Outside.jpg", "Pictures/Dr..Who.jpg", "Pictures/HAL.jpg", "Pictures/Hal.jpg"})
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
                    LookupCase{"BlankKeptNotDropped", "AnnLee", ""},
                    LookupCase{"OtherExtension", "Cy", ""}, LookupCase{"OnlyALongerName", "Di", ""},
                    LookupCase{"PngIsNotLookedFor", "Ed", ""},
                    LookupCase{"AFolderIsNoPicture", "Fay", ""},
                    LookupCase{"OutsideTheFolder", "../Outside", ""},
                    LookupCase{"DotsInTheName", "Dr..Who", "Pictures/Dr..Who.jpg"},
                    // Named first, the other case must not win.
                    LookupCase{"ExactCaseBeatsAnother", "Hal", "Pictures/Hal.jpg"},
                    LookupCase{"Nobody", "Gil", ""}),
    rowName);

// The engine's Unicode tables against Qt's on every character both know
// (but the CJK compatibility ideographs, kept as macOS keeps them), each
// followed by two marks out of their canonical order.
TEST(CaselessForm, ReadsAsQtDecomposesAndFolds) {
    for (char32_t c = 1; c <= QChar::LastValidCodePoint; ++c) {
        const QChar::UnicodeVersion version = QChar::unicodeVersion(c);
        if (version == QChar::Unicode_Unassigned || version > QChar::Unicode_14_0 ||
            QChar::isSurrogate(c) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x2F800 && c <= 0x2FAFF))
            continue;
        const QString text = QString::fromUcs4(&c, 1) + QStringLiteral("\u0301\u0323");
        QList<uint> qt = text.normalized(QString::NormalizationForm_D).toUcs4();
        std::transform(qt.begin(), qt.end(), qt.begin(),
                       [](uint u) { return QChar::toCaseFolded(u); });
        ASSERT_EQ(kinsight::caselessForm(text.toStdString()),
                  QString::fromUcs4(reinterpret_cast<const char32_t*>(qt.data()), qt.size())
                      .normalized(QString::NormalizationForm_D)
                      .toStdString())
            << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

} // namespace
