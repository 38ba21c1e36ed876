// The cabinet reader against Wine's setupapi, on cabinets made by gcab and
// checked against cabextract, and on crafted cabinets with unsafe names.
#include "wizard/updates/CabFile.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/Files.h"
#include "tests/support/Cabinets.h"
#include "tests/support/StoredCabinet.h"
#include "tests/support/TempFolder.h"

using namespace testing_support;

namespace {

// Runs `action` and returns the CabError it raised (fails the test otherwise).
CabError RaisedBy(const std::function<void()>& action) {
    try {
        action();
    } catch (const CabError& error) {
        return error;
    }
    ADD_FAILURE() << "no CabError raised";
    return CabError(0, "", "");
}

class CabFileTest : public ::testing::Test {
  protected:
    // A copy of a built cabinet in the temp folder, so that "the cabinet's
    // own folder" is ours to look at.
    std::string CopyOf(const std::string& name) {
        std::string copy = temp / (name + ".cab");
        EXPECT_TRUE(platform::files::CopyFileReplacing(BuiltCabinet(name), copy));
        return copy;
    }

    TempFolder temp;
};

class BuiltCabinetTest : public CabFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BuiltCabinetTest, ExtractsEveryFileIntoTheCabinetsFolderAsCabextractDoes) {
    const std::vector<std::string> listing = ReferenceListing(GetParam());
    ASSERT_EQ(listing.size(), 5u);
    CabFile cab;
    cab.SetCabName(CopyOf(GetParam()));
    std::vector<std::string> extracted;
    cab.AfterExtract = [&](const std::string& path) { extracted.push_back(path); };

    EXPECT_TRUE(cab.Extract("", "", ""));

    std::vector<std::string> expected;
    for (const std::string& file : listing) {
        EXPECT_EQ(ReadFileText(temp / file), ReferenceContents(GetParam(), file)) << file;
        expected.push_back(temp / file);
    }
    EXPECT_EQ(extracted, expected);
    EXPECT_EQ(cab.FileCount(), 5);
    EXPECT_EQ(cab.FileCount(), 10);  // the counter is never reset
}

INSTANTIATE_TEST_SUITE_P(CompressedAndStored, BuiltCabinetTest,
                         ::testing::Values("folders_mszip", "folders_stored"));

TEST_F(CabFileTest, ChoosesFilesByWholeNameIgnoringCase) {
    CabFile cab;
    cab.SetCabName(BuiltCabinet("folders_mszip"));

    EXPECT_TRUE(cab.Extract("SETUP.INF", temp.path(), ""));
    EXPECT_TRUE(cab.Extract("SETUPS\\X.TXT", temp.path(), ""));
    EXPECT_TRUE(cab.Extract("x.txt", temp.path(), ""));  // only the folder part differs
    EXPECT_TRUE(cab.Extract("data\\sub\\x.txt", temp / "T\\U", ""));  // folders made on demand

    EXPECT_EQ(ReadFileText(temp / "setup.inf"), ReferenceContents("folders_mszip", "setup.inf"));
    EXPECT_EQ(ReadFileText(temp / "Setups\\x.txt"), "setups x\r\n");
    EXPECT_FALSE(PathExists(temp / "x.txt"));
    EXPECT_FALSE(PathExists(temp / "data"));
    EXPECT_FALSE(PathExists(temp / "readme.txt"));
    EXPECT_EQ(ReadFileText(temp / "T\\U\\data\\sub\\x.txt"), "data sub x\r\n");
}

TEST_F(CabFileTest, OutputFileReceivesEveryFileAndTheLastOneWins) {
    CabFile cab;
    cab.SetCabName(BuiltCabinet("folders_mszip"));
    int written = 0;
    cab.AfterExtract = [&](const std::string& path) {
        EXPECT_EQ(path, temp / "one.txt");
        ++written;
    };

    EXPECT_TRUE(cab.Extract("", temp.path(), "one.txt"));

    EXPECT_EQ(written, 5);
    EXPECT_EQ(ReadFileText(temp / "one.txt"),
              ReferenceContents("folders_mszip", ReferenceListing("folders_mszip").back()));
    EXPECT_FALSE(PathExists(temp / "data"));
}

