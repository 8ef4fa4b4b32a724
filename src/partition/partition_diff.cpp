#include "partition/partition_diff.h"

#include <map>

#include "partition/document_fields.h"
#include "runtime/shown_text.h"

namespace xfer::partition {

namespace {

using Json = nlohmann::ordered_json;

Json Value(const std::optional<long>& value) {
    return value ? Json(*value) : Json(nullptr);
}

// Each compared field of a node, as its path and its JSON value.
std::vector<std::pair<std::string, Json>> Fields(const DocumentNode& node) {
    std::vector<std::pair<std::string, Json>> fields = {
        {std::string(field::kLabel), runtime::ValidText(node.label)},
        {std::string(field::kDial), runtime::ValidText(node.dial)},
        {std::string(field::kStyle), Value(node.style)},
    };
    for (std::size_t i = 0; i < node.exceptions.size(); ++i) {
        const std::string at =
            std::string(field::kExceptions) + "." + std::string(field::kExceptionKeys[i]) + ".";
        const DocumentTarget& target = node.exceptions[i];
        fields.emplace_back(at + std::string(field::kType), runtime::ValidText(target.type));
        fields.emplace_back(at + std::string(field::kNumber), Value(target.number));
        fields.emplace_back(at + std::string(field::kTypeId), Value(target.typeId));
    }
    return fields;
}

const char* KindText(NodeDifference::Kind kind) {
    switch (kind) {
        case NodeDifference::Kind::OnlyInA:
            return "onlyInA";
        case NodeDifference::Kind::OnlyInB:
            return "onlyInB";
        case NodeDifference::Kind::Changed:
            break;
    }
    return "changed";
}

}  // namespace

std::vector<NodeDifference> DiffDocuments(const PartitionDocument& a, const PartitionDocument& b) {
    std::map<std::int16_t, std::pair<const DocumentNode*, const DocumentNode*>> nodes;
    for (const DocumentNode& node : a.nodes)
        nodes[node.node].first = &node;
    for (const DocumentNode& node : b.nodes)
        nodes[node.node].second = &node;

    std::vector<NodeDifference> differences;
    for (const auto& [number, sides] : nodes) {
        const auto& [inA, inB] = sides;
        if (!inB) {
            differences.push_back({number, NodeDifference::Kind::OnlyInA, {}});
            continue;
        }
        if (!inA) {
            differences.push_back({number, NodeDifference::Kind::OnlyInB, {}});
            continue;
        }
        if (*inA == *inB)
            continue;
        NodeDifference changed{number, NodeDifference::Kind::Changed, {}};
        const auto before = Fields(*inA);
        const auto after = Fields(*inB);
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i].second != after[i].second)
                changed.fields.push_back(
                    {before[i].first, before[i].second.dump(), after[i].second.dump()});
        }
        differences.push_back(std::move(changed));
    }
    return differences;
}

std::string DifferenceText(const std::vector<NodeDifference>& differences, const std::string& a,
                           const std::string& b) {
    std::string text;
    for (const NodeDifference& d : differences) {
        const std::string node = "XFER " + std::to_string(d.node);
        switch (d.kind) {
            case NodeDifference::Kind::OnlyInA:
                text += node + ": only in " + a + "\n";
                break;
            case NodeDifference::Kind::OnlyInB:
                text += node + ": only in " + b + "\n";
                break;
            case NodeDifference::Kind::Changed:
                for (const FieldDifference& f : d.fields)
                    text += node + ": " + f.field + ": " + f.before + " -> " + f.after + "\n";
                break;
        }
    }
    return text;
}

Json DifferenceJson(const std::vector<NodeDifference>& differences) {
    Json nodes = Json::array();
    for (const NodeDifference& d : differences) {
        Json node = {{"node", d.node}, {"change", KindText(d.kind)}};
        Json fields = Json::array();
        for (const FieldDifference& f : d.fields) {
            fields.push_back(
                {{"field", f.field}, {"a", Json::parse(f.before)}, {"b", Json::parse(f.after)}});
        }
        node["fields"] = std::move(fields);
        nodes.push_back(std::move(node));
    }
    return Json{{"nodes", std::move(nodes)}};
}

}  // namespace xfer::partition
