#include <gtest/gtest.h>

#include <sstream>

#include "carving/signature_file_names.hpp"
#include "commands.hpp"
#include "support/cli_run.hpp"
#include "support/temp_dir.hpp"

namespace quendrix::cli {
namespace {

constexpr std::size_t kS = 512;

std::string record(const std::string& ext, const std::string& header, const std::string& desc) {
  return "Extension:" + ext + "\nMaximum size:99999999\nHeader:" + header +
         "\nOffset:1\nReserved:\nDescription:" + desc + "\n";
}

// A program folder with signature files of its own and a small image to carve.
struct CarvingCli {
  test::TempDir dir;
  std::filesystem::path image = dir / "card.img";
  std::filesystem::path dest = dir / "out";
  std::string bytes = std::string(200 * kS, '\x01');

  CarvingCli() {
    test::writeFile(dir / carving::kPhotoGeneralFile,
                    record(".jpg", "514A5047", "JPEG") + record(".png", "51504E47", "PNG"));
    test::writeFile(dir / carving::kPhotoAdvanceFile, record(".jpg", "514A5848", "JPEG more"));
    test::writeFile(dir / carving::kVideoFile,
                    record(".mp4", "514D5034", "MPEG-4 video") + record(".avi", "51415649", "AVI"));
    test::writeFile(dir / carving::kVideoAdvanceFile, record(".mov", "514D4F56", "QuickTime"));
    test::writeFile(dir / carving::kSignatureFile, record(".pdf", "51504446", "PDF document"));
    test::writeFile(dir / carving::kSignatureAdvanceFile, "");
    bytes.replace(3 * kS, 4, "QJPG");
    bytes.replace(40 * kS, 4, "QPNG");
    bytes.replace(80 * kS, 4, "QJXH");
    bytes.replace(100 * kS, 4, "QMP4");
    bytes.replace(120 * kS, 4, "QMOV");
    bytes.replace(150 * kS, 4, "QPDF");
    test::writeFile(image, bytes);
    std::filesystem::create_directory(dest);
  }

