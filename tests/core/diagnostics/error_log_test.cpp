#include "diagnostics/error_log.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#include "diagnostics/error_guard.hpp"
#include "diagnostics/report_text.hpp"
#include "diagnostics/utf16.hpp"
#include "support/temp_dir.hpp"

namespace quendrix::diagnostics {
namespace {

TEST(ErrorIdentityTest, ComposesCodeAndMessage) {
  struct Case {
    ErrorIdentity id;
    const char* code;
    const char* message;
  };
  const Case cases[] = {
      {{"1E_A_1", "LD", recoveryModeLabel(SearchMode::Photo), "List info of all connected disk"},
       "0x001E_A_1_LD_P",
       "Error while executing \" List info of all connected disk \" command (0x001E_A_1_LD_P)"},
      {{"1H", "LD", "P", "Scanning for drive partition..."},
       "0x001H_LD_P",
       "Error while executing \" Scanning for drive partition \" command (0x001H_LD_P)"},
      {{"1e_a", "ld", recoveryModeLabel(SearchMode::None), "Fetching drive details..."},
       "0x001E_A_LD_M",
       "Error while executing \" Fetching drive details \" command (0x001E_A_LD_M)"},
      {{"2A", "R", "s", "  Searching for data files ...  "},
       "0x002A_R_S",
       "Error while executing \" Searching for data files \" command (0x002A_R_S)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(composeErrorCode(c.id), c.code);
    EXPECT_EQ(composeErrorMessage(c.id), c.message);
  }
}

TEST(ErrorIdentityTest, ModeLabels) {
  EXPECT_EQ(recoveryModeLabel(SearchMode::Basic), "B");
  EXPECT_EQ(recoveryModeLabel(SearchMode::Deep), "D");
  EXPECT_EQ(recoveryModeLabel(SearchMode::Photo), "P");
  EXPECT_EQ(recoveryModeLabel(SearchMode::Video), "S");
  EXPECT_EQ(recoveryModeLabel(SearchMode::Signature), "S");
  EXPECT_EQ(recoveryModeLabel(SearchMode::None), "M");
}

TEST(ErrorLogTest, WritesUtf16WithOneByteOrderMarkAndAppends) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  test::TempDir dir;
  ErrorLog log(dir / "Error_Log.txt");
  const ErrorIdentity id{"8c", "LD", "M", "Fetching drive details..."};
  const std::time_t when = 1733760930;  // 09-Dec-2024 16:15:30 UTC
  ASSERT_TRUE(log.append(id, when));
  ASSERT_TRUE(log.append(id, when));
  const std::string entry =
      "Date and Time\t:\t09-Dec-2024  04:15:30 PM\r\n"
      "Error Code\t:\t0x008C_LD_M\r\n"
      "Error Message\t:\tError while executing \" Fetching drive details \" command "
      "(0x008C_LD_M)\r\n" +
      std::string(92, '=') + "\r\n";
  EXPECT_EQ(composeLogEntry(id, formatLogTime(when)), entry);
  const std::string bytes = test::readFile(log.path());
  EXPECT_EQ(bytes, "\xFF\xFE" + utf8ToUtf16Le(entry) + utf8ToUtf16Le(entry));
  EXPECT_EQ(bytes.substr(2, 4), std::string("D\0a\0", 4));
}

TEST(ErrorLogTest, UnwritableLogIsSkippedSilently) {
  ErrorLog log("/nonexistent/folder/Error_Log.txt");
  EXPECT_FALSE(log.append({"1", "X", "M", "x"}, 0));
}

TEST(Utf16Test, EncodesBmpSurrogatesAndMalformedInput) {
  EXPECT_EQ(utf8ToUtf16Le("A\xC3\xA9"), std::string("A\0\xE9\0", 4));
  EXPECT_EQ(utf8ToUtf16Le("\xF0\x9F\x93\xB7"), std::string("\x3D\xD8\xF7\xDC", 4));
  EXPECT_EQ(utf8ToUtf16Le("\xFF"), std::string("\xFD\xFF", 2));
}

class RecordingReporter : public ErrorReporter {
 public:
  void report(const ErrorIdentity& id, const std::string& detail) override {
    codes.push_back(composeErrorCode(id) + ":" + detail);
  }
  std::vector<std::string> codes;
};

TEST(ErrorGuardTest, ReportsAnyFaultAndLetsTheCallerGoOn) {
  RecordingReporter reporter;
  int ran = 0;
  EXPECT_TRUE(guardStep(reporter, {"1", "A", "M", "x"}, [&] { ++ran; }));
  EXPECT_FALSE(guardStep(reporter, {"2", "A", "M", "x"}, [] { throw std::runtime_error("bad"); }));
  EXPECT_FALSE(guardStep(reporter, {"3", "A", "M", "x"}, [] { throw 42; }));
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(reporter.codes,
            (std::vector<std::string>{"0x002_A_M:bad", "0x003_A_M:Problem occur."}));
}

TEST(ReportTextTest, JoinsTheFixedParts) {
  const auto text = composeReportText("Error while executing \" X \" command (0x001_A_M)",
                                      "support@example.org");
  EXPECT_EQ(text.rfind("Note: You should Send this information to support email: "
                       "support@example.org\n" +
                           std::string(45, '=') + "\n\nError while executing",
                       0),
            0u);
  EXPECT_NE(text.find("while using \n\"Quendrix (Photo and Video)\"\n\nMy Operating system is: "),
            std::string::npos);
  EXPECT_TRUE(text.ends_with("Manufacturer: \n"));
}

}  // namespace
}  // namespace quendrix::diagnostics
