#pragma once
// The application-wide mouse pointer: default or hourglass.

#include <vector>

namespace xfer::platform {

enum class Pointer { Default = 0, Hourglass = 11 };

class MousePointer {
  public:
    virtual ~MousePointer() = default;
    virtual void set(Pointer pointer) = 0;
    virtual Pointer current() const = 0;
};

// Remembers the pointer and every change, for hosts without a display and for tests.
class RecordingMousePointer final : public MousePointer {
  public:
    void set(Pointer pointer) override {
        current_ = pointer;
        history_.push_back(pointer);
    }
    Pointer current() const override { return current_; }
    const std::vector<Pointer>& history() const { return history_; }

  private:
    Pointer current_ = Pointer::Default;
    std::vector<Pointer> history_;
};

}  // namespace xfer::platform
