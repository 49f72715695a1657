// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/files.h>
#include <zyr/platform/host/printer.h>
#include <zyr/platform/host/vectorcanvas.h>

#include <QIODevice>
#include <random>
#include <stdexcept>

#include "host/file_faults.h"

using namespace zyr;
using namespace zyr::test;
namespace fs = std::filesystem;

namespace {

// Noise does not compress, so the picture's file is far larger than the disk allows below.
void FillWithNoise(TBitmap& b) {
  std::mt19937 rng(11);
  for (int y = 0; y < b.Height(); ++y) {
    TRGB32* row = b.ScanLine(y);
    for (int x = 0; x < b.Width(); ++x)
      row[x] = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 0};
  }
}

void DrawSomething(TCanvas& c) {
  c.Pen().SetColor(clRed);
  for (int i = 0; i < 200; ++i) c.Rectangle(i, i, 300 - i, 200 - i / 2);
  c.TextOut(10, 10, "Vector text");
}

bool IsCharDevice(const char* path) {
  struct stat st {};
  return ::lstat(path, &st) == 0 && S_ISCHR(st.st_mode);
}

}  // namespace

TEST(AtomicFile, TargetChangesOnlyOnACompleteCommit) {
  const fs::path dir = FreshDir("atomic");
  const fs::path target = dir / "out.txt";
  WriteBytes(target, "old");
  {
    TAtomicFile f(target.string());
    ASSERT_NE(f.Device(), nullptr);
    f.Device()->write("new contents");
    EXPECT_EQ(ReadBytes(target), "old");  // nothing visible before the commit
    EXPECT_TRUE(f.Commit());
  }
  EXPECT_EQ(ReadBytes(target), "new contents");
  {
    TAtomicFile f(target.string());
    f.Device()->write("dropped");
    f.Discard();
    EXPECT_FALSE(f.Commit());
  }
  {
    TAtomicFile f(target.string());
    f.Device()->write("dropped by the destructor");
  }
  EXPECT_EQ(ReadBytes(target), "new contents");
  EXPECT_EQ(FilesIn(dir), std::set<std::string>{"out.txt"});  // no temporary files left
  fs::remove_all(dir);
}

TEST(AtomicFile, RefusesDevicesPipesFoldersAndMissingFolders) {
  const fs::path dir = FreshDir("refuse");
  const fs::path link = dir / "full.png";
  fs::create_symlink("/dev/full", link);
  const fs::path fifo = dir / "pipe.png";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(dir / "folder.png");
  for (const fs::path& p : {link, fifo, dir / "folder.png", dir / "missing" / "x.png"}) {
    TAtomicFile f(p.string());
    EXPECT_EQ(f.Device(), nullptr) << p;
    EXPECT_FALSE(f.Commit()) << p;
    EXPECT_FALSE(WriteFileAtomically(p.string(), [](QIODevice&) { return true; })) << p;
  }
  EXPECT_FALSE(WriteFileAtomically("", [](QIODevice&) { return true; }));
  // The device and the link stay what they were.
  EXPECT_TRUE(IsCharDevice("/dev/full"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"folder.png", "full.png", "pipe.png"}));

  // A link to a regular file is followed: the file is replaced, the link stays.
  WriteBytes(dir / "real.txt", "old");
  fs::create_symlink(dir / "real.txt", dir / "alias.txt");
  EXPECT_TRUE(WriteFileAtomically((dir / "alias.txt").string(),
                                  [](QIODevice& d) { return d.write("new") == 3; }));
  EXPECT_TRUE(fs::is_symlink(dir / "alias.txt"));
  EXPECT_EQ(ReadBytes(dir / "real.txt"), "new");
  fs::remove_all(dir);
}

TEST(AtomicFile, WriterFailureLeavesTheTargetAlone) {
  const fs::path dir = FreshDir("writerfail");
  WriteBytes(dir / "t.bin", "old");
  EXPECT_FALSE(WriteFileAtomically((dir / "t.bin").string(), [](QIODevice& d) {
    d.write("partial");
    return false;
  }));
  EXPECT_EQ(ReadBytes(dir / "t.bin"), "old");
  EXPECT_EQ(FilesIn(dir), std::set<std::string>{"t.bin"});
  fs::remove_all(dir);
}

TEST(Bitmap, SaveToFileReportsEveryFailedWriteAndKeepsTheOldFile) {
  const fs::path dir = FreshDir("bmpsave");
  TBitmap b(300, 200);
  FillWithNoise(b);
  for (const char* name : {"pic.png", "pic.bmp", "pic.jpg"}) {
    const fs::path target = dir / name;
    WriteBytes(target, "old picture");
    {
      DiskFullAfter full(4096);
      EXPECT_FALSE(b.SaveToFile(target.string())) << name;
    }
    EXPECT_EQ(ReadBytes(target), "old picture") << name;
    EXPECT_TRUE(b.SaveToFile(target.string())) << name;  // with room it works
    EXPECT_GT(fs::file_size(target), 4096u) << name;
  }
  fs::create_symlink("/dev/full", dir / "full.png");
  EXPECT_FALSE(b.SaveToFile((dir / "full.png").string()));
  EXPECT_TRUE(IsCharDevice("/dev/full"));
  EXPECT_FALSE(b.SaveToFile((dir / "missing" / "pic.png").string()));
  EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"full.png", "pic.bmp", "pic.jpg", "pic.png"}));
  fs::remove_all(dir);
}

