// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zyr/platform/host/host.h>

#include <QFile>
#include <QTest>
#include <fstream>

using namespace zyr;

TEST(Colors, SystemColoursResolveToFixedClassicValues) {
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0u);
  EXPECT_EQ(ColorToRGB(clBtnShadow), 0xA0A0A0u);
  EXPECT_EQ(ColorToRGB(clBtnHighlight), 0xFFFFFFu);
  EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFFu);
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack);  // unknown index
  EXPECT_EQ(StyleServices().GetSystemColor(clBtnFace), 0xF0F0F0u);
}

TEST(Fonts, SizeAndHeightAreTiedAtScreenResolution) {
  TFont f;
  EXPECT_EQ(f.Name(), "DejaVu Sans");
  EXPECT_EQ(f.Size(), 8);
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  f.SetSize(12);
  EXPECT_EQ(changes, 1);
  TFont g;
  g.Assign(&f);
  EXPECT_EQ(g.Size(), 12);
  TPen p;
  EXPECT_THROW(g.Assign(&p), std::invalid_argument);
}

TEST(Dates, DayNumbersCountFrom18991230) {
  EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_DOUBLE_EQ(EncodeDate(2000, 2, 29), 36585.0);
  EXPECT_THROW(EncodeDate(2001, 2, 29), std::invalid_argument);
  EXPECT_THROW(EncodeDate(0, 1, 1), std::invalid_argument);
  int y, m, d;
  DecodeDate(45000.75, y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20230315);
  DecodeDate(-1.25, y, m, d);  // before day 0 the fraction is still the time of day
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  int h, n, s, ms;
  DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ(h, 6);
  DecodeTime(0.999999999, h, n, s, ms);  // rounds to the next day, not to 24:00
  EXPECT_EQ(h * 3600 + n * 60 + s, 0);
  for (double bad : {std::nan(""), 1e300, -1e9}) {
    DecodeDate(bad, y, m, d);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(FormatDateTime("yyyy", bad), "");
  }
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 9)), 4);  // a Wednesday
}

TEST(Dates, FormatDateTimePatternLanguage) {
  const TDateTime t = EncodeDate(2024, 3, 7) + EncodeTime(15, 4, 9, 56);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zz", t), "2024-03-07 15:04:09.056");
  EXPECT_EQ(FormatDateTime("dd\"-\"mmm\"-\"yy", t), "07-Mar-24");
  EXPECT_EQ(FormatDateTime("h\"h\"nn", t), "15h04");
  EXPECT_EQ(FormatDateTime("ham/pm", t), "3pm");
  EXPECT_EQ(FormatDateTime("h\":\"nn\".\"ssam/pm", EncodeTime(0, 30, 5, 0)), "12:30.05am");
  EXPECT_EQ(FormatDateTime("hh:mm", t), "15:04");  // m right after an hour is the minute
  EXPECT_EQ(FormatDateTime("'yyyy' yyyy", t), "yyyy 2024");
  EXPECT_EQ(FormatDateTime("dddd d mmmm", t), "Thursday 7 March");
  TFormatSettings fs;
  fs.ShortMonthNames[2] = "Mär";
  fs.DateSeparator = '.';
  EXPECT_EQ(FormatDateTime("dd/mmm", t, fs), "07.Mär");
  EXPECT_EQ(FormatDateTime("\"unterminated", t), "unterminated");
}

TEST(Components, OwnerListsAndForgetsItsComponents) {
  auto owner = std::make_unique<TComponent>();
  auto a = std::make_unique<TComponent>(owner.get());
  {
    TComponent b(owner.get());
    EXPECT_EQ(owner->ComponentCount(), 2);
  }
  EXPECT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->Components(0), a.get());
  EXPECT_EQ(owner->Components(5), nullptr);
  owner.reset();
  EXPECT_EQ(a->Owner(), nullptr);
}

namespace {

// Records what reaches the virtuals, in order.
class ProbeControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> log;
  int paints = 0, creates = 0;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back("down" + std::string(s & ssDouble ? "2" : "") + "@" + std::to_string(x) + "," +
                  std::to_string(y));
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back("up");
    TCustomControl::MouseUp(b, s, x, y);
  }
  void DblClick() override { log.push_back("dbl"); }
  void Click() override { log.push_back("click"); }

 protected:
  void Paint() override {
    ++paints;
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect(ClientRect());
  }
  void CreateWnd() override { ++creates; }
};

}  // namespace

