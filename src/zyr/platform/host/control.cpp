// SPDX-License-Identifier: MIT
#include <zyr/platform/host/control.h>
#include <zyr/platform/host/cursors.h>
#include <zyr/platform/host/destroywatch.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <exception>

namespace zyr {

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (mods & Qt::ShiftModifier) s |= ssShift;
  if (mods & Qt::ControlModifier) s |= ssCtrl;
  if (mods & Qt::AltModifier) s |= ssAlt;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

bool ButtonOf(Qt::MouseButton b, TMouseButton& out) {
  switch (b) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
  }
}

uint16_t VirtualKeyOf(const QKeyEvent* e) {
  const int k = e->key();
  if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return uint16_t(k);
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
  }
}

}  // namespace

TCustomControl::TCustomControl(QWidget* parent)
    : QWidget(parent), TComponent(dynamic_cast<TComponent*>(parent)), FCanvas(&FPicture, ctRaster) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  FFont.SetColor(clWindowText);
  resize(FWidth, FHeight);
  ResizePicture();
}

TCustomControl::~TCustomControl() { FCanvas.Flush(); }

void TCustomControl::ResizePicture() {
  const int w = std::max(FWidth, 0), h = std::max(FHeight, 0);
  if (FPicture.width() == w && FPicture.height() == h) return;
  FCanvas.Flush();
  if (w == 0 || h == 0) {
    FPicture = QImage();
    return;
  }
  QImage img(w, h, QImage::Format_RGB32);
  img.setDotsPerMeterX(3780);
  img.setDotsPerMeterY(3780);
  img.fill(QColor(0xF0, 0xF0, 0xF0));
  FPicture = img;
}

void TCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  const bool sized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (geometry() != QRect(FLeft, FTop, FWidth, FHeight)) {
    const bool was = FInSetBounds;
    FInSetBounds = true;
    setGeometry(FLeft, FTop, FWidth, FHeight);
    FInSetBounds = was;
  }
  if (sized) {
    ResizePicture();
    const TDestroyWatch watch(this);
    Resize();
    if (!watch.Destroyed()) Invalidate();
  }
}

const TCustomControl& TCustomControl::SyncBounds() const {
  if (FInSetBounds || FPainting) return *this;  // the picture keeps its size under Paint
  const QRect g = geometry();
  if (g == QRect(FLeft, FTop, FWidth, FHeight)) return *this;
  auto* self = const_cast<TCustomControl*>(this);
  if (g.size() == QSize(FWidth, FHeight)) {
    self->FLeft = g.x();  // a move alone raises no resize
    self->FTop = g.y();
    return *this;
  }
  self->FInSetBounds = true;
  const TDestroyWatch watch(self);
  Guarded("resize", [self, g] { self->SetBounds(g.x(), g.y(), g.width(), g.height()); });
  if (!watch.Destroyed()) self->FInSetBounds = false;
  return *this;
}

void TCustomControl::Resize() {
  Raise(OnResize, [&] { OnResize(this); }, [&] { emit resized(); });
}

void TCustomControl::SetVisible(bool v) {
  FVisible = v;
  // A control without a parent is a helper or drawn headless: showing it would open a window.
  if (parentWidget() || !v) setVisible(v);
}

void TCustomControl::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Invalidate();
}

void TCustomControl::SetCursor(TCursor c) {
  FCursor = c;
  setCursor(Screen::Cursor(c));
}

void TCustomControl::SetAntialiased(bool v) {
  if (v == FAntialiased) return;
  FAntialiased = v;
  Invalidate();
}

TCanvas& TCustomControl::Canvas() {
  SyncBounds();  // the picture drawn on has the widget's size
  update();
  return FCanvas;
}

void TCustomControl::HandleNeeded() {
  if (FHandleAllocated) return;
  FHandleAllocated = true;
  CreateWnd();
}

void TCustomControl::Invalidate() {
  FDirty = true;
  update();
  PostRepaint();
}

void TCustomControl::PostRepaint() {
  // A handler that deletes the control inside Qt's paint event would leave Qt drawing into a
  // freed widget; painting from the event loop first keeps handlers out of it. Qt's update
  // request has a lower priority, so it comes after this call.
  if (FRepaintPosted || !isVisible()) return;
  FRepaintPosted = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        FRepaintPosted = false;
        if (FDirty && isVisible()) Guarded("paint", [this] { Repaint(); });
      },
      Qt::QueuedConnection);
}

void TCustomControl::Repaint() {
  HandleNeeded();
  if (FPainting) return;  // a paint asked for from inside Paint comes later
  SyncBounds();           // not while painting: the picture must not change size under Paint
  FPainting = true;
  FDirty = false;
  const TDestroyWatch watch(this);
  try {
    Paint();
  } catch (...) {
    if (!watch.Destroyed()) FPainting = false;
    throw;
  }
  if (watch.Destroyed()) return;
  FPainting = false;
  update();
}

const QImage& TCustomControl::WindowPicture() {
  static const QImage kNone;
  HandleNeeded();
  SyncBounds();
  if (FDirty) {
    const TDestroyWatch watch(this);
    Repaint();
    if (watch.Destroyed()) return kNone;
  }
  FCanvas.Flush();
  return FPicture;
}

void TCustomControl::paintEvent(QPaintEvent*) {
  if (FDirty) {
    const TDestroyWatch watch(this);
    Guarded("paint", [this] { Repaint(); });
    if (watch.Destroyed()) return;
  }
  FCanvas.Flush();
  QPainter p(this);
  p.drawImage(0, 0, FPicture);
}

