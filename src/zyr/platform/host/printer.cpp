#include <zyr/platform/host/printer.h>

#include <QPainter>
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
  FCanvas.SetDevice(FPrinter.get(), ctPrinter);
  if (!FCanvas.Painter()) {
    FCanvas.SetDevice(nullptr, ctPrinter);
    return false;
  }
  FPrinting = true;
  return true;
}

void TPrinter::NewPage() {
  if (FPrinting) FPrinter->newPage();
}

void TPrinter::EndDoc() {
  if (!FPrinting) return;
  FCanvas.Flush();
  FCanvas.SetDevice(nullptr, ctPrinter);
  FPrinting = false;
}

void TPrinter::Abort() {
  if (!FPrinting) return;
  FPrinter->abort();
  EndDoc();
}

int TPrinter::PageWidth() const { return FPrinter->width(); }
int TPrinter::PageHeight() const { return FPrinter->height(); }

TPrinter& Printer() {
  static TPrinter p;
  return p;
}

}  // namespace zyr
