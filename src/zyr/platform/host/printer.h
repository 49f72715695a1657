// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TPrinter: the printer of the process. BeginDoc opens a page whose Canvas the controls
/// draw on; EndDoc sends it. Without any printer installed the pages go to a PDF file
/// (OutputFileName, "zyr-print.pdf" by default), so printing never fails silently. The file
/// is written completely at EndDoc or not at all; EndDoc tells which.

#include <zyr/platform/host/canvas.h>
#include <zyr/platform/host/files.h>

#include <functional>
#include <memory>
#include <string>

class QBuffer;
class QPdfWriter;
class QPrinter;

namespace zyr {

/// The printer of the process (Printer()): a print job of one or more pages, drawn on
/// Canvas() in device pixels.
///
///   Printer().PrintDocument([&] { chart->CopyToOpenPrinter(x, y, 1.0, false); return true; });
class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  /// False when a job is open already or the printer (or the output file) cannot be opened.
  bool BeginDoc();
  /// Ends the present page and starts the next one.
  void NewPage();
  /// Sends the pages; false when they did not reach the printer or the whole file.
  bool EndDoc();
  /// Drops the pages; a file being printed to stays as it was.
  void Abort();
  /// One whole job: BeginDoc, \p drawPages, EndDoc. A job whose drawing fails or throws is
  /// aborted (the exception passes on). True only when the pages were sent completely.
  bool PrintDocument(const std::function<bool()>& drawPages);
  /// A job is open (between BeginDoc and EndDoc or Abort).
  bool Printing() const { return FPrinting; }
  /// The canvas of the present page.
  TCanvas& Canvas() { return FCanvas; }
  /// Printable page in device pixels.
  ///@{
  int PageWidth() const;
  int PageHeight() const;
  ///@}
  /// True when pages go to a PDF file because no printer exists (or one was asked for).
  bool PrintsToFile() const;
  /// The PDF file the pages go to when printing to a file.
  const std::string& OutputFileName() const { return FOutputFileName; }
  /// Sends the pages to this PDF file instead of a printer.
  void SetOutputFileName(const std::string& name);
  /// SetOutputFileName with a QString.
  void SetOutputFileName(const QtText auto& name) { SetOutputFileName(FromQString(name)); }
  /// Name of the job, shown in the printer queue.
  std::string Title;
  /// The Qt printer behind it, for page and printer settings (null without one).
  QPrinter* QtPrinter() { return FPrinter.get(); }

 private:
  bool BeginFileDoc();
  bool EndFileDoc();
  std::unique_ptr<QPrinter> FPrinter;
  // Printing to a file: the PDF is made in memory and written in one go at the end.
  std::unique_ptr<TAtomicFile> FFile;
  std::unique_ptr<QBuffer> FPdfBuffer;
  std::unique_ptr<QPdfWriter> FPdf;
  TCanvas FCanvas;
  std::string FOutputFileName;
  bool FPrinting = false;
};

/// The printer of the process.
TPrinter& Printer();

}  // namespace zyr