TEST_F(CabFileTest, CancelledFileIsSkippedWithoutAfterExtract) {
    CabFile cab;
    cab.SetCabName(BuiltCabinet("folders_stored"));
    std::vector<std::string> before, after;
    cab.BeforeExtract = [&](const std::string& name, bool& cancel) {
        EXPECT_FALSE(cancel);
        before.push_back(name);
        cancel = name == "readme.txt";
    };
    cab.AfterExtract = [&](const std::string& path) { after.push_back(path); };

    EXPECT_TRUE(cab.Extract("", temp.path(), ""));

    EXPECT_EQ(before, ReferenceListing("folders_stored"));
    EXPECT_EQ(after.size(), 4u);
    EXPECT_FALSE(PathExists(temp / "readme.txt"));
    EXPECT_TRUE(PathExists(temp / "setup.inf"));
}

TEST_F(CabFileTest, ReplacesALargerExistingFileWithoutLeavingItsTail) {
    temp.Write("data\\sub\\x.txt", std::string(5000, 'o'));
    CabFile cab;
    cab.SetCabName(BuiltCabinet("folders_mszip"));

    EXPECT_TRUE(cab.Extract("", temp.path(), ""));

    EXPECT_EQ(ReadFileText(temp / "data\\sub\\x.txt"), "data sub x\r\n");
}

TEST_F(CabFileTest, EmptyCabNameRaisesTheClassError) {
    CabFile cab;
    for (const auto& action : std::vector<std::function<void()>>{
             [&] { cab.FileCount(); }, [&] { cab.Extract("", temp.path(), ""); }}) {
        CabError error = RaisedBy(action);
        EXPECT_EQ(error.Number(), -2147219548L);
        EXPECT_EQ(error.Source(), "CabFile");
        EXPECT_EQ(error.Description(),
                  "You must set the CabName property before taking any action on the CabFile "
                  "object.");
    }
}

TEST_F(CabFileTest, MissingOrDamagedCabinetRaisesThePlatformError) {
    CabFile missing;
    missing.SetCabName(temp / "none.cab");
    CabError error = RaisedBy([&] { missing.Extract("", "", ""); });
    EXPECT_EQ(error.Number(), 2);
    EXPECT_EQ(error.Source(), "CabFile");
    EXPECT_EQ(error.Description(), "The system cannot find the file specified.");

    std::string bytes = ReadFileText(BuiltCabinet("folders_mszip"));
    const std::string damaged = temp.Write("damaged.cab", bytes.substr(0, 60));
    CabFile cab;
    cab.SetCabName(damaged);
    // Wine's setupapi fails here without setting an error code.
    error = RaisedBy([&] { cab.FileCount(); });
    EXPECT_EQ(error.Source(), "CabFile");
    EXPECT_EQ(error.Description(), Win32ErrorText(error.Number()));
}

TEST_F(CabFileTest, TargetsThatCannotBeWrittenFailTheExtraction) {
    CabFile cab;
    cab.SetCabName(BuiltCabinet("folders_stored"));
    temp.MakeFolder("folder\\readme.txt");  // a folder where the file must go
    CabError error = RaisedBy([&] { cab.Extract("readme.txt", temp / "folder", ""); });
    EXPECT_EQ(error.Number(), 5);
    EXPECT_EQ(error.Source(), "CabFile");

    temp.Write("file\\data", "a file where a folder must go");
    error = RaisedBy([&] { cab.Extract("", temp / "file", ""); });
    EXPECT_EQ(error.Number(), 82);
    EXPECT_EQ(error.Source(), "CabFile.CabCallBack");
    EXPECT_EQ(error.Description(), "The directory or file cannot be created.");
    EXPECT_EQ(ReadFileText(temp / "file\\data"), "a file where a folder must go");
}

TEST_F(CabFileTest, ErrorOfAnEventHandlerIsRaisedFromTheCallback) {
    CabFile cab;
    cab.SetCabName(BuiltCabinet("folders_stored"));
    cab.BeforeExtract = [](const std::string&, bool&) { throw CabError(5, "Handler", "nein"); };

    CabError error = RaisedBy([&] { cab.Extract("", temp.path(), ""); });
    EXPECT_EQ(error.Number(), 5);
    EXPECT_EQ(error.Source(), "CabFile.CabCallBack");
    EXPECT_EQ(error.Description(), "nein");
    EXPECT_FALSE(PathExists(temp / "setup.inf"));
}

