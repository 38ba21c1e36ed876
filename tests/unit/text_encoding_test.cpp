// UTF-8 case and the code-page readers: the texts every stored file and
// every path pass through.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/IniDocument.h"
#include "platform/TextEncoding.h"
#include "shared/Text.h"

namespace {

using platform::files::DecodeText;
using platform::files::TextEncoding;

TEST(TextEncodingTest, CaseKnowsUtf8AndKeepsTheLengthInBytes) {
    struct Case {
        std::string lower, upper;
    };
    const Case cases[] = {
        {"für zurück", "FÜR ZURÜCK"},
        {"łódź ayşe ğ", "ŁÓDŹ AYŞE Ğ"},
        {"привет σοφία", "ПРИВЕТ ΣΟΦΊΑ"},
        {"ｚｅｖｒｉｎ ⅻ", "ＺＥＶＲＩＮ Ⅻ"},  // three bytes each
        {"ÿ", "Ÿ"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text::Upper(c.lower), c.upper);
        EXPECT_EQ(text::Lower(c.upper), c.lower);
        EXPECT_TRUE(text::EqualsNoCase(c.lower, c.upper));
    }
    // No single upper case of the same length: ß, ı and ſ stay; an invalid
    // byte or a cut character stays as it is, and nothing is split.
    EXPECT_EQ(text::Upper("straße ı ſ"), "STRAßE ı ſ");
    EXPECT_EQ(text::Upper("a\xFF" "b\xC3"), "A\xFF" "B\xC3");
    EXPECT_EQ(text::Upper("\xE2\x82"), "\xE2\x82");
    // A position found in the upper case holds in the original.
    const std::string path = "S:\\Łódź\\version_520";
    EXPECT_EQ(path.substr(0, text::Upper(path).find("\\VERSION")), "S:\\Łódź");
}

TEST(TextEncodingTest, StoredTextIsReadByItsMarkOrElseByItsEncoding) {
    struct Case {
        std::string bytes;
        TextEncoding encoding;
        std::string text;
    };
    const Case cases[] = {
        {"h\xF6her \x80 \x81", TextEncoding::Windows1252, "höher € \u0081"},
        // The native build stands for a Western machine; Wine's default too.
        {"h\xF6her", TextEncoding::AnsiCodePage, "höher"},
        {"\xEF\xBB\xBFh\xC3\xB6her", TextEncoding::Windows1252, "höher"},
        {std::string("\xFF\xFEh\0\xF6\0\x41\x01", 8), TextEncoding::Windows1252, "höŁ"},
        {std::string("\xFE\xFF\0h\xD8\x3D\xDE\x00", 8), TextEncoding::AnsiCodePage, "h😀"},
        {std::string("\xFF\xFE\x3D\xD8x\0", 6), TextEncoding::Windows1252, "\uFFFDx"},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeText(c.bytes, c.encoding), c.text) << c.text;
    EXPECT_EQ(platform::encoding::Windows1252FromUtf8("höher € Ł"), "h\xF6her \x80 ?");
    EXPECT_EQ(platform::encoding::Utf16Length("Łódź 😀"), 7u);
}

// An INI file edited keeps every byte of the lines the edit leaves alone;
// values are found and cut as the profile functions do, for which a line
// beginning with ";" is a key like any other.
TEST(TextEncodingTest, IniDocumentReadsAsTheProfileFunctionsAndKeepsUntouchedBytes) {
    const std::string stored =
        "[Common]\r\nVersion = \"5.2.0\" \r\nTitel=\xDC" "berarbeitung  \r\n\r\n"
        "; Kommentar\r\n[COMPONENTS]\nP_Q_Vorlauf=1\nP_TL = 2";
    platform::ini::Document document(stored, TextEncoding::Windows1252);
    EXPECT_EQ(document.Value("common", " VERSION "), "5.2.0");
    EXPECT_EQ(document.Value("Common", "Titel"), "Überarbeitung");
    EXPECT_EQ(document.Value("Common", "Build"), std::nullopt);
    document.Set("COMPONENTS", "P_Q_Vorlauf", std::nullopt);
    document.Set("Common", ";Titel", "Ä");
    EXPECT_EQ(document.Bytes(),
              "[Common]\r\nVersion = \"5.2.0\" \r\nTitel=\xDC" "berarbeitung  \r\n\r\n"
              "; Kommentar\r\n;Titel=\xC4\r\n[COMPONENTS]\nP_TL = 2");
    EXPECT_EQ(platform::ini::AsProfileResult(std::nullopt, "ab  ", 2048), "ab");
    EXPECT_EQ(platform::ini::AsProfileResult(std::string("äöü"), "", 3), "äö");
}

}  // namespace
