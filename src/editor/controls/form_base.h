#pragma once
// What every form has: its caption and size, its controls in tab order, focus, and whether it
// is loaded. A view walks controls() to mirror the form without knowing its handlers.

#include <string>
#include <vector>

#include "editor/controls/control.h"
#include "platform/window_system.h"

namespace xfer::editor {

class FormBase : public FocusHost, public platform::Window {
  public:
    const std::string& Caption() const noexcept { return caption_; }
    int ClientWidth() const noexcept { return width_; }
    int ClientHeight() const noexcept { return height_; }
    void setClientHeight(int twips);
    const std::vector<Control*>& controls() const noexcept { return controls_; }
    Control* findControl(const std::string& name) const;

    bool isLoaded() const override { return loaded_; }
    bool isShown() const noexcept { return shown_; }
    void setShown(bool shown) noexcept { shown_ = shown; }

    // The form's own size changes, for a view.
    std::function<void()> FormChanged;

  protected:
    FormBase(std::string caption, int width, int height);
    void registerControl(Control& control);
    void setLoaded(bool loaded) noexcept { loaded_ = loaded; }
    bool focusAllowed() const override { return loaded_; }

  private:
    std::string caption_;
    int width_, height_;
    std::vector<Control*> controls_;
    bool loaded_ = false;
    bool shown_ = false;
};

}  // namespace xfer::editor
