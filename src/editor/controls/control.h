#pragma once
// The base of every control model: name, kind, position and size in twips, Visible, Enabled,
// container frame, tab order, focus events and a change observer for a view that mirrors it.
//
// The rules every handler counts on live here and in the derived models, once:
// - properties set from code fire the toolkit's events exactly as the derived classes state;
// - a user's action (see user_actions.h) is refused when the control, or a frame that contains
//   it, is hidden or disabled;
// - unloading restores every control to the state it had when the form was designed.

#include <cstdint>
#include <functional>
#include <string>

namespace xfer::editor {

enum class ControlKind {
    TextBox,
    ComboBox,
    ListBox,
    CommandButton,
    Label,
    Frame,
    StatusBar,
    ImageList,
    ListView
};

// What changed, for the observer. `All` after a reset to the designed state.
enum class Prop {
    All,
    Text,  // Text of a text box or combo, Caption of a label, button or frame
    Enabled,
    Visible,
    Geometry,   // Left, Top, Width, Height
    Entries,    // the entries of a combo or list box, the columns or rows of a list view
    ListIndex,  // the selected entry of a combo; the selected row of a list view
    Cells,      // the text of a list view row's cells
    Selection,  // SelStart / SelLength of a text box or combo
    Focus,
    Panels,  // status bar panels
    Scroll   // the first visible row of a list view
};

class Frame;
class FocusHost;

class Control {
  public:
    Control(std::string name, ControlKind kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const noexcept { return name_; }
    ControlKind kind() const noexcept { return kind_; }
    std::intptr_t hWnd() const noexcept { return hwnd_; }

    int Left() const noexcept { return left_; }
    int Top() const noexcept { return top_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int v);
    void setHeight(int v);
    void Move(int left, int top, int width, int height);

    bool Visible() const noexcept { return visible_; }
    void setVisible(bool v);
    bool Enabled() const noexcept { return enabled_; }
    void setEnabled(bool v);

    // The font, for a view that draws the control.
    const std::string& FontName() const noexcept { return fontName_; }
    double FontSize() const noexcept { return fontSize_; }
    bool FontBold() const noexcept { return fontBold_; }
    void setFont(std::string name, double size, bool bold = false);

    Frame* Container() const noexcept { return container_; }
    void setContainer(Frame* frame) noexcept { container_ = frame; }

    // Visible and enabled, and so is every frame around it: what a user can reach.
    bool isUsable() const noexcept;

    // Gives the control the focus; raises 5 when it cannot take it (hidden or disabled, or the
    // form is not loaded).
    void SetFocus();
    bool hasFocus() const noexcept;

    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

    // One observer, the view that mirrors the control. Called after the change.
    void setObserver(std::function<void(Control&, Prop)> observer) {
        observer_ = std::move(observer);
    }

    // Remember the current state as the designed one / go back to it (no events but `All`).
    void captureDesign();
    void restoreDesign();

    void setFocusHost(FocusHost* host) noexcept { focusHost_ = host; }

  protected:
    void notify(Prop what);
    virtual void captureOwnDesign() = 0;
    virtual void restoreOwnDesign() = 0;

  private:
    friend class FocusHost;  // notifies focus changes
    void dropFocusWithin() noexcept;

    struct Base {
        int left = 0, top = 0, width = 0, height = 0;
        bool visible = true, enabled = true;
    };

    std::string name_;
    ControlKind kind_;
    std::intptr_t hwnd_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string fontName_ = "Tahoma";
    double fontSize_ = 8.25;
    bool fontBold_ = false;
    Frame* container_ = nullptr;
    FocusHost* focusHost_ = nullptr;
    std::function<void(Control&, Prop)> observer_;
    Base design_;
};

// The form side of focus: which control has it, and the GotFocus / LostFocus events.
class FocusHost {
  public:
    virtual ~FocusHost() = default;
    Control* focusedControl() const noexcept { return focused_; }
    // Raises 5 unless the form is loaded and the control usable.
    void moveFocus(Control& control);
    void clearFocus() noexcept;

  protected:
    virtual bool focusAllowed() const = 0;

  private:
    Control* focused_ = nullptr;
};

}  // namespace xfer::editor
