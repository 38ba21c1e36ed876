// The run's record: one line per event that people and grep can read, and
// nothing written anywhere unless a file was asked for.
#include <gtest/gtest.h>

#include "shared/RunLog.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"

using namespace testing_support;

namespace {

TEST(RunLogLineTest, ValuesAreQuotedOnlyWhereTheyWouldBreakTheLine) {
    const platform::LocalTime time{2026, 12, 8, 9, 4, 5, 7};
    struct Case {
        std::string value;
        const char* shown;
    };
    const Case cases[] = {
        {"C:\\Setup\\WSROOT", "C:\\Setup\\WSROOT"},
        {"C:\\Program Files\\x.log", "\"C:\\Program Files\\x.log\""},
        {"", "\"\""},
        {"a=b", "\"a=b\""},
        {"Die Datei \"x\"", "\"Die Datei \"\"x\"\"\""},
        {"eins\r\nzwei\rdrei\nvier", "\"eins¶zwei¶drei¶vier\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run_log::FormatLine(time, "message", {{"text", c.value}, {"answer", "6"}}),
                  std::string("2026-12-08T09:04:05.007 message text=") + c.shown +
                      " answer=6\r\n");
    }
    EXPECT_EQ(run_log::FormatLine(time, "exit", {}), "2026-12-08T09:04:05.007 exit\r\n");
}

class RunLogTest : public FakePlatformTest {
  protected:
    ~RunLogTest() override { run_log::Close(); }
    TempFolder temp;
};

TEST_F(RunLogTest, AppendsLineByLineAndDropsWhatCannotBeWritten) {
    temp.Write("run.log", "earlier run\r\n");
    run_log::Write("before");  // no file asked for: nothing anywhere
    run_log::Open(temp / "run.log");
    run_log::Write("first", {{"a", "1"}});
    fake.now.second = 9;
    run_log::Write("second");
    EXPECT_EQ(ReadFileText(temp / "run.log"),
              "earlier run\r\n2026-12-07T11:02:00.000 first a=1\r\n"
              "2026-12-07T11:02:09.000 second\r\n");

    // The file, not its folder, is created; a record that cannot be
    // written is dropped without a word.
    run_log::Open(temp / "missing\\run.log");
    run_log::Write("lost");
    EXPECT_FALSE(PathExists(temp / "missing"));
    EXPECT_TRUE(fake.messages.empty());
}

}  // namespace