// Names that would leave the target folder: the cabinet is refused, nothing
// of that name is written, and nothing after it either.
TEST_F(CabFileTest, RefusesStoredNamesThatLeaveTheTargetFolder) {
    const std::string outside = temp.MakeFolder("outside");
    const std::vector<std::string> unsafe{
        "..\\escaped.txt",
        "sub\\..\\..\\escaped.txt",
        "..",
        "\\escaped.txt",
        "/escaped.txt",
        "Z:escaped.txt",
        temp / "outside\\escaped.txt",
        "sub\\.. \\..\\escaped.txt",
        "a/../../escaped.txt",
    };
    for (const std::string& name : unsafe) {
        SCOPED_TRACE(name);
        const std::string target = temp.MakeFolder("target\\inner");
        const std::string cabinet = temp / "unsafe.cab";
        ASSERT_TRUE(WriteStoredCabinet(
            cabinet, {{"first.txt", "first"}, {name, "escaped"}, {"last.txt", "last"}}));
        CabFile cab;
        cab.SetCabName(cabinet);

        CabError error = RaisedBy([&] { cab.Extract("", target, ""); });

        EXPECT_EQ(error.Number(), 123);
        EXPECT_EQ(error.Description(),
                  "The filename, directory name, or volume label syntax is incorrect.");
        EXPECT_EQ(ReadFileText(target + "\\first.txt"), "first");
        EXPECT_FALSE(PathExists(target + "\\last.txt"));
        EXPECT_FALSE(PathExists(temp / "target\\escaped.txt"));
        EXPECT_FALSE(PathExists(temp / "escaped.txt"));
        EXPECT_FALSE(PathExists(outside + "\\escaped.txt"));
        EXPECT_FALSE(PathExists("Z:\\escaped.txt"));
        EXPECT_TRUE(platform::files::DeleteFolderTree(temp / "target"));
    }
}

// A device name in any segment, with an extension, trailing dots or blanks,
// in any case: the data would go to the device. Names that only begin like
// one are ordinary files.
TEST_F(CabFileTest, RefusesStoredNamesThatNameADevice) {
    const std::vector<std::string> devices{
        "Setups\\aux.txt", "CON",   "nul.",         "Com1.log", "lpt9 .txt",
        "PRN\\inner.txt",  "prn..", "sub\\conout$", "aux .",    "com¹.txt", "LPT³",
        "Lpt\xB2.txt",  // Windows-1252, unflagged
    };
    for (const std::string& name : devices) {
        SCOPED_TRACE(name);
        const std::string target = temp.MakeFolder("target");
        const std::string cabinet = temp / "device.cab";
        ASSERT_TRUE(WriteStoredCabinet(
            cabinet, {{"first.txt", "first"}, {name, "device"}, {"last.txt", "last"}}));
        CabFile cab;
        cab.SetCabName(cabinet);

        CabError error = RaisedBy([&] { cab.Extract("", target, ""); });

        EXPECT_EQ(error.Number(), 123);
        EXPECT_EQ(ReadFileText(target + "\\first.txt"), "first");
        EXPECT_FALSE(PathExists(target + "\\last.txt"));
        EXPECT_TRUE(platform::files::DeleteFolderTree(target));
    }

    const std::string cabinet = temp / "ordinary.cab";
    ASSERT_TRUE(WriteStoredCabinet(cabinet, {{"auxiliary.txt", "a"},
                                             {"com10.txt", "b"},
                                             {"console\\nul1.txt", "c"},
                                             {"lpt.txt", "d"}}));
    CabFile cab;
    cab.SetCabName(cabinet);
    EXPECT_TRUE(cab.Extract("", temp / "ordinary", ""));
    EXPECT_EQ(ReadFileText(temp / "ordinary\\console\\nul1.txt"), "c");
    EXPECT_EQ(ReadFileText(temp / "ordinary\\com10.txt"), "b");
}

