// SPDX-License-Identifier: MIT
#include <zyr/platform/host/printer.h>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace zyr {

TPrinter::TPrinter() : FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  if (QPrinterInfo::availablePrinterNames().isEmpty()) SetOutputFileName("zyr-print.pdf");
}

TPrinter::~TPrinter() { Abort(); }

void TPrinter::SetOutputFileName(const std::string& name) {
  FOutputFileName = name;
  FPrinter->setOutputFormat(name.empty() ? QPrinter::NativeFormat : QPrinter::PdfFormat);
  FPrinter->setOutputFileName(QString::fromStdString(name));
}

bool TPrinter::PrintsToFile() const { return !FOutputFileName.empty(); }

bool TPrinter::BeginDoc() {
  if (FPrinting) return false;
  FPrinter->setDocName(QString::fromStdString(Title.empty() ? "ZYR chart" : Title));
  if (PrintsToFile()) {
    if (!BeginFileDoc()) return false;
  } else {
    FCanvas.SetDevice(FPrinter.get(), ctPrinter);
  }
  if (!FCanvas.Painter()) {
    FCanvas.SetDevice(nullptr, ctPrinter);
    FPdf.reset();
    FPdfBuffer.reset();
    FFile.reset();
    return false;
  }
  FPrinting = true;
  return true;
}

// The page layout and resolution are the printer's, so the pages look as printed ones.
bool TPrinter::BeginFileDoc() {
  FFile = std::make_unique<TAtomicFile>(FOutputFileName);
  if (!FFile->Device()) {
    FFile.reset();
    return false;
  }
  FPdfBuffer = std::make_unique<QBuffer>();
  FPdfBuffer->open(QIODevice::WriteOnly);
  FPdf = std::make_unique<QPdfWriter>(FPdfBuffer.get());
  FPdf->setPageLayout(FPrinter->pageLayout());
  FPdf->setResolution(FPrinter->resolution());
  FPdf->setTitle(FPrinter->docName());
  FPdf->setCreator(FPrinter->creator());
  FCanvas.SetDevice(FPdf.get(), ctPrinter);
  return true;
}

void TPrinter::NewPage() {
  if (!FPrinting) return;
  if (FPdf)
    FPdf->newPage();
  else
    FPrinter->newPage();
}

bool TPrinter::EndDoc() {
  if (!FPrinting) return false;
  FCanvas.Flush();
  FCanvas.SetDevice(nullptr, ctPrinter);
  FPrinting = false;
  if (FPdf) return EndFileDoc();
  return FPrinter->printerState() != QPrinter::Error;
}

bool TPrinter::EndFileDoc() {
  FPdf.reset();
  const QByteArray& bytes = FPdfBuffer->data();
  QIODevice* d = FFile ? FFile->Device() : nullptr;
  const bool ok = d && !bytes.isEmpty() && d->write(bytes) == bytes.size() && FFile->Commit();
  FFile.reset();
  FPdfBuffer.reset();
  return ok;
}

void TPrinter::Abort() {
  if (!FPrinting) return;
  if (FFile)
    FFile->Discard();
  else
    FPrinter->abort();
  EndDoc();
}

bool TPrinter::PrintDocument(const std::function<bool()>& drawPages) {
  if (!BeginDoc()) return false;
  bool ok = false;
  try {
    ok = drawPages();
  } catch (...) {
    Abort();
    throw;
  }
  if (!ok) {
    Abort();
    return false;
  }
  return EndDoc();
}

int TPrinter::PageWidth() const { return FPdf ? FPdf->width() : FPrinter->width(); }
int TPrinter::PageHeight() const { return FPdf ? FPdf->height() : FPrinter->height(); }

TPrinter& Printer() {
  static TPrinter p;
  return p;
}

}  // namespace zyr