  test::CliRun run(std::vector<std::string> args, bool interrupted = false) {
    test::CliRunOptions o;
    o.exeFolder = dir.path();
    o.quiet = true;
    o.stopBeforeStart = interrupted;
    return test::runQuendrix(std::move(args), o);
  }
  std::filesystem::path root(const char* mode) const {
    return dest / "Quendrix (Photo and Video)" / mode;
  }
};

TEST(CarvingCommandsTest, PhotoCarvesBothPassesAndSaysWhere) {
  CarvingCli cli;
  auto r = cli.run({"photo", cli.image.string(), "--dest", cli.dest.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const auto root = cli.root("Photo Search");
  EXPECT_EQ(test::readFile(root / "General" / "jpg" / "GNDR00001.jpg"),
            cli.bytes.substr(3 * kS, 37 * kS));
  EXPECT_EQ(test::readFile(root / "General" / "png" / "GNDR00002.png"), cli.bytes.substr(40 * kS));
  EXPECT_EQ(test::readFile(root / "Omitted" / "jpg" / "THDR00001.jpg"), cli.bytes.substr(80 * kS));
  EXPECT_NE(r.out.find("Saved under: " + root.string()), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Searching of files in specified disk sectors is completed."),
            std::string::npos);

  CarvingCli quick;
  r = quick.run({"photo", quick.image.string(), "--dest", quick.dest.string(), "--no-thorough",
                 "--start", "10", "--end", "60"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_FALSE(std::filesystem::exists(quick.root("Photo Search") / "Omitted"));
  EXPECT_EQ(test::readFile(quick.root("Photo Search") / "General" / "png" / "GNDR00001.png"),
            quick.bytes.substr(40 * kS, 20 * kS));
}

TEST(CarvingCommandsTest, VideoAndSignatureCarveTheTickedTypes) {
  CarvingCli cli;
  auto r =
      cli.run({"video", cli.image.string(), "--dest", cli.dest.string(), "--types", "mp4,MOV"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(test::readFile(cli.root("Video Search") / "General" / "MP4" / "MP400001.MP4"),
            cli.bytes.substr(100 * kS));
  EXPECT_EQ(test::readFile(cli.root("Video Search") / "Omitted" / "MOV" / "MOV00001.MOV"),
            cli.bytes.substr(120 * kS));
  EXPECT_FALSE(std::filesystem::exists(cli.root("Video Search") / "General" / "AVI"));
  r = cli.run({"signature", cli.image.string(), "--dest", cli.dest.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_TRUE(
      std::filesystem::exists(cli.root("Signature Search") / "General" / "PDF" / "PDF00001.PDF"));
}

TEST(CarvingCommandsTest, RefusedRequests) {
  CarvingCli cli;
  const std::string img = cli.image.string(), dest = cli.dest.string();
  const std::string endMessage =
      "The value of \u2018End Sector\u2019 cannot be less than or equal to the \u2018Start "
      "Sector\u2019 of the Drive.";
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string message;
  } cases[] = {
      {{"photo", img, "--dest", dest, "--start", "7", "--end", "8"}, kExitUsage, endMessage},
      {{"photo", img, "--dest", dest, "--end", "0"}, kExitUsage, endMessage},
      {{"video", img, "--dest", dest, "--start", "9", "--end", "9"}, kExitUsage, endMessage},
      {{"photo", img, "--dest", dest, "--end", "201"}, kExitUsage, "lies beyond the source"},
      {{"photo", img, "--dest", (cli.dir / "none").string()},
       kExitUsage,
       "Please specify the Destination path where the recovered data will be saved by clicking "
       "on 'Browse' button."},
      {{"video", img, "--dest", dest, "--types", ""},
       kExitUsage,
       "Please select at least one Extension type to continue recovery process."},
      {{"video", img, "--dest", dest, "--types", "mp4,xyz"}, kExitUsage, "unknown type 'xyz'"},
      {{"photo", img, "--dest", dest, "--on-read-error", "ignore"}, kExitUsage, ""},
      {{"photo", (cli.dir / "none.img").string(), "--dest", dest}, kExitFailure, "cannot open"},
  };
  for (const auto& c : cases) {
    auto r = cli.run(c.args);
    EXPECT_EQ(r.code, c.code) << c.args[0] << " " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  // A one-sector range passes in the Video search.
  EXPECT_EQ(cli.run({"video", img, "--dest", dest, "--start", "9", "--end", "10"}).code, kExitOk);
  EXPECT_FALSE(std::filesystem::exists(cli.dir / "none"));
}

TEST(CarvingCommandsTest, InterruptFinishesAndReportsTheStop) {
  CarvingCli cli;
  auto r = cli.run({"photo", cli.image.string(), "--dest", cli.dest.string()}, true);
  EXPECT_EQ(r.code, kExitInterrupted);
  EXPECT_NE(r.out.find("Searching of files in specified disk sectors is stopped."),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(cli.root("Photo Search") / "Omitted"));
}

TEST(CarvingCommandsTest, TypesListsEachExtensionOnceWithItsDescription) {
  CarvingCli cli;
  auto r = cli.run({"types", "video"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.out, "AVI      AVI\nMOV      QuickTime\nMP4      MPEG-4 video\n");
  std::filesystem::remove(cli.dir / carving::kSignatureFile);
  r = cli.run({"types", "signature"});
  EXPECT_EQ(r.code, kExitFailure);
  EXPECT_NE(r.err.find("Couldn't open source file: "), std::string::npos);
  r = cli.run({"signature", cli.image.string(), "--dest", cli.dest.string()});
  EXPECT_EQ(r.code, kExitFailure);
  EXPECT_EQ(cli.run({"types", "photo"}).code, kExitUsage);
}

}  // namespace
}  // namespace quendrix::cli
