// SPDX-License-Identifier: MIT
#include <zyr/platform/host/textlayouts.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QString>
#include <QTextLayout>
#include <QTextOption>
#include <mutex>
#include <unordered_map>

namespace zyr {

namespace {

// Lookups by string_view, so that finding a kept text allocates nothing.
struct THash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

template <class V>
using TByText = std::unordered_map<std::string, V, THash, std::equal_to<>>;

// Canvases draw from any thread that renders a picture; one lock guards every table.
std::mutex& Lock() {
  static std::mutex m;
  return m;
}

struct TRegistry {
  TByText<std::shared_ptr<TFontTexts>> Fonts;
  const QCoreApplication* Hooked = nullptr;
};

TRegistry& Registry() {
  static TRegistry r;
  return r;
}

int ResolutionOf(const QPaintDevice* Device) { return Device ? Device->logicalDpiY() : 0; }

QList<QGlyphRun> LayOut(const QString& Text, const QFont& Font, const QPaintDevice* Device) {
  // Decorations are drawn from the painter's own text item; control characters are shown
  // there in a way of their own.
  if (Font.underline() || Font.strikeOut() || Font.overline() || Text.isEmpty()) return {};
  // Right-to-left runs are ordered by the painter in a way of its own: those draw as before.
  for (const char32_t u : Text.toUcs4()) {
    if (u < 0x20 || u == 0x7F) return {};
    switch (QChar::category(u)) {
      case QChar::Separator_Line:
      case QChar::Separator_Paragraph:
        return {};
      default:
        break;
    }
    switch (QChar::direction(u)) {
      case QChar::DirL:
      case QChar::DirEN:
      case QChar::DirES:
      case QChar::DirET:
      case QChar::DirCS:
      case QChar::DirWS:
      case QChar::DirON:
      case QChar::DirNSM:
      case QChar::DirBN:
        break;
      default:
        return {};
    }
  }
  QTextLayout layout(Text, Font, Device);
  // As the painter draws a single line: left to right, from its start, never wrapped.
  QTextOption opt;
  opt.setWrapMode(QTextOption::NoWrap);
  opt.setTextDirection(Qt::LeftToRight);
  opt.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
  layout.setTextOption(opt);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  if (!line.isValid()) {
    layout.endLayout();
    return {};
  }
  line.setLineWidth(1e6);
  const bool single = !layout.createLine().isValid();
  layout.endLayout();
  if (!single) return {};
  QList<QGlyphRun> runs = line.glyphRuns();
  const QPointF base(line.x(), line.y() + line.ascent());
  for (QGlyphRun& r : runs) {
    QList<QPointF> pos = r.positions();
    for (QPointF& p : pos) p -= base;
    r.setPositions(pos);
  }
  return runs;
}

void ForgetAll() {
  std::lock_guard<std::mutex> g(Lock());
  Registry().Fonts.clear();
}

}  // namespace

struct TFontTexts::TTables {
  struct TEntry {
    int Width = -1;
    bool Laid = false;
    QList<QGlyphRun> Runs;
  };
  TByText<TEntry> Texts;
  // The entry of a text, made on first use; the table is emptied when full.
  TEntry& Find(std::string_view Text) {
    if (auto it = Texts.find(Text); it != Texts.end()) return it->second;
    if (Texts.size() >= TTextLayouts::kMaxTexts) Texts.clear();
    return Texts.emplace(std::string(Text), TEntry{}).first->second;
  }
};

TFontTexts::TFontTexts(const QFont& Font, int Dpi)
    : FTables(std::make_unique<TTables>()), FFont(Font), FDpi(Dpi) {}

TFontTexts::~TFontTexts() = default;

int TFontTexts::Width(std::string_view Text, const QFontMetrics& Metrics) {
  std::lock_guard<std::mutex> g(Lock());
  TTables::TEntry& e = FTables->Find(Text);
  if (e.Width < 0)
    e.Width = Metrics.horizontalAdvance(QString::fromUtf8(Text.data(), qsizetype(Text.size())));
  return e.Width;
}

QList<QGlyphRun> TFontTexts::Runs(std::string_view Text, const QPaintDevice* Device) {
  if (ResolutionOf(Device) != FDpi) return {};
  std::lock_guard<std::mutex> g(Lock());
  TTables::TEntry& e = FTables->Find(Text);
  if (!e.Laid) {
    e.Runs = LayOut(QString::fromUtf8(Text.data(), qsizetype(Text.size())), FFont, Device);
    e.Laid = true;
  }
  return e.Runs;
}

std::shared_ptr<TFontTexts> TTextLayouts::Of(const QFont& Font, const QPaintDevice* Device) {
  const int dpi = ResolutionOf(Device);
  const std::string key = Font.key().toStdString() + '\x1f' + std::to_string(dpi);
  std::lock_guard<std::mutex> g(Lock());
  TRegistry& r = Registry();
  // Fonts and glyphs must go before the application that owns the font engines.
  if (const QCoreApplication* app = QCoreApplication::instance(); app && app != r.Hooked) {
    qAddPostRoutine(ForgetAll);
    r.Hooked = app;
  }
  if (auto it = r.Fonts.find(key); it != r.Fonts.end()) return it->second;
  if (r.Fonts.size() >= kMaxFonts) r.Fonts.clear();
  auto t = std::make_shared<TFontTexts>(Font, dpi);
  r.Fonts.emplace(key, t);
  return t;
}

void TTextLayouts::Clear() {
  std::lock_guard<std::mutex> g(Lock());
  for (auto& [key, t] : Registry().Fonts) t->FTables->Texts.clear();
}

size_t TTextLayouts::Count() {
  std::lock_guard<std::mutex> g(Lock());
  size_t n = 0;
  for (const auto& [key, t] : Registry().Fonts) n += t->FTables->Texts.size();
  return n;
}

}  // namespace zyr