// A cabinet whose last file goes on in a next part: with the part beside it
// the set extracts whole; without it (a truncated download) the extraction
// fails instead of asking for the part for ever.
TEST_F(CabFileTest, CabinetContinuedInANextPartNeedsThatPart) {
    const std::string spanned = "begins in the first part and ends in the second";
    const std::string first = temp / "set1.cab", second = temp / "set2.cab";
    ASSERT_TRUE(WriteSpannedCabinets(first, "set2.cab", {{"whole.txt", "whole"}},
                                     {"spanned.txt", spanned}));
    ASSERT_TRUE(platform::files::MoveFileTo(second, temp / "elsewhere.cab"));
    std::vector<std::string> written;
    CabFile cab;
    cab.SetCabName(first);
    cab.AfterExtract = [&](const std::string& path) { written.push_back(path); };

    CabError error = RaisedBy([&] { cab.Extract("", temp / "out", ""); });

    EXPECT_EQ(error.Number(), 2);
    EXPECT_EQ(error.Source(), "CabFile");
    EXPECT_EQ(written, std::vector<std::string>{temp / "out\\whole.txt"});

    ASSERT_TRUE(platform::files::MoveFileTo(temp / "elsewhere.cab", second));
    written.clear();
    EXPECT_TRUE(cab.Extract("", temp / "out", ""));
    EXPECT_EQ(ReadFileText(temp / "out\\spanned.txt"), spanned);
    EXPECT_EQ(written.size(), 2u);
}

// Names flagged as UTF-8 come out whole; an unflagged one is in the code
// page (Windows-1252 on this machine), as the cabinet's maker stored it.
TEST_F(CabFileTest, StoredNamesInUtf8OrTheCodePageComeOutWhole) {
    const std::string cabinet = temp / "names.cab";
    ASSERT_TRUE(WriteStoredCabinet(cabinet, {{"Łódź\\Zażółć gęślą.txt", "pl"},
                                             {"Ayşe ｆｕｌｌ.txt", "tr"},
                                             {"\xDC" "bersicht.txt", "de"}}));
    CabFile cab;
    cab.SetCabName(cabinet);
    EXPECT_TRUE(cab.Extract("", temp / "out", ""));
    EXPECT_EQ(ReadFileText(temp / "out\\Łódź\\Zażółć gęślą.txt"), "pl");
    EXPECT_EQ(ReadFileText(temp / "out\\Ayşe ｆｕｌｌ.txt"), "tr");
    EXPECT_EQ(ReadFileText(temp / "out\\Übersicht.txt"), "de");
}

TEST_F(CabFileTest, TargetPathLongerThanTheBufferRaisesInsteadOfOverrunning) {
    const std::string folder = temp.MakeFolder(std::string(120, 'f'));
    const std::string fits(259 - folder.size() - 1, 'n');
    const std::string cabinet = temp / "long.cab";
    ASSERT_TRUE(WriteStoredCabinet(cabinet, {{fits, "fits"}, {"d\\" + fits, "too long"}}));
    CabFile cab;
    cab.SetCabName(cabinet);

    CabError error = RaisedBy([&] { cab.Extract("", folder, ""); });

    EXPECT_EQ(error.Number(), 111);
    EXPECT_EQ(error.Source(), "CabFile.CabCallBack");
    EXPECT_EQ(ReadFileText(folder + "\\" + fits), "fits");
    EXPECT_FALSE(PathExists(folder + "\\d"));  // not even its folder

    // The buffer counts characters: a path longer in UTF-8 than that still fits.
    std::string polish;
    for (int i = 0; i < 60; ++i) polish += "ł";
    const std::string wide = temp.MakeFolder(polish);
    const std::string name(259 - (temp.path().size() + 61) - 1, 'n');
    ASSERT_GT(wide.size() + 1 + name.size(), 259u);
    ASSERT_TRUE(WriteStoredCabinet(cabinet, {{name, "fits"}}));
    EXPECT_TRUE(cab.Extract("", wide, ""));
    EXPECT_EQ(ReadFileText(wide + "\\" + name), "fits");
}

}  // namespace
