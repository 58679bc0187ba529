#pragma once
// The protocol's vocabulary shared by the handlers: error codes, the error a handler raises,
// and reading positions and ranges out of parameters with every field checked.
#include <nlohmann/json.hpp>

#include <string>

#include "TextPositions.h"

using Json = nlohmann::json;

/// JSON-RPC and protocol error codes.
namespace ErrorCode {
constexpr int ParseError = -32700;
constexpr int InvalidRequest = -32600;
constexpr int MethodNotFound = -32601;
constexpr int InvalidParams = -32602;
constexpr int InternalError = -32603;
constexpr int ServerNotInitialized = -32002;
constexpr int RequestCancelled = -32800;
}  // namespace ErrorCode

/// What a handler raises to answer a request with an error.
struct ProtocolError {
    int code = ErrorCode::InvalidParams;
    std::string message;
};

/// The member as a string; InvalidParams when it is missing or of another type.
const std::string& StringField(const Json& object, const char* name);
/// The member as an int; InvalidParams when it is missing, not an integer or out of range.
int IntField(const Json& object, const char* name);
/// The member as an object; InvalidParams otherwise.
const Json& ObjectField(const Json& object, const char* name);
/// A Position object.
Position ReadPosition(const Json& position);
/// A Range object.
Range ReadRange(const Json& range);
/// Position as the protocol writes it.
Json WritePosition(Position position);
/// Range as the protocol writes it.
Json WriteRange(const Range& range);
