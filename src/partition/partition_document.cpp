#include "partition/partition_document.h"

#include <limits>
#include <nlohmann/json.hpp>
#include <set>

#include "partition/document_fields.h"
#include "runtime/shown_text.h"

namespace xfer::partition {

namespace {

using Json = nlohmann::ordered_json;

std::string Key(std::string_view key) {
    return std::string(key);
}

Json OptionalNumber(const std::optional<long>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json TargetJson(const DocumentTarget& target) {
    Json out = Json::object();
    out[Key(field::kType)] = runtime::ValidText(target.type);
    out[Key(field::kNumber)] = OptionalNumber(target.number);
    out[Key(field::kTypeId)] = OptionalNumber(target.typeId);
    return out;
}

Json NodeJson(const DocumentNode& node) {
    Json out = Json::object();
    out[Key(field::kNode)] = node.node;
    out[Key(field::kLabel)] = runtime::ValidText(node.label);
    out[Key(field::kDial)] = runtime::ValidText(node.dial);
    out[Key(field::kStyle)] = OptionalNumber(node.style);
    Json exceptions = Json::object();
    for (std::size_t i = 0; i < field::kExceptionKeys.size(); ++i)
        exceptions[Key(field::kExceptionKeys[i])] = TargetJson(node.exceptions[i]);
    out[Key(field::kExceptions)] = std::move(exceptions);
    return out;
}

// Reading: each check names the place in the export document as a path, "nodes[2].exceptions.hold".
class Reader {
  public:
    [[noreturn]] static void Fail(const std::string& where, const std::string& what) {
        throw DocumentError(where + ": " + what);
    }

    // The object's members must be exactly `keys`.
    static void Members(const Json& object, const std::string& where,
                        std::initializer_list<std::string_view> keys) {
        if (!object.is_object())
            Fail(where, "expected an object");
        for (const std::string_view key : keys) {
            if (!object.contains(Key(key)))
                Fail(where, "the field \"" + Key(key) + "\" is missing");
        }
        for (const auto& [name, value] : object.items()) {
            bool known = false;
            for (const std::string_view key : keys)
                known = known || name == key;
            if (!known)
                Fail(where, "unknown field \"" + runtime::ValidText(name) + "\"");
        }
    }

    static long Integer(const Json& value, const std::string& where, long long minimum,
                        long long maximum) {
        if (!value.is_number_integer())
            Fail(where, "expected a whole number");
        const std::string range =
            " is out of range (" + std::to_string(minimum) + " to " + std::to_string(maximum) + ")";
        if (value.is_number_unsigned()) {
            const auto number = value.get<unsigned long long>();
            if (number > static_cast<unsigned long long>(maximum))
                Fail(where, std::to_string(number) + range);
            return static_cast<long>(number);
        }
        const auto number = value.get<long long>();
        if (number < minimum || number > maximum)
            Fail(where, std::to_string(number) + range);
        return static_cast<long>(number);
    }

    static std::optional<long> OptionalInteger(const Json& value, const std::string& where) {
        if (value.is_null())
            return std::nullopt;
        return Integer(value, where, std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max());
    }

    static std::string Text(const Json& value, const std::string& where) {
        if (!value.is_string())
            Fail(where, "expected a text");
        return value.get<std::string>();
    }

    static DocumentTarget Target(const Json& json, const std::string& where) {
        Members(json, where, {field::kType, field::kNumber, field::kTypeId});
        DocumentTarget target;
        target.type = Text(json.at(Key(field::kType)), where + "." + Key(field::kType));
        target.number =
            OptionalInteger(json.at(Key(field::kNumber)), where + "." + Key(field::kNumber));
        target.typeId =
            OptionalInteger(json.at(Key(field::kTypeId)), where + "." + Key(field::kTypeId));
        return target;
    }

    static DocumentNode Node(const Json& json, const std::string& where) {
        Members(json, where,
                {field::kNode, field::kLabel, field::kDial, field::kStyle, field::kExceptions});
        DocumentNode node;
        node.node = static_cast<std::int16_t>(Integer(
            json.at(Key(field::kNode)), where + "." + Key(field::kNode),
            std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
        node.label = Text(json.at(Key(field::kLabel)), where + "." + Key(field::kLabel));
        node.dial = Text(json.at(Key(field::kDial)), where + "." + Key(field::kDial));
        node.style = OptionalInteger(json.at(Key(field::kStyle)), where + "." + Key(field::kStyle));
        const Json& exceptions = json.at(Key(field::kExceptions));
        const std::string exceptionsAt = where + "." + Key(field::kExceptions);
        Members(exceptions, exceptionsAt,
                {field::kExceptionKeys[0], field::kExceptionKeys[1], field::kExceptionKeys[2],
                 field::kExceptionKeys[3], field::kExceptionKeys[4], field::kExceptionKeys[5]});
        for (std::size_t i = 0; i < field::kExceptionKeys.size(); ++i) {
            const std::string key = Key(field::kExceptionKeys[i]);
            node.exceptions[i] = Target(exceptions.at(key), exceptionsAt + "." + key);
        }
        return node;
    }
};

// nlohmann's message without its own prefix: "parse error at line 3, column 5: ...".
std::string ParseMessage(const nlohmann::json::parse_error& error) {
    const std::string what = error.what();
    const auto end = what.find("] ");
    return end == std::string::npos ? what : what.substr(end + 2);
}

}  // namespace

std::string DocumentText(const PartitionDocument& document) {
    Json out = Json::object();
    out[Key(field::kFormat)] = Key(field::kFormatName);
    out[Key(field::kVersion)] = document.version;
    out[Key(field::kConfig)] = document.config;
    out[Key(field::kPartition)] = document.partition;
    Json nodes = Json::array();
    for (const DocumentNode& node : document.nodes)
        nodes.push_back(NodeJson(node));
    out[Key(field::kNodes)] = std::move(nodes);
    return out.dump(2) + "\n";
}

PartitionDocument ReadDocument(std::string_view text) {
    Json json;
    try {
        json = Json::parse(text.begin(), text.end());
    } catch (const nlohmann::json::parse_error& error) {
        throw DocumentError("malformed JSON: " + ParseMessage(error));
    }
    Reader::Members(
        json, "the export document",
        {field::kFormat, field::kVersion, field::kConfig, field::kPartition, field::kNodes});
    if (json.at(Key(field::kFormat)) != Key(field::kFormatName))
        Reader::Fail(Key(field::kFormat), "expected \"" + Key(field::kFormatName) + "\"");
    PartitionDocument document;
    document.version = static_cast<int>(
        Reader::Integer(json.at(Key(field::kVersion)), Key(field::kVersion), 0, 1 << 30));
    if (document.version != field::kCurrentVersion) {
        Reader::Fail(Key(field::kVersion), "version " + std::to_string(document.version) +
                                               " is not one this program reads (it reads version " +
                                               std::to_string(field::kCurrentVersion) + ")");
    }
    constexpr long long kMin = std::numeric_limits<std::int16_t>::min();
    constexpr long long kMax = std::numeric_limits<std::int16_t>::max();
    document.config = static_cast<std::int16_t>(
        Reader::Integer(json.at(Key(field::kConfig)), Key(field::kConfig), kMin, kMax));
    document.partition = static_cast<std::int16_t>(
        Reader::Integer(json.at(Key(field::kPartition)), Key(field::kPartition), kMin, kMax));
    const Json& nodes = json.at(Key(field::kNodes));
    if (!nodes.is_array())
        Reader::Fail(Key(field::kNodes), "expected a list");
    std::set<std::int16_t> seen;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const std::string where = Key(field::kNodes) + "[" + std::to_string(i) + "]";
        DocumentNode node = Reader::Node(nodes[i], where);
        if (!seen.insert(node.node).second)
            Reader::Fail(where, "XFER " + std::to_string(node.node) + " is listed twice");
        document.nodes.push_back(std::move(node));
    }
    return document;
}

}  // namespace xfer::partition
