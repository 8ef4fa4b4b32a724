#pragma once
// Components created by name, their program identifier (the label validator and the
// confirmation dialog are created that way), and the two component interfaces the editor
// relies on.

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace xfer::platform {

// What a factory creates by name; the caller asks it for the interface it needs.
class NamedComponent {
  public:
    virtual ~NamedComponent() = default;
};

inline constexpr const char* kValidatorProgId = "QRV_Validate_TEXTField.Business_Rules";
inline constexpr const char* kConfirmationProgId = "QRV_Confirmation.Dialog";

// Validates the text of a label before it is saved.
class TextFieldValidator : public NamedComponent {
  public:
    virtual bool ValidateText(std::string text) = 0;
};

// Answer codes of the confirmation dialog.
namespace confirm {
inline constexpr long kClosed = 0;
inline constexpr long kCreate = 2;
inline constexpr long kSkip = 3;
inline constexpr long kCreateAll = 4;
inline constexpr long kStop = 5;
}  // namespace confirm

// Asks whether to create a missing node; returns an answer code of `confirm`.
class ConfirmationDialog : public NamedComponent {
  public:
    virtual long show(short style, const std::string& prompt, long defaultButton, long buttons,
                      const std::string& title) = 0;
};

// The label rule of the product: no double quote and no run of two single quotes, which the
// database layer of sibling programs cannot store in their SQL. Control characters (line
// breaks, tabs) are refused too: a label is one line of text.
class LabelValidator final : public TextFieldValidator {
  public:
    bool ValidateText(std::string text) override;
};

// Prints the prompt to stderr and answers "skip": creating nodes needs a person's yes.
class StderrConfirmationDialog final : public ConfirmationDialog {
  public:
    long show(short style, const std::string& prompt, long defaultButton, long buttons,
              const std::string& title) override;
};

class ComponentFactory {
  public:
    using Maker = std::function<std::shared_ptr<NamedComponent>()>;

    void registerComponent(const std::string& progId, Maker maker);
    // A new component of the program identifier; raises 429 for a name nobody registered.
    std::shared_ptr<NamedComponent> create(const std::string& progId) const;

    // A new component with the interface the caller needs; raises 13 when it lacks it.
    template <class T>
    std::shared_ptr<T> create(const std::string& progId) const;

  private:
    std::map<std::string, Maker> makers_;
};

[[noreturn]] void RaiseTypeMismatch();

template <class T>
std::shared_ptr<T> ComponentFactory::create(const std::string& progId) const {
    auto object = std::dynamic_pointer_cast<T>(create(std::string(progId)));
    if (!object)
        RaiseTypeMismatch();
    return object;
}

}  // namespace xfer::platform
