#pragma once
// Components created by program identifier (the label validator and the confirmation dialog
// are created that way), and the two component interfaces the editor relies on.

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace xfer::platform {

class ComObject {
  public:
    virtual ~ComObject() = default;
};

inline constexpr const char* kValidatorProgId = "QRV_Validate_TEXTField.Business_Rules";
inline constexpr const char* kConfirmationProgId = "QRV_Confirmation.Dialog";

// Validates the text of a label before it is saved.
class TextFieldValidator : public ComObject {
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
class ConfirmationDialog : public ComObject {
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
    using Maker = std::function<std::shared_ptr<ComObject>()>;

    void registerComponent(const std::string& progId, Maker maker);
    void unregisterComponent(const std::string& progId);
    // Raises 429 "ActiveX component can't create object" for an unknown identifier.
    std::shared_ptr<ComObject> CreateObject(const std::string& progId) const;

    // CreateObject with the interface the caller needs; 13 when the object lacks it.
    template <class T>
    std::shared_ptr<T> create(const std::string& progId) const;

  private:
    std::map<std::string, Maker> makers_;
};

[[noreturn]] void RaiseTypeMismatch();

template <class T>
std::shared_ptr<T> ComponentFactory::create(const std::string& progId) const {
    auto object = std::dynamic_pointer_cast<T>(CreateObject(progId));
    if (!object)
        RaiseTypeMismatch();
    return object;
}

}  // namespace xfer::platform
