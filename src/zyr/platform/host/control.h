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

/// Mouse button event: the button pressed or released, the keys and buttons held, and the
/// position in pixels of the control (0, 0 at its top-left corner).
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
/// Mouse move event: the keys and buttons held and the position in pixels of the control.
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
/// Mouse wheel event: WheelDelta is Qt's angle delta (120 per notch, positive away from the
/// user), MousePos the position in pixels of the control; a handler that used the turn sets
/// Handled, which also keeps it from the parent widget.
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
/// Key down or up event: Key is a virtual key code (TVirtualKey, or 'A' .. 'Z' and '0' .. '9'
/// for letters and digits); a handler may change it, which the control then acts on.
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
/// Character event: Key is the ASCII character typed; a handler may change it.
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

/// Virtual key codes delivered to KeyDown/KeyUp: Backspace, Tab, Return (both Enter keys),
/// Shift, Control, Alt (VK_MENU), Escape, Space, Page Up (VK_PRIOR), Page Down (VK_NEXT),
/// End, Home, the four arrows, Insert and Delete. Letters and digits arrive as their upper-case
/// ASCII codes; other keys raise no key event.
enum TVirtualKey : uint16_t {
  VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
  VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
  VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46,
};

/// Base of every control: a QWidget that paints into its own window picture and turns Qt
/// input into the mouse and key virtuals and their On... events and Qt signals. Derived
/// controls override Paint() and the input virtuals; applications use the geometry, colour,
/// font, cursor and repaint members common to every control.
class TCustomControl : public QWidget, public TComponent {
  Q_OBJECT
  /// Smooth drawing, for Qt Designer and QObject::setProperty (see SetAntialiased()).
  Q_PROPERTY(bool Antialiased READ Antialiased WRITE SetAntialiased)
 public:
  /// A 100 x 100 pixel control; a parent that is a component also becomes its owner. Mouse
  /// moves are tracked without a pressed button and a click gives the control the focus.
  explicit TCustomControl(QWidget* parent = nullptr);
  /// Ends drawing on the window picture.
  ~TCustomControl() override;

  // One geometry: QWidget::resize/setGeometry and layouts reach SetBounds too, also while the
  // control is hidden (Qt sends no resize event then, so the getters catch up first).
  /// Position in pixels of the parent and size in pixels (100 x 100 at first); each setter
  /// goes through SetBounds.
  ///@{
  int Left() const { return SyncBounds().FLeft; }
  int Top() const { return SyncBounds().FTop; }
  int Width() const { return SyncBounds().FWidth; }
  int Height() const { return SyncBounds().FHeight; }
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  ///@}
  /// Position and size in the parent; negative sizes become 0. Qt resizes arrive here, and the
  /// widget takes the size the control settles on (e.g. after a minimum size is applied).
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  /// The control's own area in its pixels: 0, 0, Width(), Height().
  TRect ClientRect() const { return {0, 0, Width(), Height()}; }

