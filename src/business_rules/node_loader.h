#pragma once
// The loaders that fill the form: the node type catalogue and limits, the style list, the
// exceptions' target types, the record selector and the node itself. Each traps its own errors
// under its own name.

#include <cstdint>

#include "business_rules/rules_context.h"

namespace xfer::business_rules {

class NodeLoader {
  public:
    explicit NodeLoader(RulesContext context) : ctx_(context) {}

    void HideExceptionPickers();
    // On a server, the reads of an opening whose parameters are known before it starts go out
    // together (the form's configuration and partition are set); nothing on the file.
    void SendOpeningAhead(std::int16_t Node_Number);
    void LoadNodeNameAndNodeTypeID();
    void LoadXStyle();
    void Get_XStyle_Description(std::int16_t StyleNodeNumber);
    void LoadHoldNode();
    void LoadMOHNode();
    void LoadBusy1Busy2Node();
    void LoadNoAnswerNode();
    void LoadAnswerNode();
    // The template node (0) is listed alone, and then the navigation row is hidden.
    void LoadExistingNodesInRecordSelector(std::int16_t Node_Number, bool IsTemplateNode);
    // True when the node was found and put into the form.
    bool LoadData(std::int16_t Node_Number);

  private:
    struct TargetLoader;
    void LoadExceptionTargets(const TargetLoader& loader);

    RulesContext ctx_;
};

}  // namespace xfer::business_rules
