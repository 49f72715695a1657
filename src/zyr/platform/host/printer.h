#pragma once
/// \file
/// TPrinter: the printer of the process. BeginDoc opens a page whose Canvas the controls
/// draw on; EndDoc sends it. Without any printer installed the pages go to a PDF file
/// (OutputFileName, "zyr-print.pdf" by default), so printing never fails silently.

#include <zyr/platform/host/canvas.h>

#include <memory>
#include <string>

class QPrinter;

namespace zyr {

class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  bool BeginDoc();
  void NewPage();
  void EndDoc();
  void Abort();
  bool Printing() const { return FPrinting; }
  TCanvas& Canvas() { return FCanvas; }
  /// Printable page in device pixels.
  int PageWidth() const;
  int PageHeight() const;
  /// True when pages go to a PDF file because no printer exists (or one was asked for).
  bool PrintsToFile() const;
  const std::string& OutputFileName() const { return FOutputFileName; }
  /// Sends the pages to this PDF file instead of a printer.
  void SetOutputFileName(const std::string& name);
  std::string Title;
  QPrinter* QtPrinter() { return FPrinter.get(); }

 private:
  std::unique_ptr<QPrinter> FPrinter;
  TCanvas FCanvas;
  std::string FOutputFileName;
  bool FPrinting = false;
};

/// The printer of the process.
TPrinter& Printer();

}  // namespace zyr