TEST(Bitmap, SaveToFileInAFolderWithoutWritePermissionFails) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  const fs::path dir = FreshDir("noperm");
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  TBitmap b(10, 10);
  EXPECT_FALSE(b.SaveToFile((dir / "pic.png").string()));
  fs::permissions(dir, fs::perms::owner_all);
  EXPECT_TRUE(FilesIn(dir).empty());
  fs::remove_all(dir);
}

TEST(Bitmap, LoadFromFileRefusesPipesDevicesAndFoldersAtOnce) {
  const fs::path dir = FreshDir("bmpload");
  const fs::path fifo = dir / "pipe.png";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  TBitmap b(3, 2);
  {
    StuckPipeGuard guard(fifo.string());
    EXPECT_FALSE(b.LoadFromFile(fifo.string()));
    EXPECT_FALSE(guard.Finish()) << "the load waited for a writer";
  }
  EXPECT_FALSE(b.LoadFromFile("/dev/zero"));
  EXPECT_FALSE(b.LoadFromFile(dir.string()));
  EXPECT_EQ(b.Width(), 3);  // the picture is kept

  TBitmap src(5, 4);
  src.Canvas().SetPixels(1, 2, clBlue);
  ASSERT_TRUE(src.SaveToFile((dir / "real.bmp").string()));
  ASSERT_TRUE(b.LoadFromFile((dir / "real.bmp").string()));
  EXPECT_EQ(b.Canvas().Pixels(1, 2), clBlue);
  fs::remove_all(dir);
}

TEST(VectorCanvas, FileAppearsOnlyWhenThePictureIsComplete) {
  const fs::path dir = FreshDir("vector");
  for (const char* name : {"pic.svg", "pic.pdf"}) {
    const fs::path target = dir / name;
    WriteBytes(target, "old");
    {
      TVectorCanvas cv(target.string(), 300, 200);
      ASSERT_TRUE(cv.Ok());
      DrawSomething(cv);
      DiskFullAfter full(1024);
      cv.Finish();
      EXPECT_FALSE(cv.Ok()) << name;
    }
    EXPECT_EQ(ReadBytes(target), "old") << name;

    // Drawing cut short by an exception leaves the old file.
    EXPECT_THROW(
        {
          TVectorCanvas cv(target.string(), 300, 200);
          DrawSomething(cv);
          throw std::runtime_error("drawing failed");
        },
        std::runtime_error);
    EXPECT_EQ(ReadBytes(target), "old") << name;

    {
      TVectorCanvas cv(target.string(), 300, 200);
      DrawSomething(cv);
    }
    EXPECT_GT(fs::file_size(target), 100u) << name;

    TVectorCanvas missing((dir / "missing" / name).string(), 300, 200);
    EXPECT_FALSE(missing.Ok());
    DrawSomething(missing);
    missing.Finish();
    EXPECT_FALSE(missing.Ok());
  }
  EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"pic.pdf", "pic.svg"}));
  fs::remove_all(dir);
}

TEST(Printer, PdfFileIsWrittenWholeOrNotAtAll) {
  TPrinter& p = Printer();
  const std::string old = p.OutputFileName();
  const fs::path dir = FreshDir("print");
  const fs::path target = dir / "print.pdf";

  p.SetOutputFileName((dir / "missing" / "print.pdf").string());
  EXPECT_FALSE(p.BeginDoc());
  EXPECT_FALSE(p.Printing());

  p.SetOutputFileName(target.string());
  WriteBytes(target, "old");
  ASSERT_TRUE(p.BeginDoc());
  DrawSomething(p.Canvas());
  p.NewPage();
  DrawSomething(p.Canvas());
  {
    DiskFullAfter full(1024);
    EXPECT_FALSE(p.EndDoc());
  }
  EXPECT_FALSE(p.Printing());
  EXPECT_EQ(ReadBytes(target), "old");

  EXPECT_THROW(p.PrintDocument([&]() -> bool {
    DrawSomething(p.Canvas());
    throw std::runtime_error("drawing failed");
  }),
               std::runtime_error);
  EXPECT_FALSE(p.Printing());
  EXPECT_FALSE(p.PrintDocument([] { return false; }));
  EXPECT_EQ(ReadBytes(target), "old");

  EXPECT_TRUE(p.PrintDocument([&] {
    EXPECT_GT(p.PageWidth(), 1000);  // the printer's resolution, not the screen's
    DrawSomething(p.Canvas());
    return true;
  }));
  EXPECT_EQ(ReadBytes(target).substr(0, 5), "%PDF-");

  fs::create_symlink("/dev/full", dir / "full.pdf");
  p.SetOutputFileName((dir / "full.pdf").string());
  EXPECT_FALSE(p.PrintDocument([] { return true; }));
  EXPECT_TRUE(IsCharDevice("/dev/full"));
  EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"full.pdf", "print.pdf"}));
  p.SetOutputFileName(old);
  fs::remove_all(dir);
}
