// SPDX-License-Identifier: MIT
// Pictures of a chart as files, in-memory bitmaps and printed pages; writes export_*.png,
// .svg and .pdf.
#include <zyr/chart/rchart.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/printer.h>

#include <QApplication>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zyr::TRChart chart;
  chart.resize(600, 360);
  chart.SetCaption("Export");
  chart.SetRange(1, 0.0, -1.1, 6.3, 1.1);
  chart.SetDataColor(zyr::clBlue);
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 630; ++i) chart.DrawTo(i * 0.01, std::sin(i * 0.01));
  chart.ShowGraf();

  // [files]
  bool ok = chart.CopyToBMP("export_chart.png", false);   // format by extension: .png .jpg .bmp
  ok = chart.CopyToBMP("export_bw.png", true) && ok;      // frame and scales in black and white
  ok = chart.CopyToWMF("export_chart.svg", false) && ok;  // vector: SVG ...
  ok = chart.CopyToWMF("export_chart.pdf", false) && ok;  // ... or PDF by the extension
  // [files]

  // [bitmap]
  // Into a bitmap of the program's own, e.g. to compose a report page; the data area alone,
  // without the cross-hairs, is a separate call.
  zyr::TBitmap whole, dataArea;
  ok = chart.CopyToBitmap(whole, false) && ok;
  ok = chart.CopyToBitmapDAOnly(dataArea, false, false) && ok;
  ok = dataArea.SaveToFile("export_data_area.png") && ok;
  ok = ok && whole.Width() == chart.Width() && dataArea.Width() == chart.DataAreaWidth();
  // [bitmap]

  // [print]
  // Without a printer (or when asked to) the pages go to a PDF file instead.
  zyr::Printer().SetOutputFileName("export_page.pdf");
  ok = chart.PrintIt(1.0, false) && ok;  // one page; 1.0 prints at screen size
  // Several pictures on one page: open the job, place them, send it.
  zyr::Printer().SetOutputFileName("export_report.pdf");
  const auto twoPictures = [&chart] {
    int x = 200, y = 200;  // device pixels; each call moves them past its picture
    const bool first = chart.CopyToOpenPrinter(x, y, 2.0, false);
    x = 200;  // the second picture below the first
    return first && chart.CopyToOpenPrinter(x, y, 2.0, true);
  };
  ok = zyr::Printer().PrintDocument(twoPictures) && ok;
  // [print]
  return ok ? 0 : 1;
}