TEST(Controls, PaintHeadlessWithoutBeingShown) {
  ProbeControl c;
  EXPECT_TRUE(c.Visible());
  c.SetBounds(0, 0, 50, 30);
  const QImage& img = c.WindowPicture();
  EXPECT_EQ(img.width(), 50);
  EXPECT_EQ(img.pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(c.creates, 1);
  c.WindowPicture();
  EXPECT_EQ(c.paints, 1);  // not painted again while up to date
  c.SetBounds(0, 0, 60, 30);
  c.WindowPicture();
  EXPECT_EQ(c.paints, 2);
  EXPECT_EQ(c.creates, 1);
  c.SetVisible(false);
  EXPECT_FALSE(c.Visible());
  c.SetBounds(0, 0, -5, -5);
  EXPECT_EQ(c.Width(), 0);
  EXPECT_TRUE(c.WindowPicture().isNull());
}

TEST(Controls, QtInputReachesTheVirtualsInClassicOrder) {
  QWidget top;
  auto* c = new ProbeControl(&top);
  c->SetBounds(0, 0, 80, 60);
  int moves = 0;
  c->OnMouseMove = [&](TObject* s, TShiftState, int, int) {
    EXPECT_EQ(s, c);
    ++moves;
  };
  top.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
  QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, QPoint(10, 12));
  QTest::mouseDClick(c, Qt::LeftButton, Qt::NoModifier, QPoint(11, 13));
  QTest::mouseMove(c, QPoint(30, 30));
  // QTest's double click sends press/release/double/release; the double click is followed by
  // a press with ssDouble, as a double click on the classic platform is.
  std::string all;
  for (auto& e : c->log) all += e + " ";
  SCOPED_TRACE(all);
  ASSERT_GE(c->log.size(), 5u);
  EXPECT_EQ(c->log[0], "down@10,12");
  auto dbl = std::find(c->log.begin(), c->log.end(), "dbl");
  ASSERT_NE(dbl, c->log.end());
  ASSERT_NE(dbl + 1, c->log.end());
  EXPECT_EQ(*(dbl + 1), "down2@11,13");
  EXPECT_GE(moves, 1);
}

TEST(Dialogs, HandlerSeesTheTextInsteadOfABlockingBox) {
  std::string seen;
  auto old = SetMessageHandler([&](const std::string& t, TMsgDlgType) {
    seen = t;
    return int(mrOk);
  });
  EXPECT_EQ(MessageDlg("hello", mtInformation), mrOk);
  EXPECT_EQ(seen, "hello");
  SetMessageHandler(old);
}

TEST(Cursors, LibraryCursorsAreNumberedOneToFour) {
  Screen::RegisterZyrCursors();
  for (const char* n : {"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"}) {
    TCursor c = Screen::CursorByName(n);
    EXPECT_GE(c, 1);
    EXPECT_LE(c, 4);
    EXPECT_TRUE(Screen::HasCursor(c));
    EXPECT_FALSE(Screen::Cursor(c).pixmap().isNull());
  }
  EXPECT_FALSE(Screen::HasCursor(5));
}

TEST(VectorCanvas, SameDrawingCodeWritesSvgAndPdf) {
  auto draw = [](TCanvas& c) {
    c.Pen().SetColor(clRed);
    c.Rectangle(10, 10, 90, 50);
    c.Font().SetSize(10);
    c.TextOut(20, 20, "Vector text");
  };
  TVectorCanvas mem(100, 60, "test");
  ASSERT_TRUE(mem.Ok());
  draw(mem);
  EXPECT_EQ(mem.Pixels(1, 1), clNone);  // no pixel reads on a vector picture
  const std::string svg = mem.Finish();
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("Vector text"), std::string::npos);  // text stays text

  const std::string pdf = testing::TempDir() + "zyr_vector.pdf";
  {
    TVectorCanvas file(pdf, 100, 60);
    ASSERT_TRUE(file.Ok());
    draw(file);
  }
  std::ifstream in(pdf, std::ios::binary);
  std::string head(5, '\0');
  in.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");
}

TEST(Printer, FallsBackToAPdfFileWithoutPrinters) {
  TPrinter& p = Printer();
  const std::string name = testing::TempDir() + "zyr_print.pdf";
  p.SetOutputFileName(name);
  ASSERT_TRUE(p.BeginDoc());
  EXPECT_TRUE(p.Canvas().IsPrinterCanvas());
  EXPECT_GT(p.Canvas().GetDeviceCaps(LOGPIXELSY), 96);
  p.Canvas().TextOut(100, 100, "page");
  p.EndDoc();
  EXPECT_FALSE(p.Printing());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(name)));
}
