#pragma once
// Labels, buttons, frames, the status bar and the image list.

#include <string>
#include <vector>

#include "editor/controls/control.h"

namespace xfer::editor {

class Label final : public Control {
  public:
    explicit Label(std::string name) : Control(std::move(name), ControlKind::Label) {}
    const std::string& Caption() const noexcept { return caption_; }
    void setCaption(std::string caption);

  private:
    void captureOwnDesign() override { designCaption_ = caption_; }
    void restoreOwnDesign() override { caption_ = designCaption_; }
    std::string caption_, designCaption_;
};

// A button. `Symbol` names the picture of a picture button ("first", "previous", "next",
// "last"); a view draws it as it likes.
class CommandButton final : public Control {
  public:
    explicit CommandButton(std::string name)
        : Control(std::move(name), ControlKind::CommandButton) {}
    const std::string& Caption() const noexcept { return caption_; }
    void setCaption(std::string caption);
    bool Default() const noexcept { return default_; }
    bool Cancel() const noexcept { return cancel_; }
    void setDefault(bool v) noexcept { default_ = v; }
    void setCancel(bool v) noexcept { cancel_ = v; }
    const std::string& Symbol() const noexcept { return symbol_; }
    void setSymbol(std::string s) { symbol_ = std::move(s); }

    std::function<void()> Click;

  private:
    void captureOwnDesign() override { designCaption_ = caption_; }
    void restoreOwnDesign() override { caption_ = designCaption_; }
    std::string caption_, designCaption_, symbol_;
    bool default_ = false, cancel_ = false;
};

// A frame contains controls: hiding or disabling it hides or disables them for the user,
// without changing their own Visible and Enabled.
class Frame final : public Control {
  public:
    explicit Frame(std::string name) : Control(std::move(name), ControlKind::Frame) {}
    const std::string& Caption() const noexcept { return caption_; }
    void setCaption(std::string caption);
    bool Border() const noexcept { return border_; }
    void setBorder(bool v) noexcept { border_ = v; }

  private:
    void captureOwnDesign() override { designCaption_ = caption_; }
    void restoreOwnDesign() override { caption_ = designCaption_; }
    std::string caption_, designCaption_;
    bool border_ = true;
};

struct Panel {
    std::string Text;
    int Width = 0;  // twips
};

class StatusBar final : public Control {
  public:
    explicit StatusBar(std::string name);
    long PanelCount() const noexcept { return static_cast<long>(panels_.size()); }
    // Panels are numbered from 1; a bad number raises 35600.
    const Panel& Panels(long index) const;
    void setPanelText(long index, std::string text);
    void setPanelWidth(long index, int width);

  private:
    void captureOwnDesign() override { design_ = panels_; }
    void restoreOwnDesign() override { panels_ = design_; }
    Panel& at(long index);
    std::vector<Panel> panels_, design_;
};

class ImageList final : public Control {
  public:
    explicit ImageList(std::string name) : Control(std::move(name), ControlKind::ImageList) {
        setVisible(false);
    }
    void AddImage(std::string key) { images_.push_back(std::move(key)); }
    const std::vector<std::string>& Images() const noexcept { return images_; }

  private:
    void captureOwnDesign() override {}
    void restoreOwnDesign() override {}
    std::vector<std::string> images_;
};

}  // namespace xfer::editor
