#include "desktop/painted_window_system.h"

#include <QApplication>
#include <QPushButton>

#include "desktop/form_dialog.h"
#include "desktop/paint_counter.h"
#include "editor/controls/form_base.h"

namespace xfer::desktop {

namespace {

class ShownWindow final : public PaintedWindow {
  public:
    ShownWindow(FormDialog& dialog, PaintCounter& counter) : dialog_(dialog), counter_(counter) {}
    bool press(const std::string& button) override {
        auto* widget = dialog_.findChild<QPushButton*>(QString::fromStdString(button));
        if (widget == nullptr || !widget->isEnabled())
            return false;
        widget->click();
        return counter_.paintNow();
    }

  private:
    FormDialog& dialog_;
    PaintCounter& counter_;
};

}  // namespace

void PaintedWindowSystem::showModal(platform::Window& window) {
    auto& form = dynamic_cast<editor::FormBase&>(window);
    PaintCounter counter;
    {
        FormDialog dialog(form);
        dialog.show();
        painted_ = counter.paintNow();
        firstFrame_ = std::chrono::steady_clock::now();
        ShownWindow shown(dialog, counter);
        if (session_ && form.isLoaded())
            session_(form, shown);
        if (form.isLoaded())
            form.closeBox();
    }
}

void PaintedWindowSystem::repaint() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace xfer::desktop