void TCustomControl::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (FInSetBounds) return;
  FInSetBounds = true;
  const TDestroyWatch watch(this);
  Guarded("resize", [this] { SetBounds(x(), y(), width(), height()); });
  if (!watch.Destroyed()) FInSetBounds = false;
}

void TCustomControl::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  FLeft = x();
  FTop = y();
}

void TCustomControl::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  FVisible = true;
  HandleNeeded();
  if (FDirty) PostRepaint();
}

void TCustomControl::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  // Only an explicit hide of this control counts; a hidden window hides its children too.
  if (!e->spontaneous() && isHidden()) FVisible = false;
}

void TCustomControl::mousePressEvent(QMouseEvent* e) {
  TMouseButton b;
  if (!ButtonOf(e->button(), b)) return;
  FPressed = b == mbLeft;
  const QPoint p = e->position().toPoint();
  Guarded("mouse", [&] { MouseDown(b, ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
}

void TCustomControl::mouseReleaseEvent(QMouseEvent* e) {
  TMouseButton b;
  if (!ButtonOf(e->button(), b)) return;
  const QPoint p = e->position().toPoint();
  Guarded("mouse", [&] {
    const TDestroyWatch watch(this);
    if (b == mbLeft && FPressed && rect().contains(p)) Click();
    if (watch.Destroyed()) return;
    if (b == mbLeft) FPressed = false;
    MouseUp(b, ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y());
  });
}

void TCustomControl::mouseDoubleClickEvent(QMouseEvent* e) {
  TMouseButton b;
  if (!ButtonOf(e->button(), b)) return;
  const QPoint p = e->position().toPoint();
  Guarded("mouse", [&] {
    const TDestroyWatch watch(this);
    if (b == mbLeft) DblClick();
    if (watch.Destroyed()) return;
    MouseDown(b, TShiftState(ShiftOf(e->modifiers(), e->buttons()) | ssDouble), p.x(), p.y());
  });
}

void TCustomControl::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  Guarded("mouse", [&] { MouseMove(ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y()); });
}

void TCustomControl::enterEvent(QEnterEvent* e) {
  QWidget::enterEvent(e);
  Guarded("mouse", [this] { MouseEnter(); });
}

void TCustomControl::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  Guarded("mouse", [this] { MouseLeave(); });
}

void TCustomControl::wheelEvent(QWheelEvent* e) {
  const QPoint p = e->position().toPoint();
  bool handled = false;
  Guarded("wheel", [&] {
    handled = DoMouseWheel(ShiftOf(e->modifiers(), e->buttons()), e->angleDelta().y(), {p.x(), p.y()});
  });
  if (handled)
    e->accept();
  else
    e->ignore();
}

void TCustomControl::keyPressEvent(QKeyEvent* e) {
  uint16_t key = VirtualKeyOf(e);
  TShiftState s = ShiftOf(e->modifiers(), Qt::NoButton);
  const QString t = e->text();
  Guarded("key", [&] {
    const TDestroyWatch watch(this);
    if (key) KeyDown(key, s);
    if (watch.Destroyed()) return;
    if (t.size() == 1 && t[0].unicode() < 128) {
      char c = char(t[0].unicode());
      KeyPress(c);
    }
  });
}

void TCustomControl::keyReleaseEvent(QKeyEvent* e) {
  uint16_t key = VirtualKeyOf(e);
  if (key) Guarded("key", [&] { KeyUp(key, ShiftOf(e->modifiers(), Qt::NoButton)); });
}

void TCustomControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Raise(OnMouseDown, [&] { OnMouseDown(this, Button, Shift, X, Y); },
        [&] { emit mouseDown(Button, Shift, X, Y); });
}
void TCustomControl::MouseMove(TShiftState Shift, int X, int Y) {
  Raise(OnMouseMove, [&] { OnMouseMove(this, Shift, X, Y); }, [&] { emit mouseMove(Shift, X, Y); });
}
void TCustomControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Raise(OnMouseUp, [&] { OnMouseUp(this, Button, Shift, X, Y); },
        [&] { emit mouseUp(Button, Shift, X, Y); });
}
void TCustomControl::Click() {
  Raise(OnClick, [&] { OnClick(this); }, [&] { emit click(); });
}
void TCustomControl::DblClick() {
  Raise(OnDblClick, [&] { OnDblClick(this); }, [&] { emit dblClick(); });
}
void TCustomControl::MouseEnter() {
  Raise(OnMouseEnter, [&] { OnMouseEnter(this); }, [&] { emit mouseEnter(); });
}
void TCustomControl::MouseLeave() {
  Raise(OnMouseLeave, [&] { OnMouseLeave(this); }, [&] { emit mouseLeave(); });
}
bool TCustomControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  Raise(OnMouseWheel, [&] { OnMouseWheel(this, Shift, WheelDelta, MousePos, handled); },
        [&] { emit mouseWheel(Shift, WheelDelta, MousePos, handled); });
  return handled;
}
void TCustomControl::KeyDown(uint16_t& Key, TShiftState Shift) {
  Raise(OnKeyDown, [&] { OnKeyDown(this, Key, Shift); }, [&] { emit keyDown(Key, Shift); });
}
void TCustomControl::KeyUp(uint16_t& Key, TShiftState Shift) {
  Raise(OnKeyUp, [&] { OnKeyUp(this, Key, Shift); }, [&] { emit keyUp(Key, Shift); });
}
void TCustomControl::KeyPress(char& Key) {
  Raise(OnKeyPress, [&] { OnKeyPress(this, Key); }, [&] { emit keyPress(Key); });
}

}  // namespace zyr
