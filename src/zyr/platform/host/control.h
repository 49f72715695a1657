// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TCustomControl: base of every control of the library, a QWidget with a component's owner,
/// name and state. The control keeps the picture of its window in an image; Paint() (the
/// control's own) draws it through Canvas(), and Qt's paint event only copies it to the
/// screen. Qt input arrives at the mouse and key virtuals, which raise the published events.
///
///   auto* c = new TMyControl(parentWidget);   // parent is the owner
///   c->SetBounds(0, 0, 400, 300);
///   QImage img = c->WindowPicture();          // works without a display
///
/// A control is Visible() unless it was hidden explicitly, so headless painting is normal.
///
/// An event handler that wants to delete the control that raised the event calls
/// `deleteLater()` on it, as for any QObject. A plain `delete` from a paint, item, mouse or
/// scale event is survived too (see TDestroyWatch): the control stops when the handler returns.
/// A shown control paints from the event loop before Qt's paint event copies the picture, so
/// the paint events of its handlers do not run inside Qt's paint event either; only a forced
/// synchronous QWidget::repaint() or grab() of an out-of-date picture paints there, where Qt
/// itself needs deleteLater().
///
/// Qt signals: each event is also a signal, emitted right after its handler (if set) has run,
/// so any number of slots can listen. OnClick -> click(), OnDblClick -> dblClick(),
/// OnResize -> resized() (resize() is QWidget's), OnMouseEnter -> mouseEnter(),
/// OnMouseLeave -> mouseLeave(), OnMouseDown -> mouseDown(), OnMouseUp -> mouseUp(),
/// OnMouseMove -> mouseMove(), OnMouseWheel -> mouseWheel(), OnKeyDown -> keyDown(),
/// OnKeyUp -> keyUp(), OnKeyPress -> keyPress(). Arguments are the event's without Sender
/// (use QObject::sender()). Events answering through a reference (Key, Handled) are answered
/// by the handler only; their signal carries the final value. A slot that throws is treated as
/// a throwing handler: the Qt event is dropped and a warning written.

#include <zyr/platform/host/canvas.h>
#include <zyr/platform/host/destroywatch.h>

#include <QImage>
#include <QWidget>
#include <exception>

namespace zyr {

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

/// Virtual key codes delivered to KeyDown/KeyUp.
enum TVirtualKey : uint16_t {
  VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
  VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
  VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46,
};

class TCustomControl : public QWidget, public TComponent {
  Q_OBJECT
  Q_PROPERTY(bool Antialiased READ Antialiased WRITE SetAntialiased)
 public:
  explicit TCustomControl(QWidget* parent = nullptr);
  ~TCustomControl() override;

  // One geometry: QWidget::resize/setGeometry and layouts reach SetBounds too, also while the
  // control is hidden (Qt sends no resize event then, so the getters catch up first).
  int Left() const { return SyncBounds().FLeft; }
  int Top() const { return SyncBounds().FTop; }
  int Width() const { return SyncBounds().FWidth; }
  int Height() const { return SyncBounds().FHeight; }
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  /// Position and size in the parent; negative sizes become 0. Qt resizes arrive here, and the
  /// widget takes the size the control settles on (e.g. after a minimum size is applied).
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect ClientRect() const { return {0, 0, Width(), Height()}; }

  /// True unless the control was hidden explicitly.
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool v) { setEnabled(v); }

  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  /// The colour as a QColor or Qt::GlobalColor (Qt::red is red); an invalid QColor gives
  /// clNone.
  void SetColor(const QtColor auto& v) { SetColor(FromQColor(v)); }
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor c);
  /// Smooth (antialiased) lines, marks, curves and outlines in the window and in every export;
  /// off by default, which keeps the classic pixel rules. Rubber bands, cross-hairs and the
  /// mouse trace stay aliased. A control repaints as its other style setters do.
  bool Antialiased() const { return FAntialiased; }
  virtual void SetAntialiased(bool v);

  /// Canvas on the window picture; drawing on it schedules a screen update.
  TCanvas& Canvas();
  /// Creates the window once (calls CreateWnd), as showing the control does.
  void HandleNeeded();
  bool HandleAllocated() const { return FHandleAllocated; }
  /// Marks the picture out of date; it is painted before it is next shown or read.
  void Invalidate();
  /// Paints the picture now.
  void Repaint();
  void Refresh() { Repaint(); }
  /// The window picture, painted first if out of date.
  const QImage& WindowPicture();

  // Published events.
  TNotifyEvent OnClick, OnDblClick, OnResize, OnMouseEnter, OnMouseLeave;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;

  std::string ClassName() const override { return "TCustomControl"; }

  // Input virtuals; tests drive these directly. Each base version raises its event.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);

 signals:
  void click();
  void dblClick();
  void resized();
  void mouseEnter();
  void mouseLeave();
  void mouseDown(zyr::TMouseButton Button, zyr::TShiftState Shift, int X, int Y);
  void mouseUp(zyr::TMouseButton Button, zyr::TShiftState Shift, int X, int Y);
  void mouseMove(zyr::TShiftState Shift, int X, int Y);
  void mouseWheel(zyr::TShiftState Shift, int WheelDelta, zyr::TPoint MousePos, bool Handled);
  void keyDown(quint16 Key, zyr::TShiftState Shift);
  void keyUp(quint16 Key, zyr::TShiftState Shift);
  void keyPress(char Key);

 protected:
  /// Raises an event: runs Call if Handler is set, then Emit unless the handler deleted the
  /// control. Every event goes through here so that handler and signal stay in step.
  template <class Handler, class CallF, class EmitF>
  void Raise(const Handler& handler, CallF&& call, EmitF&& emitSignal) {
    if (handler) {
      const TDestroyWatch watch(this);
      call();
      if (watch.Destroyed()) return;
    }
    emitSignal();
  }
  /// Runs f from a Qt event handler. Exceptions must not cross Qt's event loop (that would end
  /// the program): one that a handler or a slot throws is reported and the event dropped.
  template <class F>
  static void Guarded(const char* where, F&& f) {
    try {
      f();
    } catch (const std::exception& e) {
      qWarning("%s: %s", where, e.what());
    } catch (...) {
      qWarning("%s: an exception that is no std::exception", where);
    }
  }

  /// Draws the window picture through Canvas().
  virtual void Paint() {}
  /// Called once, when the window first exists.
  virtual void CreateWnd() {}
  void Loaded() override { TComponent::Loaded(); }
  virtual void Resize();

  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;

 private:
  void ResizePicture();
  /// Takes over a geometry Qt changed without a resize event; returns *this.
  const TCustomControl& SyncBounds() const;
  /// Asks the event loop to paint a shown, out-of-date picture before Qt's paint event.
  void PostRepaint();

  int FLeft = 0, FTop = 0, FWidth = 100, FHeight = 100;
  bool FVisible = true;
  bool FHandleAllocated = false;
  bool FInSetBounds = false;
  bool FDirty = true;
  bool FPainting = false;
  bool FRepaintPosted = false;
  bool FPressed = false;
  TColor FColor = clBtnFace;
  TFont FFont;
  TCursor FCursor = crDefault;
  bool FAntialiased = false;
  QImage FPicture;
  TCanvas FCanvas;
};

}  // namespace zyr

Q_DECLARE_METATYPE(zyr::TMouseButton)
Q_DECLARE_METATYPE(zyr::TPoint)