  /// True unless the control was hidden explicitly. Showing a control without a parent widget
  /// only sets the flag (it is painted headless, no window opens); hiding hides the widget.
  ///@{
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  ///@}
  /// Whether the widget takes input (QWidget's enabled state).
  ///@{
  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool v) { setEnabled(v); }
  ///@}

  /// Background colour of the control (clBtnFace by default); a change repaints.
  ///@{
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  /// The colour as a QColor or Qt::GlobalColor (Qt::red is red); an invalid QColor gives
  /// clNone.
  void SetColor(const QtColor auto& v) { SetColor(FromQColor(v)); }
  ///@}
  /// The control's font (text colour clWindowText), changed in place.
  ///@{
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  ///@}
  /// Mouse cursor over the control: a standard cr... cursor or one registered with the
  /// screen (crDefault by default).
  ///@{
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor c);
  ///@}
  /// Smooth (antialiased) lines, marks, curves and outlines in the window and in every export;
  /// off by default, which keeps the classic pixel rules. Rubber bands, cross-hairs and the
  /// mouse trace stay aliased. A control repaints as its other style setters do.
  ///@{
  bool Antialiased() const { return FAntialiased; }
  virtual void SetAntialiased(bool v);
  ///@}

  /// Canvas on the window picture; drawing on it schedules a screen update.
  TCanvas& Canvas();
  /// Creates the window once (calls CreateWnd), as showing the control does.
  void HandleNeeded();
  /// True once the window exists (after HandleNeeded, showing or painting the control).
  bool HandleAllocated() const { return FHandleAllocated; }
  /// Marks the picture out of date; it is painted before it is next shown or read.
  void Invalidate();
  /// Paints the picture now.
  void Repaint();
  /// Same as Repaint().
  void Refresh() { Repaint(); }
  /// The window picture, painted first if out of date.
  const QImage& WindowPicture();

  // Published events.
  /// OnClick: the left button was pressed and released inside the control; OnDblClick: the
  /// left button was double-clicked; OnResize: the size changed (before the repaint);
  /// OnMouseEnter and OnMouseLeave: the mouse entered or left the control.
  ///@{
  TNotifyEvent OnClick, OnDblClick, OnResize, OnMouseEnter, OnMouseLeave;
  ///@}
  /// A mouse button was pressed or released; the second press of a double click carries
  /// ssDouble in Shift.
  ///@{
  TMouseEvent OnMouseDown, OnMouseUp;
  ///@}
  /// The mouse moved over the control (also without a pressed button).
  TMouseMoveEvent OnMouseMove;
  /// The wheel turned over the control; a handler sets Handled when it used the turn.
  TMouseWheelEvent OnMouseWheel;
  /// A key with a virtual key code went down or up while the control had the focus.
  ///@{
  TKeyEvent OnKeyDown, OnKeyUp;
  ///@}
  /// An ASCII character was typed while the control had the focus (after OnKeyDown).
  TKeyPressEvent OnKeyPress;

  /// The class name, as the component framework reports it.
  std::string ClassName() const override { return "TCustomControl"; }

  // Input virtuals; tests drive these directly. Each base version raises its event.
  /// A mouse button went down at X, Y (pixels of the control); raises OnMouseDown.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  /// The mouse moved to X, Y (pixels of the control); raises OnMouseMove.
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  /// A mouse button went up at X, Y (pixels of the control); raises OnMouseUp.
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  /// The left button was released inside the control after a press there; raises OnClick
  /// (before the MouseUp of the same release).
  virtual void Click();
  /// The left button was double-clicked; raises OnDblClick (before the MouseDown with
  /// ssDouble).
  virtual void DblClick();
  /// The mouse entered the control; raises OnMouseEnter.
  virtual void MouseEnter();
  /// The mouse left the control; raises OnMouseLeave.
  virtual void MouseLeave();
  /// The wheel turned by WheelDelta (120 per notch) at MousePos (pixels of the control);
  /// raises OnMouseWheel and answers whether the turn was used (the Qt event is accepted
  /// then, otherwise it goes on to the parent).
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  /// A key with a virtual key code went down or up; raises OnKeyDown or OnKeyUp, whose
  /// handler may change Key.
  ///@{
  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  ///@}
  /// An ASCII character was typed; raises OnKeyPress, whose handler may change Key.
  virtual void KeyPress(char& Key);

 signals:
  /// Emitted right after OnClick, OnDblClick, OnResize, OnMouseEnter and OnMouseLeave
  /// (also when no handler is set).
  ///@{
  void click();
  void dblClick();
  void resized();
  void mouseEnter();
  void mouseLeave();
  ///@}
  /// Emitted right after OnMouseDown, OnMouseUp, OnMouseMove and OnMouseWheel with the
  /// event's arguments; Handled is the value the handler left.
  ///@{
  void mouseDown(zyr::TMouseButton Button, zyr::TShiftState Shift, int X, int Y);
  void mouseUp(zyr::TMouseButton Button, zyr::TShiftState Shift, int X, int Y);
  void mouseMove(zyr::TShiftState Shift, int X, int Y);
  void mouseWheel(zyr::TShiftState Shift, int WheelDelta, zyr::TPoint MousePos, bool Handled);
  ///@}
  /// Emitted right after OnKeyDown, OnKeyUp and OnKeyPress with the key the handler left.
  ///@{
  void keyDown(quint16 Key, zyr::TShiftState Shift);
  void keyUp(quint16 Key, zyr::TShiftState Shift);
  void keyPress(char Key);
  ///@}

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
  /// Called after the properties were streamed in; ends the loading state.
  void Loaded() override { TComponent::Loaded(); }
  /// Called after the size changed, before the repaint; raises OnResize.
  virtual void Resize();

  /// Qt's events, turned into the members above: the paint event copies the window picture
  /// (painting it first when out of date), a resize or move reaches SetBounds, the mouse and
  /// key events call the input virtuals. An exception from a handler drops the Qt event with
  /// a warning instead of leaving the event loop.
  ///@{
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
  ///@}

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
