#pragma once
// The window system: shows a loaded form modally and returns when the form has been unloaded.

namespace xfer::platform {

class Window {
  public:
    virtual ~Window() = default;
    virtual bool isLoaded() const = 0;
    // The window's close box: runs the form's unload handling, which may refuse.
    virtual void closeBox() = 0;
};

class WindowSystem {
  public:
    virtual ~WindowSystem() = default;
    virtual void showModal(Window& window) = 0;
    // Lets the screen catch up with changes made during a long operation (a status text).
    virtual void repaint() {}
};

// Without a display nothing can be shown: showing raises an error that says so.
class HeadlessWindowSystem final : public WindowSystem {
  public:
    void showModal(Window& window) override;
};

}  // namespace xfer::platform
